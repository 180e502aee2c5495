#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

constexpr IndexRange kDefaultBanks{127, 511};

}  // namespace

TEST(HpClSearch, WholeRunWithDefaultBanksAndEqualSettings) {
    const Searched run = Search(TunerKind::HpCl, Landscape(5, {}), kDefaultBanks, {40, 70});
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
        const Searched run = Search(TunerKind::HpCl, Landscape(swr, {}), kDefaultBanks);
        const int32_t shownAfter = static_cast<int32_t>(evaluations);
        EXPECT_EQ(run.host.coarse(), (Shown{{level, swr, {1, 1}, shownAfter}}));
        if (level == 4) {
            EXPECT_EQ(Slice(run.host.evaluated(), k2, k3), k3Grid);
        }
    }
}

TEST(HpClSearch, EarlyStopBelowOnePointFour) {
    // (7, 3) is the 10th setting of the k = 2 grid: row l = 1 has 7 settings, then c = 1, 3, 7.
    struct Case {
        double swr;
        size_t evaluations;
        int32_t coarseShownAfter;
    };
    const Case cases[] = {
        {1.39, 10 + 6 * 7 + 1, 10},    // stop, skip refinement, final +-3 window: l 1..6, c 4..10
        {1.2, 10 + 6 * 7 + 1, 10},     // the final window is skipped only below 1.2
        {1.19, 10 + 1, 10},            // stop and no final window
        {1.4, 63 + 110 + 42 + 1, 63},  // exactly 1.4 does not stop: all eight passes run
    };
    for (const Case& test : cases) {
        const Searched run =
            Search(TunerKind::HpCl, Landscape(20, {{{7, 3}, test.swr}}), kDefaultBanks);
        EXPECT_EQ(run.swr, test.swr);
        EXPECT_EQ(run.host.coarse(), (Shown{{2, test.swr, {7, 3}, test.coarseShownAfter}}));
        EXPECT_EQ(run.host.evaluated().size(), test.evaluations) << test.swr;
        EXPECT_EQ(run.host.evaluated().back(), (Setting{7, 3})) << test.swr;
        EXPECT_EQ(run.best, (Setting{7, 3}));
    }
}

TEST(HpClSearch, FirstOfEqualSettingsStaysBest) {
    // (15, 1) comes before (7, 3) in the coarse grid; the refinement window around
    // (15, 1) does not reach c = 7.
    const Searched run =
        Search(TunerKind::HpCl, Landscape(20, {{{7, 3}, 2}, {{15, 1}, 2}}), kDefaultBanks);
    EXPECT_EQ(run.host.coarse(), (Shown{{2, 2, {15, 1}, 63}}));
    EXPECT_EQ(run.host.evaluated().back(), (Setting{15, 1}));
}

TEST(HpClSearch, OperationLimitStopsAfter1201) {
    // Large banks: the coarse grids of k = 2, 3 take 850 operations and k = 4 runs into the
    // limit. The final +-3 window around (1, 1) has no limit.
    const Searched run = Search(TunerKind::HpCl, Landscape(20, {}), {32767, 32767});
    EXPECT_EQ(run.host.coarse(), (Shown{{4, 20, {1, 1}, 1201}}));
    EXPECT_EQ(run.host.Operations(), 1201 + 16 + 1);
}

TEST(HpClSearch, RefinementWindowAtTheBottomOfTheBank) {
    // Best (5, 1) at SWR 20: Llo = 2/3 - 1 clamps to 1, Lhi = 2.5 rounds to 2,
    // Clo = 10/3 - 1 rounds to 2, Chi = 8.5 rounds to 8 (halves to even).
    const Searched run = Search(TunerKind::HpCl, Landscape(50, {{{5, 1}, 20}}), kDefaultBanks);
    ASSERT_EQ(run.host.coarse(), (Shown{{4, 20, {5, 1}, 63 + 165 + 300}}));
    std::vector<Setting> expected;
    for (const int16_t step : {6, 5, 4, 3, 2}) Append(expected, Grid({1}, Span(2, 8, step)));
    for (int pass = 0; pass < 3; ++pass) Append(expected, Grid({1, 2}, Span(2, 8)));
    Append(expected, Grid(Span(1, 4), Span(2, 8)));
    expected.push_back({5, 1});
    EXPECT_EQ(Slice(run.host.evaluated(), 63 + 165 + 300), expected);
}
