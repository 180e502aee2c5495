#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tuners/search/SearchRun.h"
#include "tuners/search/TunerSearch.h"

// One edge of a refinement window: best * num / den, widened by one index outwards.
struct Edge {
    int32_t num = 1;
    int32_t den = 1;
};
// An upper capacitor edge at the top of the bank, whatever the best setting.
inline constexpr Edge kBankTop{0, 0};

// A row of a refinement table. Rows are tested in order and the last one that applies
// sets the window.
struct WindowRow {
    double below;  // applies while bestSWR is below this
    Edge lLow, lHigh, cLow, cHigh;
    bool stepOne = false;  // from here on every capacitor index is visited
};

struct RefinementTable {
    std::span<const WindowRow> rows;
    bool lStepOne = false;  // inductor indices always in steps of 1
};

// Loop bounds of a window, clamped to 1 .. max index of each bank.
struct IndexWindow {
    int32_t lLow = 0, lHigh = 0, cLow = 0, cHigh = 0;
};

// Clamps the window's edges to the banks, then rounds them to loop bounds. The result is
// wider than 16 bits: an edge computed from a stale best setting may lie far outside.
IndexWindow ClampedWindow(double lLow, double lHigh, double cLow, double cHigh, IndexRange range);

// low, low + step, ... up to high; empty when low > high.
std::vector<int16_t> SteppedIndices(int32_t low, int32_t high, int32_t step);

// The eight refinement passes on shrinking windows around the best setting.
PhaseEnd Refine(SearchRun& run, IndexRange range, const RefinementTable& table);
