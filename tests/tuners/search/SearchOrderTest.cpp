#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

// The order in which each tuner's search tries the settings.
using namespace fake;

using enum TunerKind;

constexpr IndexRange kHpClBanks{127, 511};
constexpr IndexRange kLpBanks{1023, 511};

TEST(HpClSearch, WholeRunWithDefaultBanksAndEqualSettings) {
    const Searched run = Search(HpCl, Landscape(5, {}), kHpClBanks, {40, 70});
    EXPECT_EQ(run.swr, 5);
    // Coarse at k = 2 only (5 is below 10): 9 inductor x 7 capacitor settings, inductor outer.
    std::vector<Setting> expected = Grid(HpClSequence(511, 2), HpClSequence(127, 2));
    ASSERT_EQ(expected.size(), 63u);
    // All settings are equally good, so the first one, (1, 1), stays best throughout:
    // refinement at steps 6..2 sees only (1, 1), at step 1 the window 1..2 x 1..2.
    for (int pass = 0; pass < 5; ++pass) Append(expected, Grid({1}, {1}));
    for (int pass = 0; pass < 3; ++pass) Append(expected, Grid({1, 2}, {1, 2}));
    Append(expected, Grid(Span(1, 4), Span(1, 4)));  // final +-3, clamped at 1
    expected.push_back({1, 1});
    EXPECT_EQ(run.host.evaluated(), expected);
    EXPECT_EQ(run.host.coarse(), (Shown{{2, 5, {1, 1}, 63}}));
    EXPECT_EQ(run.best, (Setting{1, 1}));
}

TEST(HpClSearch, FinerCoarseLevelsOnlyWhileNothingIsBelowTen) {
    const size_t k2 = 63, k3 = 11 * 15, k4 = 15 * 20;
    const std::vector<Setting> k3Grid = Grid(HpClSequence(511, 3), HpClSequence(127, 3));
    for (const auto& [swr, level, evaluations] : std::vector<std::tuple<double, int, size_t>>{
             {9.99, 2, k2}, {10, 4, k2 + k3 + k4}, {50, 4, k2 + k3 + k4}}) {
        const Searched run = Search(HpCl, Landscape(swr, {}), kHpClBanks);
        const int32_t shownAfter = static_cast<int32_t>(evaluations);
        EXPECT_EQ(run.host.coarse(), (Shown{{level, swr, {1, 1}, shownAfter}}));
        if (level == 4) {
            EXPECT_EQ(Slice(run.host.evaluated(), k2, k3), k3Grid);
        }
    }
}

// Where each search stops, what it shows by then, how many settings it tries (0: not
// counted), and that it tries the best last and returns its SWR. HP-CL: (7, 3) is the 10th
// setting of the k = 2 grid (row l = 1 has 7 settings, then c = 1, 3, 7). Below 1.4 it
// stops and skips the refinement; its final +-3 window (l 1..6, c 4..10: 6 x 7) is skipped
// only below 1.2; exactly 1.4 does not stop, and all eight passes run (63 + 110 + 42 + 1).
// (15, 1) comes before (7, 3) in the coarse grid, and the refinement window around it does
// not reach c = 7. On large banks the coarse grids of k = 2, 3 take 850 operations and k = 4
// runs into the limit of 1201; the final 4 x 4 window around (1, 1) has no limit. LP-CL
// shows no coarse result when it stops early: third inductor row (2 x 20), tenth capacitor
// of the falling sequence, then the final step.
TEST(Search, StopsEarlyBelowOnePointFourOrAtTheOperationLimit) {
    const SwrFunction tie = Landscape(20, {{{7, 3}, 2}, {{15, 1}, 2}});
    const struct {
        TunerKind kind;
        IndexRange range;
        SwrFunction swrOf;
        Shown coarse;
        size_t evaluations;
        Setting best;
    } cases[] = {
        {HpCl, kHpClBanks, Landscape(20, {{{7, 3}, 1.39}}), {{2, 1.39, {7, 3}, 10}}, 53, {7, 3}},
        {HpCl, kHpClBanks, Landscape(20, {{{7, 3}, 1.2}}), {{2, 1.2, {7, 3}, 10}}, 53, {7, 3}},
        {HpCl, kHpClBanks, Landscape(20, {{{7, 3}, 1.19}}), {{2, 1.19, {7, 3}, 10}}, 11, {7, 3}},
        {HpCl, kHpClBanks, Landscape(20, {{{7, 3}, 1.4}}), {{2, 1.4, {7, 3}, 63}}, 216, {7, 3}},
        {HpCl, kHpClBanks, tie, {{2, 2, {15, 1}, 63}}, 0, {15, 1}},
        {HpCl, {32767, 32767}, Landscape(20, {}), {{4, 20, {1, 1}, 1201}}, 1218, {1, 1}},
        {LpCl, kLpBanks, Landscape(5, {{{27, 3}, 1.39}}), {}, 51, {27, 3}},
    };
    for (const auto& c : cases) {
        const Searched run = Search(c.kind, c.swrOf, c.range);
        const std::vector<Setting>& tried = run.host.evaluated();
        EXPECT_EQ(run.host.coarse(), c.coarse);
        EXPECT_EQ(tried.size(), c.evaluations ? c.evaluations : tried.size());
        EXPECT_EQ(tried.back(), c.best);
        EXPECT_EQ(run.best, c.best);
        EXPECT_EQ(run.swr, c.swrOf(c.best.c, c.best.l));
    }
}

TEST(HpClSearch, RefinementWindowAtTheBottomOfTheBank) {
    // Best (5, 1) at SWR 20: Llo = 2/3 - 1 clamps to 1, Lhi = 2.5 rounds to 2,
    // Clo = 10/3 - 1 rounds to 2, Chi = 8.5 rounds to 8 (halves to even).
    const Searched run = Search(HpCl, Landscape(50, {{{5, 1}, 20}}), kHpClBanks);
    ASSERT_EQ(run.host.coarse(), (Shown{{4, 20, {5, 1}, 63 + 165 + 300}}));
    std::vector<Setting> expected;
    for (const int16_t step : {6, 5, 4, 3, 2}) Append(expected, Grid({1}, Span(2, 8, step)));
    for (int pass = 0; pass < 3; ++pass) Append(expected, Grid({1, 2}, Span(2, 8)));
    Append(expected, Grid(Span(1, 4), Span(2, 8)));
    expected.push_back({5, 1});
    EXPECT_EQ(Slice(run.host.evaluated(), 63 + 165 + 300), expected);
}

TEST(LpClSearch, DefaultBanksStopAtTheOperationLimit) {
    // 20 x 68 coarse settings; with nothing below 1.4 the limit cuts the coarse phase at 1201
    // operations, the refinement is skipped and the best is evaluated once more.
    const Searched run = Search(LpCl, Landscape(5, {}), kLpBanks);
    EXPECT_EQ(run.host.Operations(), 1202);
    EXPECT_TRUE(run.host.coarse().empty());
    const std::vector<Setting> grid = Grid(LpClInductorSequence(511), LpClCapacitorSequence(1023));
    ASSERT_EQ(grid.size(), 1360u);
    EXPECT_EQ(Slice(run.host.evaluated(), 0, 1201), Slice(grid, 0, 1201));
    EXPECT_EQ(run.host.evaluated().back(), (Setting{1023, 1}));
}

TEST(LpClSearch, StepOneBelowSwrTwoAndInductorStepAlwaysOne) {
    // Banks 127 x 31: 14 x 27 coarse settings, then the first refinement pass around (38, 10).
    const IndexRange banks{127, 31};
    const size_t coarse = 14 * 27;
    ASSERT_EQ(Grid(LpClInductorSequence(31), LpClCapacitorSequence(127)).size(), coarse);

    const Searched below = Search(LpCl, Landscape(5, {{{38, 10}, 1.9}}), banks);
    EXPECT_EQ(below.host.coarse(), (Shown{{0, 1.9, {38, 10}, static_cast<int32_t>(coarse)}}));
    // L 8.5 .. 11.53 -> 8 .. 12, C 27.5 .. 51.67 -> 28 .. 52, every index; the step stays 1.
    const std::vector<Setting> pass = Grid(Span(8, 12), Span(28, 52));
    EXPECT_EQ(Slice(below.host.evaluated(), coarse, pass.size()), pass);
    EXPECT_EQ(Slice(below.host.evaluated(), coarse + pass.size(), pass.size()), pass);

    // Exactly 2 uses the row below 3: L 8 .. 12 still in steps of 1, C 12 .. 115 in steps
    // of 6, then 5.
    const Searched atTwo = Search(LpCl, Landscape(5, {{{38, 10}, 2}}), banks);
    const std::vector<Setting> first = Grid(Span(8, 12), Span(12, 115, 6));
    const std::vector<Setting> second = Grid(Span(8, 12), Span(12, 115, 5));
    EXPECT_EQ(Slice(atTwo.host.evaluated(), coarse, first.size()), first);
    EXPECT_EQ(Slice(atTwo.host.evaluated(), coarse + first.size(), second.size()), second);
}

TEST(LpClSearch, OperationLimitCutsARefinementPass) {
    // Best (40, 20) at SWR 5: the first pass, L 9 .. 31 x C 3 .. 1023 in steps of 6, is far
    // larger than the budget left after 20 x 27 coarse settings.
    const Searched run = Search(LpCl, Landscape(8, {{{40, 20}, 5}}), {1023, 31});
    const size_t coarse = 20 * 27;
    EXPECT_EQ(Slice(run.host.evaluated(), coarse, 1201 - coarse),
              Slice(Grid(Span(9, 31), Span(3, 1023, 6)), 0, 1201 - coarse));
    EXPECT_EQ(run.host.Operations(), 1202);
    EXPECT_EQ(run.host.evaluated().back(), (Setting{40, 20}));
}

TEST(LpLcSearch, CoarseOrderAndRefinementStepsOnBothBanks) {
    const Searched run = Search(LpLc, Landscape(20, {{{64, 16}, 5}}), kLpBanks);
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
        {LpCl,
         {0, 511},
         Network(LpCl, load, DefaultBanks(LpCl)),
         Grid(LpClInductorSequence(511), {0, 1})},
        {LpLc,
         {0, 511},
         Network(LpLc, load, DefaultBanks(LpLc)),
         Grid(DoublingSequence(511), {1, 0})},
        {HpCl, {0, 0}, Landscape(20, {}), levels},
    };
    for (const auto& c : cases) {
        const Searched run = Search(c.kind, c.swrOf, c.range);
        std::vector<Setting> expected = c.tried;
        expected.push_back(run.best);
        EXPECT_EQ(run.host.evaluated(), expected) << static_cast<int>(c.kind);
    }
    EXPECT_EQ(Search(HpCl, Landscape(20, {}), {0, 0}).best, (Setting{1, 1}));
}

TEST(Refinement, FirstPassWindowByBestSwr) {
    const struct Row {
        TunerKind kind;
        IndexRange range;
        Setting best;
        double swr;
        int lLow, lHigh, lStep, cLow, cHigh;  // the first pass, at capacitor step 6
    } rows[] = {
        // HP-CL around (63, 255): 10 and more, 3 to below 10, below 3.
        {HpCl, {127, 511}, {63, 255}, 10, 169, 384, 6, 41, 96},
        {HpCl, {127, 511}, {63, 255}, 3, 190, 341, 6, 46, 85},
        {HpCl, {127, 511}, {63, 255}, 2.99, 203, 320, 6, 49, 80},
        // LP-LC around (64, 16): always, below 10 (elsewhere), below 3.
        {LpLc, {1023, 511}, {64, 16}, 10, 7, 33, 6, 31, 129},
        {LpLc, {1023, 511}, {64, 16}, 2.99, 11, 22, 6, 47, 86},
        // LP-CL around (38, 20): the first row spans up to the top of the capacitor bank.
        {LpCl, {127, 31}, {38, 20}, 3, 9, 31, 1, 3, 127},
        {LpCl, {127, 31}, {38, 20}, 2.99, 17, 23, 1, 12, 115},
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
    const Searched run = Search(LpCl, Landscape(20, {{{14563, 10}, 2.5}}), {32767, 30});
    ASSERT_EQ(run.host.coarse().size(), 1u);
    const size_t coarse = static_cast<size_t>(run.host.coarse()[0].shownAfter);
    EXPECT_EQ(Slice(run.host.evaluated(), coarse, 2), (std::vector<Setting>{{4853, 8}, {4859, 8}}));
    EXPECT_EQ(run.host.Operations(), 1202);
}
