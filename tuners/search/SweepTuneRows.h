#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "losses/RealNetwork.h"
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
    std::optional<BankSetup> banks;  // none when TUNE refused the banks
    std::optional<TunerLoad> load;   // none when TUNE was refused
    // Once compared: the best over every setting of the banks, and over the settings a
    // search can set (index 1 up; index 0, nothing switched in, only in a bank without
    // elements).
    std::optional<AllSettingsBest> best;
    std::optional<AllSettingsBest> reachable;
    // The setting TUNE found built from real parts; none where it matched nothing or was
    // refused.
    std::optional<NetworkPowers> losses;
};

// The row of the tuner's last TUNE at f_MHz, its setting's parts of the Qs of `q` at ptx_W.
SweepTuneRow RowOf(const TunerState& tuner, double f_MHz, const LossQ& q, double ptx_W);

// Both bests of the row's banks, where TUNE ran; false when stopped first.
bool CompareWithAllSettings(TunerKind kind, SweepTuneRow& row, const StopRequest& stop = nullptr);

struct SweepComparison {
    int compared = 0;  // rows with a best over all settings
    int noMatch = 0;   // of them, where no setting comes below SWR 9999
    // Of the others, where the search ended on the best SWR of every setting, and of the
    // settings it can set.
    int atBest = 0;
    int atReachable = 0;
    // SWR excess as the tuner shows SWRs, rounded down to 0.01, where some setting matches.
    double meanExcess = 0;
    double worstExcess = 0;
    // Where the best reaches SWR 2: how often the search ends within 0.05 of it, and its
    // mean excess there, unrounded.
    int matchable = 0;
    int nearBest = 0;
    double matchableExcess = 0;
};

SweepComparison Compare(std::span<const SweepTuneRow> rows);

// The comparison in words; `complete` false when the pass stopped before comparing every
// row it could.
std::string ComparisonText(const SweepComparison& comparison, std::size_t rows, bool complete);
// What the comparison's figures are taken over, with the best of the settings TUNE can set.
std::string ComparisonDetails(const SweepComparison& comparison);
