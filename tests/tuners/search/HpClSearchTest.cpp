#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

constexpr IndexRange kDefaultBanks{127, 511};

}  // namespace

TEST(HpClSearch, WholeRunWithDefaultBanksAndEqualSettings) {
    RecordingHost host(Landscape(5, {}));
    BestSetting best{40, 70};
    EXPECT_EQ(RunSearch(TunerKind::HpCl, host, kDefaultBanks, best), 5);

    // Coarse at k = 2 only (5 is below 10): 9 inductor x 7 capacitor settings, inductor outer.
    std::vector<Setting> expected = Grid(HpClSequence(511, 2), HpClSequence(127, 2));
    ASSERT_EQ(expected.size(), 63u);
    // All settings are equally good, so the first one, (1, 1), stays best throughout:
    // refinement at steps 6..2 sees only (1, 1), at step 1 the window 1..2 x 1..2.
    for (int pass = 0; pass < 5; ++pass) Append(expected, Grid({1}, {1}));
    for (int pass = 0; pass < 3; ++pass) Append(expected, Grid({1, 2}, {1, 2}));
    Append(expected, Grid(Span(1, 4), Span(1, 4)));  // final +-3, clamped at 1
    expected.push_back({1, 1});
    EXPECT_EQ(host.evaluated(), expected);

    ASSERT_EQ(host.coarse().size(), 1u);
    EXPECT_EQ(host.coarse()[0].level, 2);
    EXPECT_EQ(host.coarse()[0].bestSWR, 5);
    EXPECT_EQ(host.coarse()[0].best, (Setting{1, 1}));
    EXPECT_EQ(host.coarse()[0].shownAfter, 63);
    EXPECT_EQ(best.c, 1);
    EXPECT_EQ(best.l, 1);
}

TEST(HpClSearch, FinerCoarseLevelsOnlyWhileNothingIsBelowTen) {
    const size_t k2 = 63, k3 = 11 * 15, k4 = 15 * 20;
    for (const auto& [swr, level, evaluations] : std::vector<std::tuple<double, int, size_t>>{
             {9.99, 2, k2}, {10, 4, k2 + k3 + k4}, {50, 4, k2 + k3 + k4}}) {
        RecordingHost host(Landscape(swr, {}));
        BestSetting best;
        RunSearch(TunerKind::HpCl, host, kDefaultBanks, best);
        ASSERT_EQ(host.coarse().size(), 1u) << swr;
        EXPECT_EQ(host.coarse()[0].level, level) << swr;
        EXPECT_EQ(host.coarse()[0].shownAfter, static_cast<int32_t>(evaluations)) << swr;
        const std::vector<Setting> k3Grid = Grid(HpClSequence(511, 3), HpClSequence(127, 3));
        if (level == 4) {
            EXPECT_EQ(std::vector<Setting>(host.evaluated().begin() + k2,
                                           host.evaluated().begin() + k2 + k3),
                      k3Grid);
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
        RecordingHost host(Landscape(20, {{{7, 3}, test.swr}}));
        BestSetting best;
        EXPECT_EQ(RunSearch(TunerKind::HpCl, host, kDefaultBanks, best), test.swr);
        ASSERT_EQ(host.coarse().size(), 1u) << test.swr;
        EXPECT_EQ(host.coarse()[0].level, 2) << test.swr;
        EXPECT_EQ(host.coarse()[0].best, (Setting{7, 3})) << test.swr;
        EXPECT_EQ(host.coarse()[0].shownAfter, test.coarseShownAfter) << test.swr;
        EXPECT_EQ(host.evaluated().size(), test.evaluations) << test.swr;
        EXPECT_EQ(host.evaluated().back(), (Setting{7, 3})) << test.swr;
        EXPECT_EQ(best.c, 7);
        EXPECT_EQ(best.l, 3);
    }
}

TEST(HpClSearch, FirstOfEqualSettingsStaysBest) {
    // (15, 1) comes before (7, 3) in the coarse grid; the refinement window around
    // (15, 1) does not reach c = 7.
    RecordingHost host(Landscape(20, {{{7, 3}, 2}, {{15, 1}, 2}}));
    BestSetting best;
    RunSearch(TunerKind::HpCl, host, kDefaultBanks, best);
    ASSERT_EQ(host.coarse().size(), 1u);
    EXPECT_EQ(host.coarse()[0].best, (Setting{15, 1}));
    EXPECT_EQ(host.evaluated().back(), (Setting{15, 1}));
}

TEST(HpClSearch, OperationLimitStopsAfter1201) {
    // Large banks: the coarse grids of k = 2, 3 take 850 operations and k = 4 runs into the
    // limit. The final +-3 window around (1, 1) has no limit.
    RecordingHost host(Landscape(20, {}));
    BestSetting best;
    RunSearch(TunerKind::HpCl, host, {32767, 32767}, best);
    ASSERT_EQ(host.coarse().size(), 1u);
    EXPECT_EQ(host.coarse()[0].level, 4);
    EXPECT_EQ(host.coarse()[0].shownAfter, 1201);
    EXPECT_EQ(host.Operations(), 1201 + 16 + 1);
}

TEST(HpClSearch, RefinementWindowAtTheBottomOfTheBank) {
    // Best (5, 1) at SWR 20: Llo = 2/3 - 1 clamps to 1, Lhi = 2.5 rounds to 2,
    // Clo = 10/3 - 1 rounds to 2, Chi = 8.5 rounds to 8 (halves to even).
    RecordingHost host(Landscape(50, {{{5, 1}, 20}}));
    BestSetting best;
    RunSearch(TunerKind::HpCl, host, kDefaultBanks, best);
    ASSERT_EQ(host.coarse().size(), 1u);
    EXPECT_EQ(host.coarse()[0].best, (Setting{5, 1}));
    std::vector<Setting> expected;
    for (const int16_t step : {6, 5, 4, 3, 2}) Append(expected, Grid({1}, Span(2, 8, step)));
    for (int pass = 0; pass < 3; ++pass) Append(expected, Grid({1, 2}, Span(2, 8)));
    Append(expected, Grid(Span(1, 4), Span(2, 8)));
    expected.push_back({5, 1});
    EXPECT_EQ(Slice(host.evaluated(), host.coarse()[0].shownAfter), expected);
}
