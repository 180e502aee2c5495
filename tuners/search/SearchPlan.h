#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tuners/search/Refinement.h"
#include "tuners/search/TunerSearch.h"

// What sets the three tuners' searches apart; the machinery that runs them is shared.
struct SearchPlan {
    using Sequence = std::vector<int16_t> (*)(int16_t maxIndex, int level);

    // Coarse levels in turn; the next, finer one runs only while bestSWR is not below
    // finerUnlessBelow.
    std::span<const int> coarseLevels;
    double finerUnlessBelow = 0;
    Sequence cSequence = nullptr;
    Sequence lSequence = nullptr;
    // Whether an early stop in the coarse phase still shows the coarse result.
    bool showCoarseOnEarlyStop = false;
    RefinementTable refinement;
    // Searches best +-3 in full before the final evaluation, unless bestSWR is below 1.2.
    bool finalWindow = false;
};

const SearchPlan& PlanFor(TunerKind kind);
