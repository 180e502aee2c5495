#include "tuners/search/lab/LabSummary.h"

#include <algorithm>
#include <cstdio>

#include "core/NumberFormat.h"

const char* const kBestExplained =
    "The best setting is the lowest SWR over every setting of the banks, index 0 (0 pF or "
    "0 µH, nothing switched in) included, which TUNE never sets.";

namespace {

const char* TunerName(TunerKind kind) {
    constexpr const char* kNames[] = {"HP-CL", "LP-CL", "LP-LC"};
    return kNames[static_cast<int>(kind)];
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
            // Differences of SWRs carry rounding: 1.55 - 1.5 is a little above 0.05.
            s.nearBest += excess <= kNearBest + 1e-9;
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

std::string SummaryTable(TunerKind kind, const LabSummary& summary, std::size_t frequencies) {
    const StrategySummary& any = summary.front();
    std::string text =
        std::string("Tuner lab, ") + TunerName(kind) + ": " + std::to_string(any.tuned) + " of " +
        std::to_string(frequencies) + " frequencies tuned, " + std::to_string(any.matchable) +
        " where the best setting reaches SWR 2 (matchable).\n" + kBestExplained + "\n\n";
    char line[256];
    std::snprintf(line, sizeof line, "%-15s %15s %17s %17s %17s %19s\n", "strategy",
                  "best within .05", "SWR excess", "settings tried", "relay ops",
                  "time to tune (s)");
    text += line;
    std::snprintf(line, sizeof line, "%-15s %15s %8s %8s %8s %8s %8s %8s %9s %9s\n", "",
                  "(matchable)", "mean", "worst", "mean", "worst", "mean", "worst", "mean",
                  "worst");
    text += line;
    for (const Strategy strategy : kStrategies) {
        const StrategySummary& s = summary[static_cast<std::size_t>(strategy)];
        const std::string share =
            std::to_string(s.nearBest) + " (" +
            (s.matchable > 0 ? FixedText(100.0 * s.nearBest / s.matchable, 1) : "-") + " %)";
        std::snprintf(line, sizeof line, "%-15s %15s %8s %8s %8s %8d %8s %8lld %9s %9s\n",
                      StrategyTitle(strategy), share.c_str(), FixedText(s.meanExcess, 3).c_str(),
                      FixedText(s.worstExcess, 2).c_str(), FixedText(s.meanEvaluations, 1).c_str(),
                      s.worstEvaluations, FixedText(s.meanRelayOps, 1).c_str(),
                      static_cast<long long>(s.worstRelayOps),
                      FixedText(s.meanTime_ms / 1000, 2).c_str(),
                      FixedText(s.worstTime_ms / 1000, 2).c_str());
        text += line;
    }
    return text;
}
