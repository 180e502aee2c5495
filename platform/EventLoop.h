#pragma once

// Long work in a handler stays responsive by yielding to the event loop; handlers that run
// inside a yield see the same state, so callers guard themselves with plain flags.

// Runs every pending event (input, close requests, timers) and returns.
void Yield();

// Keeps the event loop running for `seconds` (at least one pass), sleeping between events
// instead of spinning.
void WaitSeconds(float seconds);

// What WaitSeconds waits on. The program uses the real clock; a test may install a clock of
// its own that plays timed events in simulated time, so that long runs of them take no
// real time.
class WaitClock {
public:
    virtual ~WaitClock() = default;
    // Runs what happens in the next `seconds`, then returns.
    virtual void Wait(double seconds) = 0;
};

// Null: the real clock again.
void SetWaitClock(WaitClock* clock);
