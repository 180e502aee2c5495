#pragma once

#include <string>

#include "tuners/search/TunerSearch.h"

// The tuner lab of one tuner without a window: the banks and antenna of the settings file
// in use (only read), every search strategy at each of the sweep's 299 frequencies at the
// default relay times. Writes the CSV whole or not at all, prints the summary table on
// standard output and each problem in one line on standard error. Needs no display.
// Returns the exit code.
int RunTunerLab(TunerKind kind, const std::string& csvPath);
