#pragma once

#include <array>
#include <span>
#include <string>

#include "tuners/search/MatchQuality.h"
#include "tuners/search/lab/RelayCost.h"
#include "tuners/search/lab/TunerLab.h"

// How each strategy did over the frequencies of a lab run, and at a single one.

// A frequency is matchable where the best setting of the banks reaches kMatchable, and a
// strategy lands on the best there when it ends within kNearBest of its SWR.
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

// The columns of the summary and of a single frequency, and a strategy's cells in them, as
// the window's table and the text table show them.
inline constexpr std::array<const char*, 9> kSummaryColumns = {
    "best within .05", "excess mean",     "excess worst",  "tried mean",    "tried worst",
    "relay ops mean",  "relay ops worst", "time mean (s)", "time worst (s)"};
std::array<std::string, 9> SummaryCells(const StrategySummary& summary);

inline constexpr std::array<const char*, 7> kTuneColumns = {
    "C (pF)", "L (µH)", "SWR", "excess", "settings tried", "relay ops", "time (s)"};
std::array<std::string, 7> TuneCells(const BankSetup& banks, const LabPoint& point,
                                     Strategy strategy, const RelayTimes& times);

// The summary as a text table, a line per strategy, under a heading that names the tuner
// and what the figures are taken over.
std::string SummaryTable(TunerKind kind, const LabSummary& summary, std::size_t frequencies);

// What the best setting is, in words.
extern const char* const kBestExplained;
