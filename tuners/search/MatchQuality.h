#pragma once

#include <cmath>

// How a search's result is judged against the best setting of the banks.

// A frequency is matchable where the best setting reaches this SWR.
inline constexpr double kMatchable = 2;
// A search lands on the best where it ends within this much of the best's SWR.
inline constexpr double kNearBest = 0.05;

// Differences of SWRs carry rounding: 1.55 - 1.5 is a little above 0.05.
inline bool NearBest(double swr, double best) {
    return swr - best <= kNearBest + 1e-9;
}

// The same SWR, but for the rounding of the arithmetic that led to it.
inline bool SameSwr(double swr, double best) {
    return std::abs(swr - best) <= 1e-9 * std::abs(best);
}
