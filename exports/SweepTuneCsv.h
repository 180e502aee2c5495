#pragma once

#include <span>
#include <string>

#include "tuners/search/SweepTuneRows.h"

// A sweep-tune as CSV, one record per step after a comment line and a header line: the
// frequency and what the tuner showed after its TUNE (the SWR rounded down to 0.01, as
// shown; the indicator as #rrggbb), then the best setting over every setting of the banks
// with its SWR, rounded alike, how many settings the banks have, and the best setting of
// those TUNE can set. A field the tuner left empty, the setting of a TUNE that matched
// nothing, or a step without a best, stays empty.
std::string SweepTuneCsv(std::span<const SweepTuneRow> rows);
