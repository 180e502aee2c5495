#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "tuners/search/TunerSearch.h"

// One tune's measurements through the host: each setting of the banks (0 .. max index) is
// measured at most once, whichever way the search comes back to it, and the best one is
// kept. Only a strictly lower SWR below 9999 replaces the best, so the first of equals wins.
class Probe {
public:
    static constexpr double kNoMatch = 9999;

    Probe(SearchHost& host, IndexRange range) : host_(host), range_(range) {}

    bool Contains(int32_t c, int32_t l) const;
    // Nothing outside the banks, where the evaluation faults, or once the host is gone.
    std::optional<double> Swr(BestSetting s);
    // Ends on the best setting: tries it again unless it was the last one tried.
    void Finish();

    bool abandoned() const { return host_.Abandoned(); }
    const std::optional<BestSetting>& best() const { return best_; }
    double bestSwr() const { return bestSwr_; }

private:
    static uint32_t Key(BestSetting s);

    SearchHost& host_;
    const IndexRange range_;
    std::unordered_map<uint32_t, std::optional<double>> measured_;
    std::optional<BestSetting> last_;
    std::optional<BestSetting> best_;
    double bestSwr_ = kNoMatch;
};

// Best improvement by one index in each bank (the eight neighbours) until no neighbour is
// better; returns where it stopped. A start that cannot be measured moves to its best
// neighbour, if any.
BestSetting Descend(Probe& probe, BestSetting start);

// Along a narrow valley that runs at a slant to both banks: steps of one index in one bank,
// the other bank tuned again by a walk along it after each, while the SWR falls; then
// Descend.
BestSetting FollowValley(Probe& probe, BestSetting start);
