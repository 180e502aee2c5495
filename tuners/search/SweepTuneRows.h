#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tuners/search/BankSetup.h"
#include "tuners/search/BestOfAllSettings.h"
#include "tuners/search/TunerState.h"

// The steps of a sweep-tune, what the tuner showed at each, and how its searches did
// against every setting of its banks.

// The tuners as the command line names them: hpcl, lpcl, lplc.
const char* SweepTuneName(TunerKind kind);
std::optional<TunerKind> SweepTuneKind(std::string_view name);

struct SweepTunePoint {
    double f = 0;      // the sum of the steps so far, where the strip is marked
    std::string text;  // what the main window's frequency field is set to
};

// 0.1 to 29.9 MHz: 0.1 added up while the sum is at most 30, which after 299 additions it
// no longer is. Adding 1e-5 before rounding down shows a sum just below a tenth as that
// tenth.
std::vector<SweepTunePoint> SweepTunePoints();

struct SweepTuneRow {
    double f_MHz = 0;
    TunerDisplay shown;  // the tuner's fields after its TUNE
    double swr = TunerState::kNoMatch;
    std::optional<BankSetup> banks;       // none when TUNE refused the banks
    std::optional<TunerLoad> load;        // none when TUNE was refused
    std::optional<AllSettingsBest> best;  // once compared
};

SweepTuneRow RowOf(const TunerState& tuner, double f_MHz);

// The best over every setting of the row's banks, where TUNE ran; false when stopped first.
bool CompareWithAllSettings(TunerKind kind, SweepTuneRow& row, const StopRequest& stop = nullptr);

struct SweepComparison {
    int compared = 0;  // rows with a best over all settings
    int atBest = 0;    // of them, those where the search reached the best SWR
    double meanExcess = 0;
    double worstExcess = 0;
};

// Over the compared rows, each SWR rounded down to 0.01 as a tuner shows it.
SweepComparison Compare(std::span<const SweepTuneRow> rows);

// The comparison in words; `complete` false when the pass stopped before comparing every
// row it could.
std::string ComparisonText(const SweepComparison& comparison, std::size_t rows, bool complete);
