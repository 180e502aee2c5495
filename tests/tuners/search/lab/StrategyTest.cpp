// The search strategies on their own: small banks against every setting (and the lab's
// search over them at full speed), local search on made-up landscapes, and the memory from
// one frequency to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "tests/tuners/search/FakeTuner.h"
#include "tests/tuners/search/lab/LabLoads.h"
#include "tuners/search/HandOver.h"
#include "tuners/search/lab/LabHost.h"
#include "tuners/search/lab/Strategies.h"
#include "tuners/search/lab/TunerLab.h"

using namespace lab_test;
using fake::Found;
using fake::Setting;

namespace {

constexpr TunerKind kKinds[] = {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc};

struct Ended {
    double swr;
    std::optional<Setting> setting;
    LabHost host;
};

// A strategy's tune through a host of the tuner's own arithmetic.
Ended Tuned(SearchStrategy& strategy, TunerKind kind, const TunerLoad& load,
            const BankSetup& banks) {
    LabHost host(kind, load, banks);
    BestSetting best{};
    const double swr = strategy.Search(host, banks.range, best);
    std::optional<Setting> setting;
    if (swr < 9999) setting = Setting{best.c, best.l};
    return {swr, setting, host};
}

// A bowl with its bottom at (c0, l0) and SWR 1 there.
fake::SwrFunction Bowl(int c0, int l0) {
    return [c0, l0](int16_t c, int16_t l) -> std::optional<double> {
        return 1 + ((c - c0) * (c - c0) + 4.0 * (l - l0) * (l - l0)) / 1000;
    };
}

}  // namespace

// On banks of three elements each, the grids of grid and local and of grid and valley are
// every setting, so they, the memory's first tune and the search over every setting all end
// on the best of every
// setting, at a bank's edge as inside and index 0 (nothing switched in) included; TUNE's
// search ends no lower. Where no setting matches, none ends anywhere.
TEST(Strategies, SmallBanksAgainstEverySetting) {
    const struct {
        TunerKind kind;
        Setting matched;
    } cases[] = {{TunerKind::HpCl, {3, 5}}, {TunerKind::HpCl, {7, 7}}, {TunerKind::HpCl, {1, 7}},
                 {TunerKind::LpCl, {3, 5}}, {TunerKind::LpCl, {7, 7}}, {TunerKind::LpCl, {0, 4}},
                 {TunerKind::LpCl, {5, 0}}, {TunerKind::LpLc, {2, 6}}, {TunerKind::LpLc, {7, 1}},
                 {TunerKind::LpLc, {0, 3}}, {TunerKind::LpLc, {6, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " matched at ("
                                        << c.matched.c << ", " << c.matched.l << ")");
        const BankSetup banks = SmallBanks(c.kind);
        Checked check;
        const TunerLoad load = MatchedBy(c.kind, 7.1, CapacitanceOf(banks, c.matched.c, check),
                                         InductanceOf(banks, c.matched.l, check));
        const AllSettingsBest optimum =
            BestOfAllSettings(c.kind, load, CapacitorBank(banks), InductorBank(banks));
        ASSERT_EQ(Found(optimum.setting), c.matched);
        EXPECT_LT(optimum.swr, 1 + 1e-9);
        GridAndLocal grid;
        MemorySearch memory;
        GridAndValley valley;
        EverySetting every;
        TuneSearch tune(c.kind);
        for (SearchStrategy* strategy :
             std::initializer_list<SearchStrategy*>{&grid, &memory, &valley, &every}) {
            const Ended ended = Tuned(*strategy, c.kind, load, banks);
            EXPECT_EQ(ended.swr, optimum.swr);
            EXPECT_EQ(ended.setting, c.matched);
            EXPECT_EQ(ended.host.swr(), ended.swr) << "it ends on its best setting";
        }
        // TUNE's search settles for less below SWR 1.4, and never sets index 0.
        const Ended byTune = Tuned(tune, c.kind, load, banks);
        EXPECT_GE(byTune.swr, optimum.swr);
        ASSERT_TRUE(byTune.setting);
        EXPECT_EQ(byTune.host.swr(), byTune.swr);
        // Every setting, then the best once more unless it was the last one; the lab's search
        // over every setting at full speed ends and costs the same.
        EXPECT_EQ(Tuned(every, c.kind, load, banks).host.Operations(),
                  c.matched == (Setting{7, 7}) ? 64 : 65);
        for (const TunerLoad& at : {load, kUnmatchable}) {
            const Ended slow = Tuned(every, c.kind, at, banks);
            const StrategyTune fast =
                TunerLab(c.kind, banks)
                    .At(7.1, AntennaFields{at.f_Hz / 1e6, at.antenna.r, at.antenna.x})
                    ->of(Strategy::EverySetting);
            EXPECT_EQ(Found(fast.setting), slow.setting);
            EXPECT_EQ(fast.swr, slow.swr);
            const TuneCost &a = fast.cost, &b = slow.host.cost();
            EXPECT_EQ(std::tuple(a.evaluations, a.relayOps, a.changes),
                      std::tuple(b.evaluations, b.relayOps, b.changes));
        }

        const Ended nowhere = Tuned(grid, c.kind, kUnmatchable, banks);
        EXPECT_EQ(nowhere.swr, 9999);
        EXPECT_EQ(nowhere.setting, std::nullopt);
        EXPECT_EQ(Tuned(every, c.kind, kUnmatchable, banks).setting, std::nullopt);
        EXPECT_EQ(Tuned(memory, c.kind, kUnmatchable, banks).setting, std::nullopt)
            << "the memory's local search from the last match finds nothing either";
    }
}

TEST(Strategies, GridSpreadsOverTheWholeBank) {
    EXPECT_EQ(SpreadIndices(1023, 8),
              (std::vector<int16_t>{0, 146, 292, 438, 585, 731, 877, 1023}));
    EXPECT_EQ(SpreadIndices(7, 8), (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(SpreadIndices(3, 8), (std::vector<int16_t>{0, 1, 2, 3}));
    EXPECT_EQ(SpreadIndices(0, 8), (std::vector<int16_t>{0}));
    EXPECT_EQ(SpreadIndices(32767, 8).back(), 32767);
    EXPECT_TRUE(SpreadIndices(-1, 8).empty());
}

// The grid first, inductor index outer; then down to the bottom of the bowl, each setting
// measured once, ending on the best. A setting whose evaluation faults is never taken for
// a good one, although the host then returns the SWR of the setting before it.
TEST(Strategies, GridAndLocalDescendsToTheBottomAndSkipsFaults) {
    const IndexRange banks{1023, 511};
    const struct {
        const char* what;
        fake::SwrFunction swrOf;
        Setting bottom;
    } cases[] = {
        {"inside", Bowl(400, 100), {400, 100}},
        {"at the edge", Bowl(1023, 0), {1023, 0}},
        {"between grid points", Bowl(70, 40), {70, 40}},
        // The bowl's bottom lies on capacitor index 0, whose evaluation faults.
        {"faults at c = 0",
         [](int16_t c, int16_t l) -> std::optional<double> {
             if (c == 0) return std::nullopt;
             return Bowl(0, 300)(c, l);
         },
         {1, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fake::RecordingHost host(c.swrOf);
        BestSetting best{};
        const double swr = GridAndLocal().Search(host, banks, best);
        EXPECT_EQ((Setting{best.c, best.l}), c.bottom);
        EXPECT_EQ(swr, *c.swrOf(c.bottom.c, c.bottom.l));
        const std::vector<Setting>& tried = host.evaluated();
        ASSERT_GE(tried.size(), 64u);
        EXPECT_EQ(fake::Slice(tried, 0, 64),
                  fake::Grid(SpreadIndices(511, 8), SpreadIndices(1023, 8)));
        EXPECT_EQ(tried.back(), c.bottom);
        std::set<std::pair<int, int>> distinct;
        for (const Setting& s : tried) distinct.insert({s.c, s.l});
        EXPECT_GE(distinct.size() + 1, tried.size()) << "only the best may be tried twice";
        EXPECT_LT(tried.size(), 2000u);
    }
    // Closed while it searches: nothing is evaluated after that.
    fake::RecordingHost closing(Bowl(400, 100));
    closing.CloseAfter(70);
    BestSetting best{};
    GridAndLocal().Search(closing, banks, best);
    EXPECT_EQ(closing.evaluatedAfterClose(), 0);
}

// A valley five capacitor indices wide per inductor index, falling towards (c0, l0): a step
// of one index in each bank leaves it, so a local search stops where it meets it, but the
// valley is followed to its bottom, from any start, faults on the way skipped. On the
// default banks and antenna it lands on the best where grid and local stops short.
TEST(Strategies, GridAndValleyFollowsAValleyAcrossTheBanks) {
    const IndexRange banks{1023, 511};
    auto valley = [](int c0, int l0) -> fake::SwrFunction {
        return [c0, l0](int16_t c, int16_t l) -> std::optional<double> {
            if (c == 3 * l) return std::nullopt;  // a line of faults across the valley
            const double off = c - c0 - 5.0 * (l - l0);
            return 1 + off * off + std::abs(l - l0) / 50.0;
        };
    };
    for (const auto& [c0, l0] : {std::pair{600, 100}, std::pair{250, 30}, std::pair{1000, 150}}) {
        SCOPED_TRACE(testing::Message() << c0 << ", " << l0);
        fake::RecordingHost byValley(valley(c0, l0)), byGrid(valley(c0, l0));
        BestSetting best{}, gridBest{};
        const double swr = GridAndValley().Search(byValley, banks, best);
        const double gridSwr = GridAndLocal().Search(byGrid, banks, gridBest);
        EXPECT_EQ((Setting{best.c, best.l}),
                  (Setting{static_cast<int16_t>(c0), static_cast<int16_t>(l0)}));
        EXPECT_EQ(swr, 1);
        EXPECT_EQ(byValley.evaluated().back(), (Setting{best.c, best.l}));
        EXPECT_GT(gridSwr, swr) << "the valley is one that a local search leaves too soon";
    }
    for (const double f : {3.0, 3.5, 4.0, 5.0}) {
        const BankSetup hpcl = fake::DefaultBanks(TunerKind::HpCl);
        const TunerLoad load = LoadOf(*HandedOverAntenna(ClosedFormModel(), {}, f));
        const AllSettingsBest optimum =
            BestOfAllSettings(TunerKind::HpCl, load, CapacitorBank(hpcl), InductorBank(hpcl));
        GridAndValley valleySearch;
        EXPECT_LE(Tuned(valleySearch, TunerKind::HpCl, load, hpcl).swr, optimum.swr + 0.05) << f;
    }
}

// A tuner with a memory starts where it ended at the frequency before. On a smooth antenna,
// whose best setting moves by about an index from one frequency to the next, it follows
// the best with a few settings where grid and local tries hundreds.
TEST(Strategies, MemoryStartsFromTheLastBestAndTriesNoMoreThanGridAndLocal) {
    // The first best setting lies on a point of the grid, so the first tune, grid and
    // local, finds it and the memory starts on it.
    const struct {
        TunerKind kind;
        Setting first;
    } cases[] = {
        {TunerKind::HpCl, {36, 73}}, {TunerKind::LpCl, {146, 73}}, {TunerKind::LpLc, {146, 73}}};
    for (const auto& [kind, first] : cases) {
        SCOPED_TRACE(static_cast<int>(kind));
        const BankSetup banks = fake::DefaultBanks(kind);
        MemorySearch memory;
        GridAndLocal grid;
        std::optional<Setting> last;
        for (int step = 0; step < 40; ++step) {
            const Setting matched{static_cast<int16_t>(first.c + step),
                                  static_cast<int16_t>(first.l + step / 2)};
            Checked check;
            const TunerLoad load =
                MatchedBy(kind, 7.1 + step / 10.0, CapacitanceOf(banks, matched.c, check),
                          InductanceOf(banks, matched.l, check));
            LabHost host(kind, load, banks);
            fake::RecordingHost recording([&host](int16_t c, int16_t l) -> std::optional<double> {
                const double swr = host.EvaluateSetting(c, l);
                if (host.LastEvaluationFaulted()) return std::nullopt;
                return swr;
            });
            BestSetting best{};
            const double swr = memory.Search(recording, banks.range, best);
            ASSERT_FALSE(recording.evaluated().empty());
            if (last) {
                EXPECT_EQ(recording.evaluated().front(), *last) << step;
            }
            EXPECT_EQ((Setting{best.c, best.l}), matched) << step;
            EXPECT_LT(swr, 1 + 1e-9) << step;
            last = Setting{best.c, best.l};
            const Ended byGrid = Tuned(grid, kind, load, banks);
            EXPECT_LE(recording.Operations(), byGrid.host.Operations()) << step;
            EXPECT_LT(recording.Operations(), step == 0 ? 2000 : 30) << step;
        }
    }
}
