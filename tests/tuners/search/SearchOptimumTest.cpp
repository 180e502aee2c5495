#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "core/Antenna.h"
#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/BestOfAllSettings.h"
#include "tuners/search/SweepTuneRows.h"
#include "tuners/search/TunerSearch.h"

namespace {

// The main window's default antenna at f, as its fields show it (rounded down to 0.001).
fake::Load DefaultAntenna(double f_MHz) {
    AntennaInput in;
    in.frequency_MHz = f_MHz;
    const std::optional<AntennaResult> antenna = FeedPointImpedance(in);
    EXPECT_TRUE(antenna.has_value());
    if (!antenna) return {};
    return {f_MHz, std::floor(antenna->r_f * 1000) / 1000, std::floor(antenna->x_f * 1000) / 1000};
}

struct Banks {
    BankValues c, l;
};

void ExpectSameAsThePlainLoop(TunerKind kind, const TunerLoad& load, const Banks& banks,
                              const std::string& where) {
    const AllSettingsBest fast = BestOfAllSettings(kind, load, banks.c, banks.l);
    const AllSettingsBest plain =
        fake::PlainBestOfAllSettings(NetworkOf(kind), load, banks.c, banks.l);
    EXPECT_EQ(fast.swr, plain.swr) << where;
    EXPECT_EQ(fake::Found(fast.setting), fake::Found(plain.setting)) << where;
    EXPECT_EQ(fast.settings, plain.settings) << where;
}

}  // namespace

TEST(BestOfAllSettings, EqualsThePlainLoopOverRandomLoadsAndBanks) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> unit(0, 1);
    auto logUniform = [&](double low, double high) {
        return low * std::pow(high / low, unit(rng));
    };
    for (int i = 0; i < 300; ++i) {
        const TunerLoad load{logUniform(0.1e6, 30e6),
                             {logUniform(0.5, 3000), (unit(rng) - 0.5) * 4000}};
        std::array<double, 10> cs{}, ls{};
        for (double& v : cs) v = unit(rng) < 0.2 ? 0 : logUniform(1, 300);
        for (double& v : ls) v = unit(rng) < 0.2 ? 0 : logUniform(0.05, 30);
        const auto c = static_cast<int16_t>(unit(rng) * 70);
        const auto l = static_cast<int16_t>(unit(rng) * 40);
        const std::string where = "load " + std::to_string(i);
        ExpectSameAsThePlainLoop(TunerKind::HpCl, load,
                                 {SwitchedInBank(cs, c), SwitchedInBank(ls, l)}, where);
        const Banks stepped{SteppedBank(logUniform(1, 30), c), SteppedBank(logUniform(0.05, 2), l)};
        ExpectSameAsThePlainLoop(TunerKind::LpCl, load, stepped, where);
        ExpectSameAsThePlainLoop(TunerKind::LpLc, load, stepped, where);
    }
}

// Capacitors too large to hold would short the series C with their infinite susceptance;
// far from any match nothing comes below 9999.
TEST(BestOfAllSettings, FaultsNeverWinAndTiesGoToTheLowestIndex) {
    const TunerLoad antenna{7.1e6, {9.698, -413.522}};
    // A shunt coil of 100 Ohm alone matches 40 - j20 Ohm; the series capacitor must short.
    const TunerLoad coilAlone{7.1e6, {40, -20}};
    const std::array<double, 10> huge{1e308, 1e308};
    const Banks steps{SteppedBank(7.5, 31), SteppedBank(0.25, 15)};
    const Banks zeros{SteppedBank(0, 31), SteppedBank(0, 15)};
    const Banks overflowing{SwitchedInBank(huge, 3), SteppedBank(0.25, 15)};
    const struct {
        const char* what;
        TunerKind kind;
        TunerLoad load;
        Banks banks;
        std::optional<BestSetting> best;
    } cases[] = {{"all equal", TunerKind::LpCl, antenna, zeros, BestSetting{0, 0}},
                 {"capacitor overflows", TunerKind::HpCl, coilAlone, overflowing, std::nullopt},
                 {"no antenna", TunerKind::HpCl, {7.1e6, {0, 0}}, steps, std::nullopt},
                 {"no frequency", TunerKind::LpLc, {1e308, {50, 0}}, steps, std::nullopt},
                 {"no match", TunerKind::LpCl, {7.1e6, {1e-9, 1e9}}, steps, std::nullopt}};
    for (const auto& c : cases) {
        for (const TunerKind kind : {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc}) {
            ExpectSameAsThePlainLoop(kind, c.load, c.banks, c.what);
        }
        const AllSettingsBest best = BestOfAllSettings(c.kind, c.load, c.banks.c, c.banks.l);
        EXPECT_EQ(fake::Found(best.setting), fake::Found(c.best)) << c.what;
        EXPECT_EQ(best.swr == 9999, !c.best) << c.what;
    }
    // The coil alone would match: with a capacitor that holds, the search finds it.
    const std::array<double, 10> large{1e6};
    const AllSettingsBest shorted =
        BestOfAllSettings(TunerKind::HpCl, coilAlone, SwitchedInBank(large, 1),
                          SteppedBank(100 / (2 * 3.14159265 * 7.1), 1));
    EXPECT_LT(shorted.swr, 1.01);
}

// What a sweep-tune's CSV takes from the search over every setting: the banks as TUNE took
// them, index 0 included, the settings TUNE can set (index 1 up), and how many settings they
// have, against a plain double loop over the indices.
TEST(BestOfAllSettings, OfTheBanksTuneTookEqualsThePlainLoopOverTheirIndices) {
    std::string refusal;
    const std::optional<BankSetup> switched =
        SwitchedSetup({20, 40, 80, 3}, {1, 2, 4, 0.5}, refusal);
    const std::optional<BankSetup> stepped =
        SteppedSetup({"C", "", 100, 3, 700.0000001}, {"L", "", 2, 3, 14}, refusal);
    ASSERT_TRUE(switched && stepped) << refusal;
    for (const TunerKind kind : {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc}) {
        const BankSetup& banks = kind == TunerKind::HpCl ? *switched : *stepped;
        for (const double f_MHz : {1.9, 7.1, 21.3}) {
            const fake::Load antenna = DefaultAntenna(f_MHz);
            const fake::SwrFunction swrOf = fake::Network(kind, antenna, banks);
            // From index `first` of each bank on.
            auto plainLoop = [&](int16_t first) {
                std::pair<double, std::optional<fake::Setting>> best{9999, std::nullopt};
                for (int16_t l = first; l <= banks.range.lmaxIndex; ++l) {
                    for (int16_t ci = first; ci <= banks.range.cmaxIndex; ++ci) {
                        if (const auto swr = swrOf(ci, l); swr && *swr < best.first) {
                            best = {*swr, fake::Setting{ci, l}};
                        }
                    }
                }
                return best;
            };
            const auto [plainSwr, plainBest] = plainLoop(0);
            const auto [reachableSwr, reachableBest] = plainLoop(1);
            SweepTuneRow row;
            row.banks = banks;
            row.load = fake::TunerLoadOf(antenna);
            ASSERT_TRUE(CompareWithAllSettings(kind, row));
            EXPECT_EQ(row.best->swr, plainSwr) << f_MHz;
            EXPECT_EQ(fake::Found(row.best->setting), plainBest) << f_MHz;
            EXPECT_EQ(row.reachable->swr, reachableSwr) << f_MHz;
            EXPECT_EQ(fake::Found(row.reachable->setting), reachableBest) << f_MHz;
            EXPECT_EQ(row.best->settings, SettingCount(banks));
            EXPECT_EQ(SettingCount(banks),
                      (banks.range.cmaxIndex + 1) * (banks.range.lmaxIndex + 1));
        }
    }
}

// Found is the best SWR itself, not the SWRs rounded down to 0.01 as shown; a step where no
// setting comes below 9999 is no match rather than found; where the best reaches SWR 2, how
// often the search ends within 0.05 of it and its mean excess there.
TEST(SweepComparison, CountsFoundByTheSwrAndNoMatchApart) {
    auto row = [](double swr, double best, double reachable) {
        SweepTuneRow r;
        r.swr = swr;
        r.best =
            AllSettingsBest{best < 9999 ? std::optional<BestSetting>(BestSetting{}) : std::nullopt,
                            best, 64, false};
        r.reachable = r.best;
        r.reachable->swr = reachable;
        return r;
    };
    const std::vector<SweepTuneRow> rows = {
        row(1.2 * (1 + 1e-12), 1.2, 1.2),  // found, to the rounding of the arithmetic
        row(1.504, 1.5, 1.5),              // shows as 1.5, but not found; within 0.05
        row(9999, 9999, 9999),             // no match
        row(1.9, 1.8, 1.9),                // the best needs index 0: found what TUNE can set
        row(3.5, 3, 3),                    // not matchable
        SweepTuneRow{},                    // refused: not compared
    };
    const SweepComparison c = Compare(rows);
    EXPECT_EQ(c.compared, 5);
    EXPECT_EQ(c.noMatch, 1);
    EXPECT_EQ(c.atBest, 1);
    EXPECT_EQ(c.atReachable, 2);
    EXPECT_NEAR(c.meanExcess, (0 + 0 + 0.1 + 0.5) / 4, 1e-9);
    EXPECT_NEAR(c.worstExcess, 0.5, 1e-9);
    EXPECT_EQ(c.matchable, 3);
    EXPECT_EQ(c.nearBest, 2);
    EXPECT_NEAR(c.matchableExcess, (0.004 + 0.1) / 3, 1e-9);
    const std::string text = ComparisonText(c, rows.size(), true);
    EXPECT_NE(text.find("found at 1 of 4, no match at 1;"), std::string::npos) << text;
    EXPECT_NE(text.find("Best SWR <= 2 at 3: within 0.05 at 2"), std::string::npos) << text;
    EXPECT_NE(ComparisonDetails(c).find("can set it found at 2."), std::string::npos);
}
