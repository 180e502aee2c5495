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
    const Searched run = Search(TunerKind::LpCl, Landscape(5, {}), kDefaultBanks);
    EXPECT_EQ(run.host.Operations(), 1202);
    EXPECT_TRUE(run.host.coarse().empty());
    const std::vector<Setting> grid = Grid(LpClInductorSequence(511), LpClCapacitorSequence(1023));
    ASSERT_EQ(grid.size(), 1360u);
    EXPECT_EQ(Slice(run.host.evaluated(), 0, 1201), Slice(grid, 0, 1201));
    EXPECT_EQ(run.host.evaluated().back(), (Setting{1023, 1}));
}

TEST(LpClSearch, EarlyStopSkipsTheCoarseResult) {
    const Searched run = Search(TunerKind::LpCl, Landscape(5, {{{27, 3}, 1.39}}), kDefaultBanks);
    EXPECT_EQ(run.swr, 1.39);
    // Third inductor row, tenth capacitor of the falling sequence, then the final step.
    EXPECT_EQ(run.host.Operations(), 2 * 20 + 10 + 1);
    EXPECT_TRUE(run.host.coarse().empty());
    EXPECT_EQ(run.host.evaluated().back(), (Setting{27, 3}));
}

TEST(LpClSearch, StepOneBelowSwrTwoAndInductorStepAlwaysOne) {
    // Banks 127 x 31: 14 x 27 coarse settings, then the first refinement pass around (38, 10).
    const IndexRange banks{127, 31};
    const size_t coarse = 14 * 27;
    ASSERT_EQ(Grid(LpClInductorSequence(31), LpClCapacitorSequence(127)).size(), coarse);

    const Searched below = Search(TunerKind::LpCl, Landscape(5, {{{38, 10}, 1.9}}), banks);
    EXPECT_EQ(below.host.coarse(), (Shown{{0, 1.9, {38, 10}, static_cast<int32_t>(coarse)}}));
    // L 8.5 .. 11.53 -> 8 .. 12, C 27.5 .. 51.67 -> 28 .. 52, every index; the step stays 1.
    const std::vector<Setting> pass = Grid(Span(8, 12), Span(28, 52));
    EXPECT_EQ(Slice(below.host.evaluated(), coarse, pass.size()), pass);
    EXPECT_EQ(Slice(below.host.evaluated(), coarse + pass.size(), pass.size()), pass);

    // Exactly 2 uses the row below 3: L 8 .. 12 still in steps of 1, C 12 .. 115 in steps
    // of 6, then 5.
    const Searched atTwo = Search(TunerKind::LpCl, Landscape(5, {{{38, 10}, 2}}), banks);
    const std::vector<Setting> first = Grid(Span(8, 12), Span(12, 115, 6));
    const std::vector<Setting> second = Grid(Span(8, 12), Span(12, 115, 5));
    EXPECT_EQ(Slice(atTwo.host.evaluated(), coarse, first.size()), first);
    EXPECT_EQ(Slice(atTwo.host.evaluated(), coarse + first.size(), second.size()), second);
}

TEST(LpClSearch, OperationLimitCutsARefinementPass) {
    // Best (40, 20) at SWR 5: the first pass, L 9 .. 31 x C 3 .. 1023 in steps of 6, is far
    // larger than the budget left after 20 x 27 coarse settings.
    const Searched run = Search(TunerKind::LpCl, Landscape(8, {{{40, 20}, 5}}), {1023, 31});
    const size_t coarse = 20 * 27;
    EXPECT_EQ(Slice(run.host.evaluated(), coarse, 1201 - coarse),
              Slice(Grid(Span(9, 31), Span(3, 1023, 6)), 0, 1201 - coarse));
    EXPECT_EQ(run.host.Operations(), 1202);
    EXPECT_EQ(run.host.evaluated().back(), (Setting{40, 20}));
}

TEST(LpLcSearch, CoarseOrderAndRefinementStepsOnBothBanks) {
    const Searched run = Search(TunerKind::LpLc, Landscape(20, {{{64, 16}, 5}}), kDefaultBanks);
    const std::vector<Setting> coarse = Grid(DoublingSequence(511), DoublingSequence(1023));
    ASSERT_EQ(coarse.size(), 110u);
    EXPECT_EQ(Slice(run.host.evaluated(), 0, 110), coarse);
    EXPECT_EQ(run.host.coarse(), (Shown{{0, 5, {64, 16}, 110}}));
    // Row below 10: L 9.67 .. 25 -> 10 .. 25, C 41.67 .. 97 -> 42 .. 97, steps 6 then 5.
    const std::vector<Setting> first = Grid(Span(10, 25, 6), Span(42, 97, 6));
    const std::vector<Setting> second = Grid(Span(10, 25, 5), Span(42, 97, 5));
    EXPECT_EQ(Slice(run.host.evaluated(), 110, first.size()), first);
    EXPECT_EQ(Slice(run.host.evaluated(), 110 + first.size(), second.size()), second);
    EXPECT_EQ(run.host.evaluated().back(), (Setting{64, 16}));
}

// LP-CL tries capacitor 0 (none) and 1 at every inductor index, and its refinement window
// 1 .. 0 is empty; the LP-LC sequence starts at 1 and is clamped to 0; HP-CL with neither
// bank tries 1 and 0 on both at each of its three levels and has no window left. Then the
// best is evaluated once more.
TEST(LpSearch, BankWithoutElements) {
    const Load load;
    std::vector<Setting> levels;
    for (int level = 2; level <= 4; ++level) {
        Append(levels, Grid(HpClSequence(0, level), HpClSequence(0, level)));
    }
    const struct {
        TunerKind kind;
        IndexRange range;
        SwrFunction swrOf;
        std::vector<Setting> tried;
    } cases[] = {
        {TunerKind::LpCl,
         {0, 511},
         LpNetwork(TunerKind::LpCl, load),
         Grid(LpClInductorSequence(511), {0, 1})},
        {TunerKind::LpLc,
         {0, 511},
         LpNetwork(TunerKind::LpLc, load),
         Grid(DoublingSequence(511), {1, 0})},
        {TunerKind::HpCl, {0, 0}, Landscape(20, {}), levels},
    };
    for (const auto& c : cases) {
        const Searched run = Search(c.kind, c.swrOf, c.range);
        std::vector<Setting> expected = c.tried;
        expected.push_back(run.best);
        EXPECT_EQ(run.host.evaluated(), expected) << static_cast<int>(c.kind);
    }
    EXPECT_EQ(Search(TunerKind::HpCl, Landscape(20, {}), {0, 0}).best, (Setting{1, 1}));
}
