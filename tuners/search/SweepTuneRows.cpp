#include "tuners/search/SweepTuneRows.h"

#include <algorithm>
#include <cmath>

#include "core/NumberFormat.h"
#include "core/NumberText.h"

namespace {

constexpr const char* kNames[] = {"hpcl", "lpcl", "lplc"};  // in the order of TunerKind

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

SweepTuneRow RowOf(const TunerState& tuner, double f_MHz) {
    return {f_MHz, tuner.display(), tuner.swr(), tuner.banks(), tuner.tunedLoad(), std::nullopt};
}

bool CompareWithAllSettings(TunerKind kind, SweepTuneRow& row, const StopRequest& stop) {
    if (!row.load || !row.banks) return !(stop && stop());
    const AllSettingsBest best = BestOfAllSettings(kind, *row.load, CapacitorBank(*row.banks),
                                                   InductorBank(*row.banks), stop);
    if (best.stopped) return false;
    row.best = best;
    return true;
}

SweepComparison Compare(std::span<const SweepTuneRow> rows) {
    SweepComparison comparison;
    double sum = 0;
    for (const SweepTuneRow& row : rows) {
        if (!row.best) continue;
        const double excess = ShownSwr(row.swr) - ShownSwr(row.best->swr);
        ++comparison.compared;
        comparison.atBest += excess <= 0;
        sum += excess;
        comparison.worstExcess = std::max(comparison.worstExcess, excess);
    }
    if (comparison.compared > 0) comparison.meanExcess = sum / comparison.compared;
    return comparison;
}

std::string ComparisonText(const SweepComparison& comparison, std::size_t rows, bool complete) {
    if (comparison.compared == 0 && complete) {
        return "No tuning to compare with the bank settings: TUNE was refused at every step.";
    }
    std::string text = "Against the best setting of the banks: SWR excess mean " +
                       FixedText(comparison.meanExcess, 3) + ", worst " +
                       FixedText(comparison.worstExcess, 2) + "; best found at " +
                       std::to_string(comparison.atBest) + " of " +
                       std::to_string(comparison.compared) + " frequencies.";
    if (!complete) {
        text += " Stopped after a quarter of the sweep's time, " + std::to_string(rows) +
                " frequencies swept.";
    }
    return text;
}
