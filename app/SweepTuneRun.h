#pragma once

#include <string>

#include "app/ExportRun.h"
#include "tuners/search/TunerSearch.h"

// The sweep-tune of one tuner without a window: the inputs and banks of the settings file,
// which it neither creates nor repairs, and the searches, carried-over best setting and
// order of a freshly opened tuner window's SWEEP, without its pauses; then every setting of
// the banks at each frequency. Writes the CSV whole or not at all, says how the searches
// did on standard output and each problem in one line on standard error. Needs no display.
// Returns the exit code.
// The antenna is the source `antenna` names.
int RunSweepTune(TunerKind kind, const std::string& csvPath, const AntennaOption& antenna);
