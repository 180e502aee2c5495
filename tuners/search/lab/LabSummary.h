#pragma once

#include <array>
#include <span>
#include <string>

#include "tuners/search/lab/RelayCost.h"
#include "tuners/search/lab/TunerLab.h"

// How each strategy did over the frequencies of a lab run.

// A frequency is matchable where the best setting of the banks reaches this SWR, and a
// strategy lands on the best there when it ends within kNearBest of its SWR.
inline constexpr double kMatchable = 2;
inline constexpr double kNearBest = 0.05;

struct StrategySummary {
    int tuned = 0;      // frequencies tuned
    int matchable = 0;  // of them, matchable
    int nearBest = 0;   // of those, where the strategy landed on the best
    // SWR above the best's, over the matchable frequencies.
    double meanExcess = 0;
    double worstExcess = 0;
    // Over every frequency tuned.
    double meanEvaluations = 0;
    int32_t worstEvaluations = 0;
    double meanRelayOps = 0;
    int64_t worstRelayOps = 0;
    double meanTime_ms = 0;
    double worstTime_ms = 0;
};

using LabSummary = std::array<StrategySummary, kStrategyCount>;

LabSummary Summarise(std::span<const LabPoint> points, const RelayTimes& times);

// The summary as a table in plain text, a line per strategy under a heading that names
// the tuner and what the figures are taken over.
std::string SummaryTable(TunerKind kind, const LabSummary& summary, std::size_t frequencies);

// What the best setting is measured against, in words.
extern const char* const kBestExplained;
