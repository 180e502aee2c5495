#include "tuners/search/Refinement.h"

#include "tuners/search/Rounding.h"

namespace {

constexpr int kPasses = 8;
constexpr int32_t kFirstStep = 6;

// The product is formed wider than 16 bits, where an index above 6553 would overflow it.
double Scaled(int16_t best, Edge edge) {
    return static_cast<double>(static_cast<int32_t>(best) * edge.num) / edge.den;
}

const WindowRow& ApplicableRow(std::span<const WindowRow> rows, double bestSWR) {
    const WindowRow* applicable = &rows.front();
    for (const WindowRow& row : rows) {
        if (bestSWR < row.below) applicable = &row;
    }
    return *applicable;
}

IndexWindow WindowAround(const WindowRow& row, BestSetting best, IndexRange range) {
    const double cHigh =
        row.cHigh.den == 0 ? static_cast<double>(range.cmaxIndex) : Scaled(best.c, row.cHigh) + 1;
    return ClampedWindow(Scaled(best.l, row.lLow) - 1, Scaled(best.l, row.lHigh) + 1,
                         Scaled(best.c, row.cLow) - 1, cHigh, range);
}

}  // namespace

IndexWindow ClampedWindow(double lLow, double lHigh, double cLow, double cHigh, IndexRange range) {
    if (lLow < 1) lLow = 1;
    if (lHigh > range.lmaxIndex) lHigh = range.lmaxIndex;
    if (cLow < 1) cLow = 1;
    if (cHigh > range.cmaxIndex) cHigh = range.cmaxIndex;
    return {static_cast<int32_t>(RoundHalfEven(lLow)), static_cast<int32_t>(RoundHalfEven(lHigh)),
            static_cast<int32_t>(RoundHalfEven(cLow)), static_cast<int32_t>(RoundHalfEven(cHigh))};
}

std::vector<int16_t> SteppedIndices(int32_t low, int32_t high, int32_t step) {
    std::vector<int16_t> indices;
    // A 32-bit counter: stepping past an upper bound near 32767 must not overflow.
    for (int32_t i = low; i <= high; i += step) indices.push_back(static_cast<int16_t>(i));
    return indices;
}

PhaseEnd Refine(SearchRun& run, IndexRange range, const RefinementTable& table) {
    int32_t step = kFirstStep;
    for (int pass = 0; pass < kPasses; ++pass) {
        const WindowRow& row = ApplicableRow(table.rows, run.bestSWR());
        if (row.stepOne) step = 1;
        const IndexWindow w = WindowAround(row, run.best(), range);
        const std::vector<int16_t> ls = SteppedIndices(w.lLow, w.lHigh, table.lStepOne ? 1 : step);
        const std::vector<int16_t> cs = SteppedIndices(w.cLow, w.cHigh, step);
        if (const PhaseEnd end = run.Scan(ls, cs, true); end != PhaseEnd::Completed) return end;
        if (step > 1) --step;
    }
    return PhaseEnd::Completed;
}
