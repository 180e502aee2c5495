#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "tuners/search/TunerSearch.h"

// How a phase of a search ended.
enum class PhaseEnd { Completed, EarlyStop, Abandoned };

// One run of a search: the host, the best setting and the rules applied after every
// evaluation. All phases of all three tuners go through it.
class SearchRun {
public:
    static constexpr double kNoMatch = 9999;

    SearchRun(SearchHost& host, BestSetting& best) : host_(host), best_(best) {}

    // Evaluates the grid, inductor index outer, capacitor index inner. With earlyStop the
    // scan ends after a setting below SWR 1.4 or once more than 1200 operations are spent.
    PhaseEnd Scan(std::span<const int16_t> lIndices, std::span<const int16_t> cIndices,
                  bool earlyStop);
    // Evaluates the best setting once more, so the window ends showing it.
    PhaseEnd EvaluateBest();
    void ShowCoarseResult(int level);

    double bestSWR() const { return bestSWR_; }
    BestSetting best() const { return best_; }

private:
    // Nothing once the window is gone: no setting may be evaluated after that.
    std::optional<double> Evaluate(int16_t c, int16_t l);

    SearchHost& host_;
    BestSetting& best_;
    double bestSWR_ = kNoMatch;
};
