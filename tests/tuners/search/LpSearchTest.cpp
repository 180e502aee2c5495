#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

constexpr IndexRange kDefaultBanks{1023, 511};

}  // namespace

TEST(LpClSearch, DefaultBanksStopAtTheOperationLimit) {
    // 20 x 68 coarse settings; with nothing below 1.4 the limit cuts the coarse phase at 1201
    // operations, the refinement is skipped and the best is evaluated once more.
    RecordingHost host(Landscape(5, {}));
    BestSetting best;
    RunSearch(TunerKind::LpCl, host, kDefaultBanks, best);
    EXPECT_EQ(host.Operations(), 1202);
    EXPECT_TRUE(host.coarse().empty());
    const std::vector<Setting> grid = Grid(LpClInductorSequence(511), LpClCapacitorSequence(1023));
    ASSERT_EQ(grid.size(), 1360u);
    EXPECT_EQ(Slice(host.evaluated(), 0, 1201), Slice(grid, 0, 1201));
    EXPECT_EQ(host.evaluated().back(), (Setting{1023, 1}));
}

TEST(LpClSearch, EarlyStopSkipsTheCoarseResult) {
    RecordingHost host(Landscape(5, {{{27, 3}, 1.39}}));
    BestSetting best;
    EXPECT_EQ(RunSearch(TunerKind::LpCl, host, kDefaultBanks, best), 1.39);
    // Third inductor row, tenth capacitor of the falling sequence, then the final step.
    EXPECT_EQ(host.Operations(), 2 * 20 + 10 + 1);
    EXPECT_TRUE(host.coarse().empty());
    EXPECT_EQ(host.evaluated().back(), (Setting{27, 3}));
}

TEST(LpClSearch, StepOneBelowSwrTwoAndInductorStepAlwaysOne) {
    // Banks 127 x 31: 14 x 27 coarse settings, then the first refinement pass around (38, 10).
    const IndexRange banks{127, 31};
    const size_t coarse = 14 * 27;
    ASSERT_EQ(Grid(LpClInductorSequence(31), LpClCapacitorSequence(127)).size(), coarse);

    RecordingHost below(Landscape(5, {{{38, 10}, 1.9}}));
    BestSetting best;
    RunSearch(TunerKind::LpCl, below, banks, best);
    ASSERT_EQ(below.coarse().size(), 1u);
    EXPECT_EQ(below.coarse()[0].level, 0);
    EXPECT_EQ(below.coarse()[0].shownAfter, static_cast<int32_t>(coarse));
    // L 8.5 .. 11.53 -> 8 .. 12, C 27.5 .. 51.67 -> 28 .. 52, every index; the step stays 1.
    const std::vector<Setting> pass = Grid(Span(8, 12), Span(28, 52));
    EXPECT_EQ(Slice(below.evaluated(), coarse, pass.size()), pass);
    EXPECT_EQ(Slice(below.evaluated(), coarse + pass.size(), pass.size()), pass);

    RecordingHost atTwo(Landscape(5, {{{38, 10}, 2}}));
    best = {};
    RunSearch(TunerKind::LpCl, atTwo, banks, best);
    // Exactly 2 uses the row below 3: L 8 .. 12 still in steps of 1, C 12 .. 115 in steps
    // of 6, then 5.
    const std::vector<Setting> first = Grid(Span(8, 12), Span(12, 115, 6));
    const std::vector<Setting> second = Grid(Span(8, 12), Span(12, 115, 5));
    EXPECT_EQ(Slice(atTwo.evaluated(), coarse, first.size()), first);
    EXPECT_EQ(Slice(atTwo.evaluated(), coarse + first.size(), second.size()), second);
}

TEST(LpClSearch, OperationLimitCutsARefinementPass) {
    // Best (40, 20) at SWR 5: the first pass, L 9 .. 31 x C 3 .. 1023 in steps of 6, is far
    // larger than the budget left after 20 x 27 coarse settings.
    RecordingHost host(Landscape(8, {{{40, 20}, 5}}));
    BestSetting best;
    RunSearch(TunerKind::LpCl, host, {1023, 31}, best);
    const size_t coarse = 20 * 27;
    EXPECT_EQ(Slice(host.evaluated(), coarse, 1201 - coarse),
              Slice(Grid(Span(9, 31), Span(3, 1023, 6)), 0, 1201 - coarse));
    EXPECT_EQ(host.Operations(), 1202);
    EXPECT_EQ(host.evaluated().back(), (Setting{40, 20}));
}

TEST(LpLcSearch, CoarseOrderAndRefinementStepsOnBothBanks) {
    RecordingHost host(Landscape(20, {{{64, 16}, 5}}));
    BestSetting best;
    RunSearch(TunerKind::LpLc, host, kDefaultBanks, best);
    const std::vector<Setting> coarse = Grid(DoublingSequence(511), DoublingSequence(1023));
    ASSERT_EQ(coarse.size(), 110u);
    EXPECT_EQ(Slice(host.evaluated(), 0, 110), coarse);
    ASSERT_EQ(host.coarse().size(), 1u);
    EXPECT_EQ(host.coarse()[0].level, 0);
    EXPECT_EQ(host.coarse()[0].bestSWR, 5);
    EXPECT_EQ(host.coarse()[0].best, (Setting{64, 16}));
    EXPECT_EQ(host.coarse()[0].shownAfter, 110);
    // Row below 10: L 9.67 .. 25 -> 10 .. 25, C 41.67 .. 97 -> 42 .. 97, steps 6 then 5.
    const std::vector<Setting> first = Grid(Span(10, 25, 6), Span(42, 97, 6));
    const std::vector<Setting> second = Grid(Span(10, 25, 5), Span(42, 97, 5));
    EXPECT_EQ(Slice(host.evaluated(), 110, first.size()), first);
    EXPECT_EQ(Slice(host.evaluated(), 110 + first.size(), second.size()), second);
    EXPECT_EQ(host.evaluated().back(), (Setting{64, 16}));
}

TEST(LpSearch, BankWithoutElements) {
    const Load load;
    // LP-CL: capacitor 0 (none) and 1 at every inductor index; the refinement window
    // 1 .. 0 is empty.
    {
        RecordingHost host(LpNetwork(TunerKind::LpCl, load));
        BestSetting best;
        RunSearch(TunerKind::LpCl, host, {0, 511}, best);
        EXPECT_EQ(Slice(host.evaluated(), 0, 136), Grid(LpClInductorSequence(511), {0, 1}));
        EXPECT_EQ(host.Operations(), 136 + 1);
    }
    // LP-LC: the sequence starts at 1 and is clamped to 0.
    {
        RecordingHost host(LpNetwork(TunerKind::LpLc, load));
        BestSetting best;
        RunSearch(TunerKind::LpLc, host, {0, 511}, best);
        EXPECT_EQ(Slice(host.evaluated(), 0, 20), Grid(DoublingSequence(511), {1, 0}));
        EXPECT_EQ(host.Operations(), 20 + 1);
    }
    // HP-CL with neither bank: each level tries 1 and 0 on both; no window is left.
    {
        RecordingHost host(Landscape(20, {}));
        BestSetting best;
        RunSearch(TunerKind::HpCl, host, {0, 0}, best);
        EXPECT_EQ(host.Operations(), 3 * 4 + 1);
        EXPECT_EQ(host.evaluated().back(), (Setting{1, 1}));
    }
}
