// The base coil's loss in the feed-point chain: the antenna "with coil loss".
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <limits>

#include "core/Antenna.h"
#include "core/Numeric.h"

namespace {

using Complex = std::complex<double>;

// Bit for bit, so that an ideal coil cannot change a shown digit anywhere.
bool SameBits(const AntennaResult& a, const AntennaResult& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A 2.5 m rod of 10 mm at 7.1 MHz, with a coil that cancels the rod's own reactance.
AntennaInput ResonatedWhip(double cfoot_pF) {
    AntennaInput rod{.length_m = 2.5, .diameter_mm = 10, .cfoot_pF = 0, .lcoil_uH = 0};
    const AntennaResult bare = FeedPointImpedance(rod).value();
    const double omega = 2 * num::PI * rod.frequency_MHz * 1e6;
    rod.lcoil_uH = -bare.x_ant / omega * 1e6;
    rod.cfoot_pF = cfoot_pF;
    return rod;
}

// The share of the power into the feed point that the rod radiates, from the currents: the
// feed current splits between the base capacitance and the branch of rod, coil and loss.
double RodShare(const AntennaInput& in, Complex rod, double coilLoss_Ohm) {
    const double omega = 2 * num::PI * in.frequency_MHz * 1e6;
    const Complex branch = rod + Complex(coilLoss_Ohm, omega * in.lcoil_uH / 1e6);
    const Complex foot(0, -1 / (omega * in.cfoot_pF / 1e12));
    const Complex antenna = in.cfoot_pF > 0 ? branch * foot / (branch + foot) : branch;
    const double feedResistance = antenna.real() + in.aeloss_Ohm;
    const Complex feedCurrent = std::sqrt(1 / feedResistance);
    const Complex branchCurrent = feedCurrent * antenna / branch;
    return std::norm(branchCurrent) * rod.real();
}

TEST(CoilLoss, ResonatedWhipOfQ100LosesAboutNineOhm) {
    for (const double cfoot_pF : {0.0, 10.0}) {
        const AntennaInput ideal = ResonatedWhip(cfoot_pF);
        AntennaInput real = ideal;
        real.coil_q = 100;
        Checked c;
        const double coilLoss = CoilLossResistance(real, c);
        ASSERT_TRUE(c.ok());
        EXPECT_GT(coilLoss, 8);
        EXPECT_LT(coilLoss, 10);

        const AntennaResult a = FeedPointImpedance(ideal).value();
        const AntennaResult b = FeedPointImpedance(real).value();
        AntennaInput bareRod = ideal;
        bareRod.lcoil_uH = 0;
        bareRod.cfoot_pF = 0;
        bareRod.aeloss_Ohm = 0;
        const AntennaResult rod = FeedPointImpedance(bareRod).value();
        const Complex rodZ(rod.r_ant, rod.x_ant);

        EXPECT_NEAR(a.eta_f / 100, RodShare(ideal, rodZ, 0), 1e-12) << cfoot_pF;
        EXPECT_NEAR(b.eta_f / 100, RodShare(real, rodZ, coilLoss), 1e-12) << cfoot_pF;
        // About 30 % with an ideal coil, less than half of it with Q 100.
        EXPECT_GT(a.eta_f, 25) << cfoot_pF;
        EXPECT_LT(b.eta_f, a.eta_f / 2) << cfoot_pF;
        if (cfoot_pF == 0) {
            EXPECT_NEAR(b.r_f - a.r_f, coilLoss, 1e-12);
            EXPECT_NEAR(b.x_f, a.x_f, 1e-12);
            EXPECT_NEAR(b.eta_f, 100 * rod.r_ant / (rod.r_ant + coilLoss + ideal.aeloss_Ohm),
                        1e-12);
        }
        // The rest of the chain follows the feed point with the coil's loss.
        EXPECT_LT(b.swr_f, a.swr_f);
        EXPECT_LT(b.eta_tot, a.eta_tot);
    }
}

// An ideal coil, or none, leaves every number as it was, for the model and for a rod
// impedance from elsewhere; a Q that is no number above 0 is a fault.
TEST(CoilLoss, IdealOrAbsentCoilChangesNothingAndABadQFaults) {
    const struct {
        AntennaInput in;
        double q;
        bool same;
    } cases[] = {
        {{.lcoil_uH = -3}, 100, true},  // no coil
        {{.lcoil_uH = 20}, kIdealQ, true},
        {{.length_m = 12, .frequency_MHz = 21, .lcoil_uH = 2}, 50, false},
    };
    for (const auto& [in, q, same] : cases) {
        AntennaInput lossy = in;
        lossy.coil_q = q;
        const AntennaResult a = FeedPointImpedance(in).value();
        const AntennaResult b = FeedPointImpedance(lossy).value();
        EXPECT_EQ(SameBits(a, b), same) << in.lcoil_uH << " uH, Q " << q;
        const Impedance rod{3.5, -120};
        const AntennaResult ra = FeedPointOfRod(rod, in).value();
        const AntennaResult rb = FeedPointOfRod(rod, lossy).value();
        EXPECT_EQ(SameBits(ra, rb), same) << in.lcoil_uH << " uH, Q " << q;
        if (!same) {
            EXPECT_GT(rb.r_f, ra.r_f);
            EXPECT_LT(rb.eta_f, ra.eta_f);
        }
    }
    for (const double bad : {0.0, -150.0, std::numeric_limits<double>::quiet_NaN()}) {
        AntennaInput in{.lcoil_uH = 20};
        in.coil_q = bad;
        EXPECT_FALSE(FeedPointImpedance(in)) << bad;
        EXPECT_FALSE(FeedPointOfRod({3.5, -120}, in)) << bad;
    }
}

}  // namespace
