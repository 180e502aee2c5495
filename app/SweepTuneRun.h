#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/ExportRun.h"
#include "tuners/search/BankSetup.h"
#include "tuners/search/TunerSearch.h"

// The settings keys a tuner's run without a window reads: the main window's and the
// tuner's banks'.
std::vector<std::string> TunerRunKeys(TunerKind kind);
// The tuner's banks as its TUNE would take them from the fields filled from those keys;
// nothing, with the reason in `refusal`, where TUNE would refuse them.
std::optional<BankSetup> TunerRunBanks(TunerKind kind,
                                       const std::map<std::string, std::string>& values,
                                       std::string& refusal);

// The sweep-tune of one tuner without a window: the inputs and banks of the settings file,
// which it neither creates nor repairs, and the searches, carried-over best setting and
// order of a freshly opened tuner window's SWEEP, without its pauses; then every setting of
// the banks at each frequency. Writes the CSV whole or not at all, says how the searches
// did on standard output and each problem in one line on standard error. Needs no display.
// Returns the exit code.
// The antenna is the source `antenna` names; the found settings' parts have the Qs of
// `losses`, at the settings file's power.
int RunSweepTune(TunerKind kind, const std::string& csvPath, const AntennaOption& antenna,
                 const LossQ& losses);
