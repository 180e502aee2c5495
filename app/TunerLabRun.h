#pragma once

#include <string>

#include "app/ExportRun.h"
#include "tuners/search/TunerSearch.h"

// The tuner lab of one tuner without a window: the banks of the settings file in use (only
// read) and the antenna the option names for its rod, every search strategy at each of the sweep's
// 299 frequencies at the default relay times. Writes the CSV whole or not at all, prints the
// summary table on standard output and each problem in one line on standard error. Needs no
// display. Returns the exit code.
int RunTunerLab(TunerKind kind, const std::string& csvPath, const AntennaOption& antenna);
