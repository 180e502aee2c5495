#pragma once

#include <string>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"

// The inputs, the antenna's results and the six networks at the input's frequency as
// tab-separated text for a spreadsheet: a header line, one quantity per line with its value
// and unit, an empty line, then one line per network under a header that names the units.
// Values are unrounded; where there is none (a network without solution, an antenna model
// that faults) the cell stays empty, and the verdict says why.
std::string ResultsTable(const AntennaSource& source, const AntennaInput& antenna,
                         const MatchLimits& limits);
