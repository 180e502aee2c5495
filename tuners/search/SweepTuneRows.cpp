#include "tuners/search/SweepTuneRows.h"

#include <algorithm>
#include <cmath>

#include "core/NumberFormat.h"
#include "core/NumberText.h"
#include "tuners/search/MatchQuality.h"
#include "tuners/search/TunerLosses.h"

namespace {

constexpr const char* kNames[] = {"hpcl", "lpcl", "lplc"};  // in the order of TunerKind

// The settings from index 1 up; a bank whose only setting is index 0 keeps it.
BankValues FromIndexOne(BankValues bank) {
    if (bank.faulted.size() > 1) bank.faulted[0] = 1;
    return bank;
}

// Index 0 alone: nothing switched in.
BankValues IndexZero(const BankValues& bank) {
    if (bank.value.empty()) return bank;
    return {{bank.value.front()}, {bank.faulted.front()}};
}

// The lower SWR; of equal ones the one a search over every setting meets first, inductor
// index outer, capacitor index inner.
bool Before(const AllSettingsBest& a, const AllSettingsBest& b) {
    if (!a.setting || !b.setting || a.swr != b.swr) return a.swr < b.swr;
    if (a.setting->l != b.setting->l) return a.setting->l < b.setting->l;
    return a.setting->c < b.setting->c;
}

}  // namespace

const char* SweepTuneName(TunerKind kind) {
    return kNames[static_cast<int>(kind)];
}

std::optional<TunerKind> SweepTuneKind(std::string_view name) {
    for (const TunerKind kind : {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc}) {
        if (name == SweepTuneName(kind)) return kind;
    }
    return std::nullopt;
}

std::vector<SweepTunePoint> SweepTunePoints() {
    std::vector<SweepTunePoint> points;
    for (double f = 0.1; f <= 30; f += 0.1) {
        points.push_back({f, FormatField(std::floor((f + 1e-5) * 100) / 100)});
    }
    return points;
}

SweepTuneRow RowOf(const TunerState& tuner, double f_MHz, const LossQ& q, double ptx_W) {
    SweepTuneRow row{f_MHz,        tuner.display(), tuner.swr(), tuner.banks(), tuner.tunedLoad(),
                     std::nullopt, std::nullopt,    std::nullopt};
    if (row.swr < TunerState::kNoMatch) row.losses = TunedSettingLosses(tuner, q, ptx_W);
    return row;
}

// The settings a search can set are searched whole; every setting adds only the row and
// the column of index 0 to them.
bool CompareWithAllSettings(TunerKind kind, SweepTuneRow& row, const StopRequest& stop) {
    if (!row.load || !row.banks) return !(stop && stop());
    const BankValues cs = CapacitorBank(*row.banks), ls = InductorBank(*row.banks);
    const AllSettingsBest reachable =
        BestOfAllSettings(kind, *row.load, FromIndexOne(cs), FromIndexOne(ls), stop);
    if (reachable.stopped) return false;
    AllSettingsBest best = reachable;
    for (const AllSettingsBest& edge :
         {BestOfAllSettings(kind, *row.load, cs, IndexZero(ls)),
          BestOfAllSettings(kind, *row.load, IndexZero(cs), FromIndexOne(ls))}) {
        if (Before(edge, best)) best = edge;
    }
    best.settings = SettingCount(*row.banks);
    row.best = best;
    row.reachable = reachable;
    return true;
}

SweepComparison Compare(std::span<const SweepTuneRow> rows) {
    SweepComparison comparison;
    double sum = 0, matchableSum = 0;
    for (const SweepTuneRow& row : rows) {
        if (!row.best) continue;
        ++comparison.compared;
        if (!(row.best->swr < TunerState::kNoMatch)) {
            ++comparison.noMatch;
            continue;
        }
        const double excess = ShownSwr(row.swr) - ShownSwr(row.best->swr);
        sum += excess;
        comparison.worstExcess = std::max(comparison.worstExcess, excess);
        comparison.atBest += SameSwr(row.swr, row.best->swr);
        comparison.atReachable += row.reachable && SameSwr(row.swr, row.reachable->swr);
        if (row.best->swr <= kMatchable) {
            ++comparison.matchable;
            comparison.nearBest += NearBest(row.swr, row.best->swr);
            matchableSum += row.swr - row.best->swr;
        }
    }
    const int matched = comparison.compared - comparison.noMatch;
    if (matched > 0) comparison.meanExcess = sum / matched;
    if (comparison.matchable > 0) comparison.matchableExcess = matchableSum / comparison.matchable;
    return comparison;
}

std::string ComparisonText(const SweepComparison& comparison, std::size_t rows, bool complete) {
    if (comparison.compared == 0 && complete) {
        return "No tuning to compare with the bank settings: TUNE was refused at every step.";
    }
    const int matched = comparison.compared - comparison.noMatch;
    std::string text = "Best (index 0 incl.) found at " + std::to_string(comparison.atBest) +
                       " of " + std::to_string(matched);
    if (comparison.noMatch > 0) text += ", no match at " + std::to_string(comparison.noMatch);
    text += "; excess mean " + FixedText(comparison.meanExcess, 3) + ", worst " +
            FixedText(comparison.worstExcess, 2) + ". Best SWR <= 2 at " +
            std::to_string(comparison.matchable) + ": within 0.05 at " +
            std::to_string(comparison.nearBest) + ", excess there " +
            FixedText(comparison.matchableExcess, 3) + ".";
    if (!complete) {
        text += " Stopped after a quarter of the sweep's time, " + std::to_string(rows) +
                " frequencies swept.";
    }
    return text;
}

std::string ComparisonDetails(const SweepComparison& comparison) {
    return "The best is the lowest SWR over every setting of the banks, index 0 (0 pF or 0 µH, "
           "nothing switched in) included, which TUNE never sets; the best of the settings TUNE "
           "can set it found at " +
           std::to_string(comparison.atReachable) +
           ". Found: the same SWR. No match: no setting comes below SWR 9999. Excess: the SWR "
           "above the best's, as the tuner shows SWRs (rounded down to 0.01), where some setting "
           "matches; within 0.05 and the mean excess there from the SWRs themselves.";
}
