#pragma once

// Long work in a handler stays responsive by yielding to the event loop; handlers that run
// inside a yield see the same state, so callers guard themselves with plain flags.

// Runs every pending event (input, close requests, timers) and returns.
void Yield();

// Keeps the event loop running for `seconds` (at least one pass), sleeping between events
// instead of spinning.
void WaitSeconds(float seconds);
