#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "core/Antenna.h"
#include "core/Numeric.h"

namespace {

using Complex = std::complex<double>;

AntennaResult Evaluate(const AntennaInput& in) {
    const std::optional<AntennaResult> result = FeedPointImpedance(in);
    EXPECT_TRUE(result.has_value());
    return result.value_or(AntennaResult{});
}

// The bare rod: no coil, no base capacitance, no loss in series.
AntennaInput BareRod(double length_m, double frequency_MHz) {
    AntennaInput in;
    in.length_m = length_m;
    in.frequency_MHz = frequency_MHz;
    in.cfoot_pF = 0;
    in.aeloss_Ohm = 0;
    return in;
}

// An open line of impedance zlc whose loss makes it look like rrad at a quarter wave;
// theta is the phase beyond the quarter wave. Written as one complex tanh.
Complex LossyQuarterWaveLine(double zlc, double rrad, double theta) {
    return zlc * std::tanh(Complex(std::atanh(rrad / zlc), theta / 2));
}

double RodPhaseBeyondQuarterWave(double a) {
    return 4 * num::PI * (a - 0.25);
}

TEST(FeedPointImpedance, DefaultAntenna) {
    const AntennaResult r = Evaluate(AntennaInput{});
    EXPECT_NEAR(r.electrical_length, 0.109794, 5e-7);
    EXPECT_NEAR(r.wavelength, 300 / 7.1, 1e-12);
    EXPECT_NEAR(r.zlc, 418.357, 5e-4);
    EXPECT_NEAR(r.slenderness, 927.835, 5e-4);
    EXPECT_NEAR(r.r_ant, 4.69820, 5e-6);
    EXPECT_NEAR(r.x_ant, -413.5211, 5e-5);
    EXPECT_NEAR(r.r_f, 9.69820, 5e-6);
    EXPECT_EQ(r.x_f, r.x_ant);
    EXPECT_NEAR(r.z_f, 413.635, 5e-4);
    EXPECT_NEAR(r.swr_f, 357.99, 5e-3);
    EXPECT_NEAR(r.u_f, 1078.91, 5e-3);
    EXPECT_NEAR(r.eta_f, 48.444, 5e-4);
    EXPECT_NEAR(r.eta_tot, 9.022, 1e-3);
    const std::optional<RodLine> rod = RodCharacteristic(4.5, 5);
    ASSERT_TRUE(rod);
    EXPECT_EQ(rod->zlc, r.zlc);
    EXPECT_EQ(rod->slenderness, r.slenderness);
}

// The loads the networks start from, and a loading coil that turns the feed point
// inductive. A coil of 0 or less is no coil.
TEST(FeedPointImpedance, HigherBandsAndALoadingCoil) {
    const struct {
        AntennaInput in;
        double r_f, x_f, xTolerance;
    } cases[] = {{{.frequency_MHz = 14.2}, 29.5650, -76.0573, 5e-5},
                 {{.frequency_MHz = 18.15}, 62.8760, 85.2789, 5e-5},
                 {{.lcoil_uH = 20}, 15.2992, 465.044, 5e-4},
                 {{.lcoil_uH = -5}, 9.69820, -413.5211, 5e-5}};
    for (const auto& c : cases) {
        const AntennaResult r = Evaluate(c.in);
        EXPECT_NEAR(r.r_f, c.r_f, 5e-5) << c.r_f;
        EXPECT_NEAR(r.x_f, c.x_f, c.xTolerance) << c.r_f;
    }
    const AntennaResult coil = Evaluate({.lcoil_uH = 20});
    EXPECT_NEAR(coil.swr_f, 286.29, 5e-3);
    EXPECT_NEAR(coil.eta_f, 67.318, 1e-3);
    EXPECT_NEAR(coil.eta_tot, 17.752, 1e-3);
}

// Another source's rod goes through the model's own chain: the bare rod's impedance, fed
// back in with a coil, base capacitance and losses, gives the model's feed point (the bare
// rod's impedance has been through the admittance of a 0 pF capacitor: a few ulps).
TEST(FeedPointOfRod, TakesAForeignRodThroughTheModelsChain) {
    for (const AntennaInput& in : {AntennaInput{}, AntennaInput{.frequency_MHz = 21.3},
                                   AntennaInput{.lcoil_uH = 20, .aeloss_Ohm = 12}}) {
        AntennaInput bare = in;
        bare.cfoot_pF = 0;
        bare.lcoil_uH = 0;
        bare.aeloss_Ohm = 0;
        const AntennaResult rod = Evaluate(bare);
        const std::optional<AntennaResult> fed = FeedPointOfRod({rod.r_ant, rod.x_ant}, in);
        ASSERT_TRUE(fed);
        const AntennaResult model = Evaluate(in);
        for (auto member :
             {&AntennaResult::r_f, &AntennaResult::x_f, &AntennaResult::z_f, &AntennaResult::swr_f,
              &AntennaResult::u_f, &AntennaResult::eta_f, &AntennaResult::eta_tot}) {
            EXPECT_NEAR((*fed).*member, model.*member, 1e-12 * std::fabs(model.*member))
                << in.frequency_MHz;
        }
    }
    EXPECT_FALSE(FeedPointOfRod({0, 0}, AntennaInput{}));
}

// At 300 MHz the wavelength is exactly 1 m, so a is the corrected length. Below a quarter
// wave the rod is its radiation resistance and an open stub's reactance; above it a lossy
// line, whose radiation resistance is -25 Ohm beyond three wavelengths.
TEST(FeedPointImpedance, RodIsAStubBelowAQuarterWaveAndALossyLineAbove) {
    for (double a : {0.05, 0.2, 0.25 - 1e-9, 0.25 + 1e-9, 0.3, 0.41 - 1e-9, 3.2, 4.6}) {
        AntennaInput in = BareRod(a * 0.97, 300);
        if (a > 3) in.mloss_Ohm = 1000;  // keeps R_f + Mloss positive under the voltage's root
        const AntennaResult r = Evaluate(in);
        const double el = r.electrical_length;
        double tolerance = a > 3 ? 1e-7 : 1e-9, xTolerance = tolerance;
        Complex expected;
        if (a < 0.25) {
            ASSERT_LT(el, 0.25);
            expected = {586 * a * a, -r.zlc / std::tan(2 * num::PI * el)};
            xTolerance += 1e-9 * std::fabs(expected.imag());
        } else if (a < 3) {
            expected = LossyQuarterWaveLine(r.zlc, 586 * el * el, RodPhaseBeyondQuarterWave(el));
        } else {
            expected = LossyQuarterWaveLine(r.zlc, -25, RodPhaseBeyondQuarterWave(a));
        }
        EXPECT_NEAR(r.r_ant, expected.real(), tolerance) << a;
        EXPECT_NEAR(r.x_ant, expected.imag(), xTolerance) << a;
    }
}

// Rod resistance just below, exactly at and just above the electrical length that a
// bare rod of this length has at 300 MHz (wavelength 1 m).
struct AroundSwitch {
    double further_below, below, at, above;
};

AroundSwitch RodResistanceAround(double length_m) {
    const double below = std::nextafter(length_m, 0);
    return {Evaluate(BareRod(below * (1 - 1e-9), 300)).r_ant, Evaluate(BareRod(below, 300)).r_ant,
            Evaluate(BareRod(length_m, 300)).r_ant,
            Evaluate(BareRod(length_m * (1 + 1e-9), 300)).r_ant};
}

TEST(FeedPointImpedance, FormulaSwitchesLieExactlyWhereTheModelPutsThem) {
    // 0.2425 / 0.97 is exactly 0.25: the line formula gives a phase of exactly 0.
    const AntennaResult quarter = Evaluate(BareRod(0.2425, 300));
    ASSERT_EQ(quarter.electrical_length, 0.25);
    EXPECT_EQ(quarter.x_ant, 0) << "the stub formula would leave a small reactance";

    // The radiation resistance steps from 98.51 to 98.05 Ohm at a = 0.41, and from the
    // first to the second long-rod formula just beyond a = 2; the rod resistance follows,
    // while on each side it changes smoothly.
    const double at_041 = 0.39769999999999994;
    ASSERT_EQ(at_041 / 0.97, 0.41);
    const AroundSwitch r041 = RodResistanceAround(at_041);
    EXPECT_NEAR(r041.at, r041.above, 1e-5);
    EXPECT_NEAR(r041.below, r041.further_below, 1e-5);
    EXPECT_GT(r041.below - r041.at, 0.1);

    ASSERT_EQ(1.94 / 0.97, 2.0);
    // Below a = 2 the arc cosine rises steeply towards its end, hence the wider margin.
    const AroundSwitch r2 = RodResistanceAround(1.94);
    EXPECT_NEAR(r2.at, r2.below, 0.05);
    EXPECT_NEAR(r2.below, r2.further_below, 0.05);
    EXPECT_GT(std::fabs(r2.above - r2.at), 1);
}

// Divisions by 0 (frequency, diameter), the logarithm of 0 (length), length and diameter of
// opposite signs, a negative R_f + Mloss under the root, an overflow, not a number, and a
// thick short rod whose Zlc lies below Rrad above a quarter wave (ATanH out of range).
TEST(FeedPointImpedance, EveryFaultIsNoResult) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const AntennaInput thick{.diameter_mm = 4000, .frequency_MHz = 20};
    const AntennaInput cases[] = {
        {.frequency_MHz = 0}, {.diameter_mm = 0}, {.length_m = 0},          {.diameter_mm = -5},
        {.mloss_Ohm = -100},  {.length_m = nan},  {.frequency_MHz = 1e308}, thick};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_FALSE(FeedPointImpedance(cases[i])) << i;
    }
    const std::optional<RodLine> rod = RodCharacteristic(thick.length_m, thick.diameter_mm);
    ASSERT_TRUE(rod);
    EXPECT_LT(rod->zlc, 586 * 0.3 * 0.3);
    // The rod's line needs a length and a diameter of one sign.
    for (const auto& [length, diameter] : {std::pair{0.0, 5.0}, {4.5, 0.0}, {-4.5, 5.0}}) {
        EXPECT_FALSE(RodCharacteristic(length, diameter)) << length << " " << diameter;
    }
}

TEST(StandingWaveRatio, MatchedJustBelowOneAndClampedAt11000) {
    Checked c;
    const double matched = StandingWaveRatio({50, 0}, c);
    EXPECT_LT(matched, 1);
    EXPECT_NEAR(matched, 0.9999999999998, 1e-15);
    EXPECT_NEAR(StandingWaveRatio({25, 0}, c), 2, 1e-12);
    EXPECT_NEAR(StandingWaveRatio({100, 0}, c), 2, 1e-12);
    EXPECT_EQ(StandingWaveRatio({0.001, 0}, c), 11000);
    EXPECT_EQ(StandingWaveRatio({0, 1}, c), 11000) << "total reflection stays finite";
    EXPECT_EQ(StandingWaveRatio({-1, 30}, c), 11000) << "past total reflection";
    EXPECT_NEAR(StandingWaveRatio({50.0 / 10999.5, 0}, c), 10999.5, 0.01);
    EXPECT_EQ(StandingWaveRatio({50.0 / 11000.5, 0}, c), 11000);
    EXPECT_TRUE(c.ok());

    // A very short rod at 100 kHz is so far from 50 Ohm that the ratio is clamped.
    AntennaInput in;
    in.frequency_MHz = 0.1;
    EXPECT_EQ(Evaluate(in).swr_f, 11000);
}

TEST(ApplyElement, FaultsOnAZeroImpedanceAndOnOverflow) {
    Checked zero;
    const Impedance out = ApplyElement({0, 0}, kParallelCapacitor, 10e-12, 7.1e6, zero);
    EXPECT_TRUE(zero.faulted());
    EXPECT_TRUE(std::isfinite(out.r) && std::isfinite(out.x));

    Checked overflow;
    ApplyElement({1, 1}, kSeriesInductor, 1e300, 1e10, overflow);
    EXPECT_TRUE(overflow.faulted());
}

}  // namespace
