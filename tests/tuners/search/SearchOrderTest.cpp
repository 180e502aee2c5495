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
    const std::vector<Setting> coarse = Grid(HpClSequence(511, 2), HpClSequence(127, 2));
    ASSERT_EQ(coarse.size(), 63u);
    // All settings are equally good, so the first one, (1, 1), stays best throughout:
    // refinement at steps 6..2 sees only (1, 1), at step 1 the window 1..2 x 1..2, then
    // the final +-3, clamped at 1.
    const std::vector<Setting> one = Grid({1}, {1}), two = Grid({1, 2}, {1, 2});
    EXPECT_EQ(run.host.evaluated(), Joined({coarse, one, one, one, one, one, two, two, two,
                                            Grid(Span(1, 4), Span(1, 4)), one}));
    EXPECT_EQ(run.host.coarse(), (Shown{{2, 5, {1, 1}, 63}}));
    EXPECT_EQ(run.best, (Setting{1, 1}));
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
        // HP-CL's finer coarse levels run only while nothing is below 10.
        {HpCl, kHpClBanks, Landscape(9.99, {}), {{2, 9.99, {1, 1}, 63}}, 0, {1, 1}},
        {HpCl, kHpClBanks, Landscape(10, {}), {{4, 10, {1, 1}, 63 + 165 + 300}}, 0, {1, 1}},
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
    // The k = 3 grid follows the k = 2 grid.
    EXPECT_EQ(Slice(Search(HpCl, Landscape(10, {}), kHpClBanks).host.evaluated(), 63, 11 * 15),
              Grid(HpClSequence(511, 3), HpClSequence(127, 3)));
}

TEST(Search, CoarseGridOrderAndTheOperationLimit) {
    const Searched lplc = Search(LpLc, Landscape(20, {}), kLpBanks);
    const std::vector<Setting> doubling = Grid(DoublingSequence(511), DoublingSequence(1023));
    ASSERT_EQ(doubling.size(), 110u);
    EXPECT_EQ(Slice(lplc.host.evaluated(), 0, 110), doubling);

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

// LP-CL tries capacitor 0 (none) and 1 at every inductor index, and its refinement window
// 1 .. 0 is empty; the LP-LC sequence starts at 1 and is clamped to 0; HP-CL with neither
// bank tries 1 and 0 on both at each of its three levels and has no window left. Then the
// best is evaluated once more.
TEST(LpSearch, BankWithoutElements) {
    const Load load;
    const SwrFunction lpcl = Network(LpCl, load, DefaultBanks(LpCl));
    const SwrFunction lplc = Network(LpLc, load, DefaultBanks(LpLc));
    const std::vector<Setting> empty = Grid({1, 0}, {1, 0});  // each level's sequences
    const struct {
        TunerKind kind;
        IndexRange range;
        SwrFunction swrOf;
        std::vector<Setting> tried;
    } cases[] = {{LpCl, {0, 511}, lpcl, Grid(LpClInductorSequence(511), {0, 1})},
                 {LpLc, {0, 511}, lplc, Grid(DoublingSequence(511), {1, 0})},
                 {HpCl, {0, 0}, Landscape(20, {}), Joined({empty, empty, empty})}};
    for (const auto& c : cases) {
        const Searched run = Search(c.kind, c.swrOf, c.range);
        std::vector<Setting> expected = c.tried;
        expected.push_back(run.best);
        EXPECT_EQ(run.host.evaluated(), expected) << static_cast<int>(c.kind);
    }
    EXPECT_EQ(Search(HpCl, Landscape(20, {}), {0, 0}).best, (Setting{1, 1}));
}

// The refinement passes that follow the coarse result (shown after `coarse` operations;
// 0: not counted), up to the operation count (0: not counted). Every other setting has
// SWR 50.
TEST(Refinement, PassesAroundTheCoarseBest) {
    // HP-CL at (5, 1), the bottom of the bank: Llo = 2/3 - 1 clamps to 1, Lhi = 2.5 rounds
    // to 2, Clo = 10/3 - 1 rounds to 2, Chi = 8.5 rounds to 8 (halves to even): steps 6..2
    // on one inductor, three passes of step 1, the final +-3 and the best.
    const std::vector<Setting> twoRows = Grid({1, 2}, Span(2, 8));
    const std::vector<Setting> atBottom =
        Joined({Grid({1}, Span(2, 8, 6)), Grid({1}, Span(2, 8, 5)), Grid({1}, Span(2, 8, 4)),
                Grid({1}, Span(2, 8, 3)), Grid({1}, Span(2, 8, 2)), twoRows, twoRows, twoRows,
                Grid(Span(1, 4), Span(2, 8)), Grid({1}, {5})});
    // LP-CL below SWR 2 around (38, 10): L 8.5 .. 11.53 -> 8 .. 12, C 27.5 .. 51.67 ->
    // 28 .. 52, every index, and the inductor step stays 1; at exactly 2 the row below 3:
    // C 12 .. 115 in steps of 6, then 5.
    const std::vector<Setting> belowTwo = Grid(Span(8, 12), Span(28, 52));
    const std::vector<Setting> atTwo =
        Joined({Grid(Span(8, 12), Span(12, 115, 6)), Grid(Span(8, 12), Span(12, 115, 5))});
    // LP-LC below 10: L 9.67 .. 25 -> 10 .. 25, C 41.67 .. 97 -> 42 .. 97, steps 6 then 5.
    const std::vector<Setting> lplc =
        Joined({Grid(Span(10, 25, 6), Span(42, 97, 6)), Grid(Span(10, 25, 5), Span(42, 97, 5))});
    // LP-CL: a first pass far larger than the budget left after 20 x 27 coarse settings.
    const std::vector<Setting> cut = Slice(Grid(Span(9, 31), Span(3, 1023, 6)), 0, 661);
    const struct {
        TunerKind kind;
        IndexRange range;
        Setting best;
        double swr;
        int32_t coarse;
        std::vector<Setting> passes;
        int32_t operations;
    } cases[] = {
        // The first pass, at capacitor step 6. HP-CL around (63, 255): 10 and more, 3 to
        // below 10, below 3.
        {HpCl, kHpClBanks, {63, 255}, 10, 528, Grid(Span(169, 384, 6), Span(41, 96, 6)), 0},
        {HpCl, kHpClBanks, {63, 255}, 3, 63, Grid(Span(190, 341, 6), Span(46, 85, 6)), 0},
        {HpCl, kHpClBanks, {63, 255}, 2.99, 63, Grid(Span(203, 320, 6), Span(49, 80, 6)), 0},
        // LP-LC around (64, 16): always, below 10 (elsewhere), below 3.
        {LpLc, kLpBanks, {64, 16}, 10, 110, Grid(Span(7, 33, 6), Span(31, 129, 6)), 0},
        {LpLc, kLpBanks, {64, 16}, 2.99, 110, Grid(Span(11, 22, 6), Span(47, 86, 6)), 0},
        // LP-CL around (38, 20): the first row spans up to the top of the capacitor bank.
        {LpCl, {127, 31}, {38, 20}, 3, 378, Grid(Span(9, 31), Span(3, 127, 6)), 0},
        {LpCl, {127, 31}, {38, 20}, 2.99, 378, Grid(Span(17, 23), Span(12, 115, 6)), 0},
        {HpCl, kHpClBanks, {5, 1}, 20, 528, atBottom, 612},
        {LpCl, {127, 31}, {38, 10}, 1.9, 378, Joined({belowTwo, belowTwo}), 0},
        {LpCl, {127, 31}, {38, 10}, 2, 378, atTwo, 0},
        {LpLc, kLpBanks, {64, 16}, 5, 110, lplc, 0},
        {LpCl, {1023, 31}, {40, 20}, 5, 540, cut, 1202},
        // Around (14563, 10) below SWR 3 the upper capacitor edge 14563 * 3 + 1 exceeds 16
        // bits; it is clamped to the top of the bank, so the pass still starts at 14563 / 3 - 1.
        {LpCl, {32767, 30}, {14563, 10}, 2.5, 0, {{4853, 8}, {4859, 8}}, 1202},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " at " << c.swr);
        const Searched run =
            Search(c.kind, Landscape(50, {{{c.best.c, c.best.l}, c.swr}}), c.range);
        ASSERT_EQ(run.host.coarse().size(), 1u);
        const CoarseResult& coarse = run.host.coarse()[0];
        EXPECT_EQ(coarse.best, c.best);
        EXPECT_EQ(coarse.shownAfter, c.coarse ? c.coarse : coarse.shownAfter);
        const auto shownAfter = static_cast<size_t>(coarse.shownAfter);
        EXPECT_EQ(Slice(run.host.evaluated(), shownAfter, c.passes.size()), c.passes);
        EXPECT_EQ(run.host.Operations(), c.operations ? c.operations : run.host.Operations());
        EXPECT_EQ(run.host.evaluated().back(), c.best);
    }
}
