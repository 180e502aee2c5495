// A tuner's setting built from real parts: the same network the tuner searches, and the
// setting its TUNE found.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerLosses.h"
#include "tuners/search/TunerWithoutWindow.h"

namespace {

constexpr TunerKind kKinds[] = {TunerKind::HpCl, TunerKind::LpCl, TunerKind::LpLc};
constexpr LossQ kIdeal{kIdealQ, kIdealQ, kIdealQ};

// With ideal parts, the transmitter sees through the lossy ladder exactly what the tuner's
// own formula says, for every kind: the parts are in the same places.
TEST(TunerLosses, TheLadderIsTheTunersNetwork) {
    std::mt19937 random(5);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (const TunerKind kind : kKinds) {
        for (int trial = 0; trial < 200; ++trial) {
            const TunerLoad load{uniform(1e5, 3e7), {uniform(0.5, 500), uniform(-2000, 2000)}};
            const double c_pF = uniform(1, 2000), l_uH = uniform(0.05, 60);
            Checked c;
            const Impedance tuner = NetworkOf(kind)(load, c_pF, l_uH, c);
            const auto real = SettingLosses(kind, load, c_pF, l_uH, kIdeal, 100);
            ASSERT_EQ(real.has_value(), c.ok() && tuner.r > 0);
            if (!real) continue;
            EXPECT_NEAR(real->input.r, tuner.r, 1e-9 * std::abs(tuner.r));
            EXPECT_NEAR(real->input.x, tuner.x, 1e-9 * std::max(1.0, std::abs(tuner.x)));
            EXPECT_NEAR(real->eta_net_pct, 100, 1e-9);
            const auto lossy = SettingLosses(kind, load, c_pF, l_uH, {100, 800, 1}, 100);
            ASSERT_TRUE(lossy);
            EXPECT_LT(lossy->eta_net_pct, 100);
            EXPECT_NEAR(lossy->p_antenna_W + lossy->partLoss_W(), 100, 1e-9 * 100);
            EXPECT_EQ(lossy->ploss_C2_W, 0);
        }
    }
}

// The setting TUNE ended on: with ideal parts its SWR is the one the tuner found; a tuner
// that never tuned, or was refused, has no setting.
TEST(TunerLosses, TheFoundSettingIsTheOneTuneEndedOn) {
    for (const TunerKind kind : kKinds) {
        TunerWithoutWindow site(kind, {7.1, 9.7, -413.5});
        EXPECT_FALSE(TunedSettingLosses(site.state, {}, 100));
        std::string refusal;
        const TuneRequest request{fake::DefaultBanks(kind), "", 20, false};
        ASSERT_EQ(site.state.Tune(request, refusal), TuneEnd::Tuned);

        const auto ideal = TunedSettingLosses(site.state, kIdeal, 100);
        ASSERT_TRUE(ideal);
        EXPECT_NEAR(ideal->swr, site.state.swr(), 1e-9 * site.state.swr());
        const auto real = TunedSettingLosses(site.state, {150, 1000, 200}, 250);
        ASSERT_TRUE(real);
        EXPECT_LT(real->eta_net_pct, 100);
        EXPECT_NEAR(real->p_antenna_W + real->partLoss_W(), 250, 1e-9 * 250);

        const TuneRequest refused{std::nullopt, "no banks", 20, false};
        site.state.Tune(refused, refusal);
        EXPECT_FALSE(TunedSettingLosses(site.state, {}, 100));
    }
}

}  // namespace
