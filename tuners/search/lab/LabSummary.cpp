#include "tuners/search/lab/LabSummary.h"

#include <algorithm>
#include <vector>

#include "core/NumberFormat.h"
#include "core/NumberText.h"

const char* const kBestExplained =
    "The best setting is the lowest SWR over every setting of the banks, index 0 (0 pF or "
    "0 µH, nothing switched in) included, which TUNE never sets. Matchable: where the best "
    "reaches SWR 2.";

namespace {

const char* TunerName(TunerKind kind) {
    constexpr const char* kNames[] = {"HP-CL", "LP-CL", "LP-LC"};
    return kNames[static_cast<int>(kind)];
}

std::string Seconds(double ms) {
    return FixedText(ms / 1000, 2);
}

// Display width of UTF-8 text: continuation bytes take no column.
std::size_t Columns(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
}

}  // namespace

LabSummary Summarise(std::span<const LabPoint> points, const RelayTimes& times) {
    LabSummary summary{};
    for (std::size_t i = 0; i < kStrategyCount; ++i) {
        StrategySummary& s = summary[i];
        for (const LabPoint& point : points) {
            if (!point.tuned) continue;
            const StrategyTune& tune = point.tunes[i];
            const double time_ms = TuneTime_ms(tune.cost, times);
            ++s.tuned;
            s.meanEvaluations += tune.cost.evaluations;
            s.worstEvaluations = std::max(s.worstEvaluations, tune.cost.evaluations);
            s.meanRelayOps += static_cast<double>(tune.cost.relayOps);
            s.worstRelayOps = std::max(s.worstRelayOps, tune.cost.relayOps);
            s.meanTime_ms += time_ms;
            s.worstTime_ms = std::max(s.worstTime_ms, time_ms);
            if (!(point.best.swr <= kMatchable)) continue;
            const double excess = tune.swr - point.best.swr;
            ++s.matchable;
            s.nearBest += NearBest(tune.swr, point.best.swr);
            s.meanExcess += excess;
            s.worstExcess = std::max(s.worstExcess, excess);
        }
        if (s.tuned > 0) {
            s.meanEvaluations /= s.tuned;
            s.meanRelayOps /= s.tuned;
            s.meanTime_ms /= s.tuned;
        }
        if (s.matchable > 0) s.meanExcess /= s.matchable;
    }
    return summary;
}

std::array<std::string, 9> SummaryCells(const StrategySummary& s) {
    const std::string share =
        s.matchable > 0 ? FixedText(100.0 * s.nearBest / s.matchable, 1) + " %" : "-";
    return {std::to_string(s.nearBest) + " (" + share + ")",
            FixedText(s.meanExcess, 3),
            FixedText(s.worstExcess, 2),
            FixedText(s.meanEvaluations, 1),
            std::to_string(s.worstEvaluations),
            FixedText(s.meanRelayOps, 1),
            std::to_string(s.worstRelayOps),
            Seconds(s.meanTime_ms),
            Seconds(s.worstTime_ms)};
}

std::array<std::string, 7> TuneCells(const BankSetup& banks, const LabPoint& point,
                                     Strategy strategy, const RelayTimes& times) {
    const StrategyTune& tune = point.of(strategy);
    std::string c, l;
    if (tune.setting) {
        Checked check;
        c = FormatField(CapacitanceOf(banks, tune.setting->c, check));
        l = FormatField(InductanceOf(banks, tune.setting->l, check));
    }
    return {c,
            l,
            FixedText(tune.swr, 3),
            FixedText(tune.swr - point.best.swr, 3),
            std::to_string(tune.cost.evaluations),
            std::to_string(tune.cost.relayOps),
            Seconds(TuneTime_ms(tune.cost, times))};
}

std::string SummaryTable(TunerKind kind, const LabSummary& summary, std::size_t frequencies) {
    const StrategySummary& any = summary.front();
    std::string text = std::string("Tuner lab, ") + TunerName(kind) + ": " +
                       std::to_string(any.tuned) + " of " + std::to_string(frequencies) +
                       " frequencies tuned, " + std::to_string(any.matchable) +
                       " matchable; excess and best within .05 over the matchable ones.\n" +
                       kBestExplained + "\n\n";
    std::vector<std::vector<std::string>> rows{{"strategy"}};
    rows[0].insert(rows[0].end(), kSummaryColumns.begin(), kSummaryColumns.end());
    for (const Strategy strategy : kStrategies) {
        const std::array<std::string, 9> cells =
            SummaryCells(summary[static_cast<std::size_t>(strategy)]);
        rows.push_back({StrategyTitle(strategy)});
        rows.back().insert(rows.back().end(), cells.begin(), cells.end());
    }
    std::vector<std::size_t> widths(rows[0].size());
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], Columns(row[i]));
    }
    // The strategy left-aligned, the figures right-aligned.
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - Columns(row[i]), ' ');
            line += i == 0 ? row[i] + pad : "  " + pad + row[i];
        }
        text += line + "\n";
    }
    return text;
}
