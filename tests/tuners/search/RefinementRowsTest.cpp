#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

struct Row {
    TunerKind kind;
    IndexRange range;
    Setting best;
    double swr;
    int lLow, lHigh, lStep, cLow, cHigh;  // the first pass, at capacitor step 6
};

}  // namespace

TEST(Refinement, FirstPassWindowByBestSwr) {
    const Row rows[] = {
        // HP-CL around (63, 255): 10 and more, 3 to below 10, below 3.
        {TunerKind::HpCl, {127, 511}, {63, 255}, 10, 169, 384, 6, 41, 96},
        {TunerKind::HpCl, {127, 511}, {63, 255}, 3, 190, 341, 6, 46, 85},
        {TunerKind::HpCl, {127, 511}, {63, 255}, 2.99, 203, 320, 6, 49, 80},
        // LP-LC around (64, 16): always, below 10 (elsewhere), below 3.
        {TunerKind::LpLc, {1023, 511}, {64, 16}, 10, 7, 33, 6, 31, 129},
        {TunerKind::LpLc, {1023, 511}, {64, 16}, 2.99, 11, 22, 6, 47, 86},
        // LP-CL around (38, 20): the first row spans up to the top of the capacitor bank.
        {TunerKind::LpCl, {127, 31}, {38, 20}, 3, 9, 31, 1, 3, 127},
        {TunerKind::LpCl, {127, 31}, {38, 20}, 2.99, 17, 23, 1, 12, 115},
    };
    for (const Row& row : rows) {
        const Searched run =
            Search(row.kind, Landscape(20, {{{row.best.c, row.best.l}, row.swr}}), row.range);
        ASSERT_EQ(run.host.coarse().size(), 1u);
        ASSERT_EQ(run.host.coarse()[0].best, row.best);
        const std::vector<Setting> pass =
            Grid(Span(row.lLow, row.lHigh, row.lStep), Span(row.cLow, row.cHigh, 6));
        EXPECT_EQ(Slice(run.host.evaluated(), run.host.coarse()[0].shownAfter, pass.size()), pass)
            << static_cast<int>(row.kind) << " at " << row.swr;
    }
}

TEST(Refinement, WindowProductsOfLargeIndicesDoNotOverflow) {
    // Around (14563, 10) below SWR 3 the upper capacitor edge 14563 * 3 + 1 exceeds 16 bits;
    // it is clamped to the top of the bank, so the pass still starts at 14563 / 3 - 1.
    const Searched run = Search(TunerKind::LpCl, Landscape(20, {{{14563, 10}, 2.5}}), {32767, 30});
    ASSERT_EQ(run.host.coarse().size(), 1u);
    const size_t coarse = static_cast<size_t>(run.host.coarse()[0].shownAfter);
    EXPECT_EQ(Slice(run.host.evaluated(), coarse, 2), (std::vector<Setting>{{4853, 8}, {4859, 8}}));
    EXPECT_EQ(run.host.Operations(), 1202);
}
