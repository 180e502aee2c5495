#include <gtest/gtest.h>

#include <cmath>

#include "core/Antenna.h"
#include "core/Matching.h"
#include "core/PartStress.h"

namespace {

constexpr Network kAllNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                    Network::LpCl, Network::LpLc, Network::LpClc};

struct Load {
    double r;
    double x;
    double f_Hz;
};

// The default antenna's feed point, as the networks see it.
Load DefaultAntennaAt(double frequency_MHz) {
    AntennaInput in;
    in.frequency_MHz = frequency_MHz;
    const AntennaResult a = FeedPointImpedance(in).value();
    return {a.r_f, a.x_f, frequency_MHz * 1e6};
}

MatchValues MatchLoad(Network network, const Load& load, const MatchLimits& limits = {}) {
    return Match(network, load.r, load.x, load.f_Hz, limits);
}

MatchVerdict Verdict(Network network, const Load& load) {
    return Judge(network, MatchLoad(network, load), MatchLimits{});
}

TEST(Matching, DefaultAntennaAt7MHz) {
    const Load load = DefaultAntennaAt(7.1);

    const MatchValues hp_cl = MatchLoad(Network::HpCl, load);
    EXPECT_NEAR(hp_cl.c_pF, 23.90, 5e-3);
    EXPECT_NEAR(hp_cl.l_uH, 6.441, 5e-4);
    EXPECT_EQ(Judge(Network::HpCl, hp_cl, {}), MatchVerdict::OutsideLimits);

    const MatchValues hp_lc = MatchLoad(Network::HpLc, load);
    EXPECT_NEAR(hp_lc.c_pF, -56.93, 5e-3);
    EXPECT_EQ(Judge(Network::HpLc, hp_lc, {}), MatchVerdict::NoSolution);

    const MatchValues lp_cl = MatchLoad(Network::LpCl, load);
    EXPECT_NEAR(lp_cl.c_pF, 913.9, 5e-2);
    EXPECT_NEAR(lp_cl.l_uH, 9.713, 5e-4);
    EXPECT_EQ(Judge(Network::LpCl, lp_cl, {}), MatchVerdict::OutsideLimits);

    const MatchValues lp_lc = MatchLoad(Network::LpLc, load);
    EXPECT_NEAR(lp_lc.c_pF, -30.34, 5e-3);
    EXPECT_EQ(Judge(Network::LpLc, lp_lc, {}), MatchVerdict::NoSolution);

    // The differential capacitor crosses below Cmin: it stops at once, no solution.
    const MatchValues hp_clc = MatchLoad(Network::HpClc, load);
    EXPECT_EQ(hp_clc.c_pF, 25);
    EXPECT_EQ(hp_clc.c2_pF, 250);
    EXPECT_NEAR(hp_clc.l_uH, 7.235, 5e-4);
    EXPECT_EQ(Judge(Network::HpClc, hp_clc, {}), MatchVerdict::NoSolution);

    const MatchValues lp_clc = MatchLoad(Network::LpClc, load);
    EXPECT_NEAR(lp_clc.c_pF, 1418.3, 5e-2);
    EXPECT_EQ(lp_clc.c2_pF, 25);
    EXPECT_NEAR(lp_clc.l_uH, 6.667, 5e-4);
    EXPECT_EQ(Judge(Network::LpClc, lp_clc, {}), MatchVerdict::OutsideLimits);
}

TEST(Matching, DefaultAntennaAt14MHz) {
    const Load load = DefaultAntennaAt(14.2);

    const MatchValues hp_cl = MatchLoad(Network::HpCl, load);
    EXPECT_NEAR(hp_cl.c_pF, 119.742, 5e-4);
    EXPECT_NEAR(hp_cl.l_uH, 0.5680, 5e-5);
    EXPECT_EQ(Judge(Network::HpCl, hp_cl, {}), MatchVerdict::InsideLimits);
    // 100 W into 50 Ohm is sqrt(2) A: C_m's 93.60 Ohm carry 2 * 93.60 V peak. The antenna's
    // 4.440 mS take 100 W at 150.08 V, which drive 2.961 A through L_m's 50.68 Ohm.
    const Impedance antenna{load.r, load.x};
    const std::optional<PartStress> stress =
        NetworkStress(Network::HpCl, hp_cl, {}, antenna, load.f_Hz, 100);
    ASSERT_TRUE(stress);
    EXPECT_NEAR(stress->vc_kVpk, 0.18720, 5e-5);
    EXPECT_NEAR(stress->il_A, 2.9614, 5e-4);
    EXPECT_EQ(stress->vc2_kVpk, 0);
    EXPECT_FALSE(NetworkStress(Network::HpCl, hp_cl, {}, antenna, load.f_Hz, -100));

    const MatchValues hp_clc = MatchLoad(Network::HpClc, load);
    EXPECT_EQ(hp_clc.c_pF, 68);
    EXPECT_EQ(hp_clc.c2_pF, 207);
    EXPECT_NEAR(hp_clc.l_uH, 0.8716, 5e-5);
    EXPECT_EQ(Judge(Network::HpClc, hp_clc, {}), MatchVerdict::InsideLimits);

    const MatchValues lp_cl = MatchLoad(Network::LpCl, load);
    EXPECT_NEAR(lp_cl.c_pF, 186.363, 5e-4);
    EXPECT_NEAR(lp_cl.l_uH, 1.1279, 5e-5);
    EXPECT_EQ(Judge(Network::LpCl, lp_cl, {}), MatchVerdict::InsideLimits);

    // R < 50 and X < 0: the pi network starts from C' = Cmin at the antenna.
    const MatchValues lp_clc = MatchLoad(Network::LpClc, load);
    EXPECT_NEAR(lp_clc.c_pF, 257.643, 5e-4);
    EXPECT_EQ(lp_clc.c2_pF, 25);
    EXPECT_NEAR(lp_clc.l_uH, 1.0199, 5e-5);
    EXPECT_EQ(Judge(Network::LpClc, lp_clc, {}), MatchVerdict::OutsideLimits);

    EXPECT_LT(MatchLoad(Network::HpLc, load).c_pF, 0);
    EXPECT_LT(MatchLoad(Network::LpLc, load).c_pF, 0);
    EXPECT_EQ(Verdict(Network::HpLc, load), MatchVerdict::NoSolution);
    EXPECT_EQ(Verdict(Network::LpLc, load), MatchVerdict::NoSolution);
}

TEST(Matching, DefaultAntennaAt18MHz) {
    const Load load = DefaultAntennaAt(18.15);

    // G below 1/50 S: the pi network starts from C = Cmin at the transmitter.
    const MatchValues lp_clc = MatchLoad(Network::LpClc, load);
    EXPECT_EQ(lp_clc.c_pF, 25);
    EXPECT_NEAR(lp_clc.c2_pF, 146.466, 5e-4);
    EXPECT_NEAR(lp_clc.l_uH, 0.7599, 5e-5);
    EXPECT_EQ(Judge(Network::LpClc, lp_clc, {}), MatchVerdict::InsideLimits);

    // R above 50 Ohm: no real root for a shunt element at the transmitter.
    for (Network n : {Network::HpLc, Network::LpCl}) {
        const MatchValues v = MatchLoad(n, load);
        EXPECT_EQ(v.c_pF, 0);
        EXPECT_EQ(v.l_uH, 0);
        EXPECT_EQ(Judge(n, v, {}), MatchVerdict::NoSolution);
    }
}

TEST(Matching, FaultsLeaveOnlyThePlacesWrittenBefore) {
    // R^2 + X^2 = 50 R makes G exactly 1/50 S: no series reactance is left for the HP-CL
    // capacitor, whose value divides by it, while its coil was already written.
    const MatchValues hp_cl = MatchHpCl(1, -7, 7.1e6);
    EXPECT_GT(hp_cl.l_uH, 0);
    EXPECT_EQ(hp_cl.c_pF, 0);
    // R = 10 needs X_s = -20 from the HP-LC coil; a load of -20 leaves nothing for C.
    const MatchValues hp_lc = MatchHpLc(10, -20, 7.1e6);
    EXPECT_GT(hp_lc.l_uH, 0);
    EXPECT_EQ(hp_lc.c_pF, 0);
    EXPECT_EQ(Judge(Network::HpCl, hp_cl, {}), MatchVerdict::NoSolution);
    EXPECT_EQ(Judge(Network::HpLc, hp_lc, {}), MatchVerdict::NoSolution);

    // The differential capacitor runs down to C2 = 0, where its reactance faults.
    const MatchValues hp_clc = MatchHpClc(1e8, 0, 1e3, {});
    EXPECT_EQ(hp_clc.c2_pF, 0);
    EXPECT_EQ(hp_clc.c_pF, 0);
    EXPECT_EQ(hp_clc.l_uH, 0);
}

TEST(Matching, FrequencyZeroOrZeroLoadIsNoSolutionForEveryNetwork) {
    for (Network n : kAllNetworks) {
        for (const Load& load : {Load{9.7, -413.5, 0}, Load{0, 0, 7.1e6}, Load{-10, 5, 7.1e6}}) {
            const MatchValues v = MatchLoad(n, load);
            EXPECT_EQ(Judge(n, v, {}), MatchVerdict::NoSolution) << static_cast<int>(n);
            EXPECT_TRUE(std::isfinite(v.c_pF) && std::isfinite(v.l_uH) && std::isfinite(v.c2_pF));
            EXPECT_EQ(v.c_pF, 0);
        }
    }
    // The differential capacitor is set to its start before the first fault.
    EXPECT_EQ(MatchHpClc(9.7, -413.5, 0, {}).c2_pF, 250);
}

TEST(Matching, DifferentialCapacitorSearchAlwaysEnds) {
    // At 1e300 pF a step of 1 pF is lost in rounding.
    const MatchValues huge = MatchHpClc(10, 0, 7.1e6, {1e300, 1e300, 35});
    EXPECT_EQ(huge.c_pF, 0);
    EXPECT_EQ(huge.l_uH, 0);
    // A crossing some ten million steps away is given up.
    const MatchValues far = MatchHpClc(10, 0, 7.1e6, {25, 1e7, 35});
    EXPECT_EQ(far.c_pF, 0);
    EXPECT_EQ(far.l_uH, 0);
    // The same load within ordinary limits does cross.
    const MatchValues near = MatchHpClc(10, 0, 7.1e6, {25, 2000, 35});
    EXPECT_GT(near.c_pF, 25);
    EXPECT_EQ(near.c_pF + near.c2_pF, 2025);
}

TEST(Matching, PiNetworkStartsAtTheAntennaForAHighConductance) {
    // Inductive, but G above 1/50 S: from C = Cmin at the transmitter there is no root.
    const MatchValues v = MatchLpClc(10, 10, 7.1e6, {});
    EXPECT_EQ(v.c2_pF, 25);
    EXPECT_NEAR(v.c_pF, 884.2006, 1e-4);
    EXPECT_NEAR(v.l_uH, 0.22797, 1e-5);
    EXPECT_EQ(Judge(Network::LpClc, v, {}), MatchVerdict::OutsideLimits);
}

TEST(Matching, PiNetworkClampsOneEndAndSolvesFromTheOther) {
    // An inductive load of high conductance starts at the antenna, where C comes out
    // below Cmin; C is held at Cmin and C' is solved for it.
    const MatchValues v = MatchLpClc(14.6177, 22.6789, 100e6, {});
    EXPECT_EQ(v.c_pF, 25);
    EXPECT_NEAR(v.c2_pF, 74.5488, 1e-3);
    EXPECT_NEAR(v.l_uH, 0.07711, 1e-5);
}

TEST(Judge, VerdictTableAtTheLimits) {
    const MatchLimits limits;  // 25 .. 250 pF, 35 uH
    using enum MatchVerdict;
    for (Network n : {Network::HpCl, Network::HpLc, Network::LpCl, Network::LpLc}) {
        EXPECT_EQ(Judge(n, {25, 5, 0}, limits), InsideLimits);
        EXPECT_EQ(Judge(n, {250, 35, 0}, limits), InsideLimits);
        EXPECT_EQ(Judge(n, {24.9, 5, 0}, limits), OutsideLimits);
        EXPECT_EQ(Judge(n, {100, 35.1, 0}, limits), OutsideLimits);
        EXPECT_EQ(Judge(n, {0, 5, 0}, limits), NoSolution);
        EXPECT_EQ(Judge(n, {100, 0, 0}, limits), NoSolution);
        EXPECT_EQ(Judge(n, {100, -1, 0}, limits), NoSolution);
    }
    // The differential capacitor needs to have left both of its stops.
    EXPECT_EQ(Judge(Network::HpClc, {25, 5, 250}, limits), NoSolution);
    EXPECT_EQ(Judge(Network::HpClc, {250, 5, 25}, limits), NoSolution);
    EXPECT_EQ(Judge(Network::HpClc, {26, 5, 249}, limits), InsideLimits);
    EXPECT_EQ(Judge(Network::HpClc, {26, 36, 249}, limits), OutsideLimits);
    EXPECT_EQ(Judge(Network::HpClc, {26, 0, 249}, limits), NoSolution);

    EXPECT_EQ(Judge(Network::LpClc, {25, 5, 250}, limits), InsideLimits);
    EXPECT_EQ(Judge(Network::LpClc, {100, 5, 251}, limits), OutsideLimits);
    EXPECT_EQ(Judge(Network::LpClc, {100, 5, 24}, limits), OutsideLimits);
    EXPECT_EQ(Judge(Network::LpClc, {100, 5, 0}, limits), NoSolution);
    EXPECT_EQ(Judge(Network::LpClc, {0, 5, 100}, limits), NoSolution);
}

TEST(Match, DispatchesToEachRoutine) {
    const Load load = DefaultAntennaAt(14.2);
    const MatchLimits limits{30, 300, 20};
    auto same = [](const MatchValues& a, const MatchValues& b) {
        return a.c_pF == b.c_pF && a.l_uH == b.l_uH && a.c2_pF == b.c2_pF;
    };
    EXPECT_TRUE(same(MatchLoad(Network::HpCl, load, limits), MatchHpCl(load.r, load.x, load.f_Hz)));
    EXPECT_TRUE(same(MatchLoad(Network::HpLc, load, limits), MatchHpLc(load.r, load.x, load.f_Hz)));
    EXPECT_TRUE(same(MatchLoad(Network::HpClc, load, limits),
                     MatchHpClc(load.r, load.x, load.f_Hz, limits)));
    EXPECT_TRUE(same(MatchLoad(Network::LpCl, load, limits), MatchLpCl(load.r, load.x, load.f_Hz)));
    EXPECT_TRUE(same(MatchLoad(Network::LpLc, load, limits), MatchLpLc(load.r, load.x, load.f_Hz)));
    EXPECT_TRUE(same(MatchLoad(Network::LpClc, load, limits),
                     MatchLpClc(load.r, load.x, load.f_Hz, limits)));

    int with_second = 0;
    for (Network n : kAllNetworks) with_second += HasSecondCapacitor(n) ? 1 : 0;
    EXPECT_EQ(with_second, 2);
    EXPECT_TRUE(HasSecondCapacitor(Network::HpClc));
    EXPECT_TRUE(HasSecondCapacitor(Network::LpClc));
}

}  // namespace
