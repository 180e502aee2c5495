#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <map>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/Antenna.h"
#include "core/Matching.h"
#include "core/NetworkLadder.h"
#include "core/PartStress.h"
#include "tests/core/Ladder.h"

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

// A value as documented: equal within half a unit of its last digit, exactly when it has
// no decimals; nullptr when nothing is documented.
void ExpectDocumented(double actual, const char* documented, const std::string& where) {
    if (!documented) return;
    const char* point = std::strchr(documented, '.');
    const int decimals = point ? static_cast<int>(std::strlen(point + 1)) : 0;
    EXPECT_NEAR(actual, std::atof(documented), decimals ? 0.5 * std::pow(10, -decimals) : 0)
        << where;
}

TEST(Matching, DocumentedLoads) {
    const Load at7 = DefaultAntennaAt(7.1), at14 = DefaultAntennaAt(14.2),
               at18 = DefaultAntennaAt(18.15);
    using enum MatchVerdict;
    const struct {
        Load load;
        Network network;
        const char *c, *c2, *l;
        MatchVerdict verdict;
    } cases[] = {
        {at7, Network::HpCl, "23.90", nullptr, "6.441", OutsideLimits},  // C_m below Cmin
        {at7, Network::HpLc, "-56.93", nullptr, nullptr, NoSolution},
        {at7, Network::LpCl, "913.9", nullptr, "9.713", OutsideLimits},
        {at7, Network::LpLc, "-30.34", nullptr, nullptr, NoSolution},
        // The differential capacitor crosses below Cmin: it stops at once.
        {at7, Network::HpClc, "25", "250", "7.235", NoSolution},
        {at7, Network::LpClc, "1418.3", "25", "6.667", OutsideLimits},
        {at14, Network::HpCl, "119.742", nullptr, "0.5680", InsideLimits},
        {at14, Network::HpClc, "68", "207", "0.8716", InsideLimits},
        {at14, Network::LpCl, "186.363", nullptr, "1.1279", InsideLimits},
        // R < 50 and X < 0: the pi network starts from C' = Cmin at the antenna.
        {at14, Network::LpClc, "257.643", "25", "1.0199", OutsideLimits},
        // G below 1/50 S: the pi network starts from C = Cmin at the transmitter.
        {at18, Network::LpClc, "25", "146.466", "0.7599", InsideLimits},
        // R above 50 Ohm: no real root for a shunt element at the transmitter.
        {at18, Network::HpLc, "0", "0", "0", NoSolution},
        {at18, Network::LpCl, "0", "0", "0", NoSolution},
        // Inductive, but G above 1/50 S: from C = Cmin at the transmitter there is no root.
        {{10, 10, 7.1e6}, Network::LpClc, "884.2006", "25", "0.22797", OutsideLimits},
        // Started at the antenna, C comes out below Cmin: held there, C' is solved for it.
        {{14.6177, 22.6789, 100e6}, Network::LpClc, "25", "74.549", "0.07711", InsideLimits},
    };
    for (const auto& c : cases) {
        const MatchValues v = MatchLoad(c.network, c.load);
        const std::string where = std::to_string(static_cast<int>(c.network)) + " at " +
                                  std::to_string(c.load.f_Hz) + " Hz";
        ExpectDocumented(v.c_pF, c.c, where);
        ExpectDocumented(v.c2_pF, c.c2, where);
        ExpectDocumented(v.l_uH, c.l, where);
        EXPECT_EQ(Judge(c.network, v, {}), c.verdict) << where;
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

// Match hands the limits on: at 1e300 pF a step of 1 pF is lost in rounding, and a
// crossing some ten million steps away is given up; within ordinary limits it crosses.
TEST(Matching, DifferentialCapacitorSearchAlwaysEnds) {
    const Load load{10, 0, 7.1e6};
    for (const MatchLimits& limits : {MatchLimits{1e300, 1e300, 35}, MatchLimits{25, 1e7, 35}}) {
        const MatchValues v = MatchLoad(Network::HpClc, load, limits);
        EXPECT_EQ(std::pair(v.c_pF, v.l_uH), std::pair(0.0, 0.0)) << limits.cmax_pF;
    }
    const MatchValues near = MatchLoad(Network::HpClc, load, {25, 2000, 35});
    EXPECT_GT(near.c_pF, 25);
    EXPECT_EQ(near.c_pF + near.c2_pF, 2025);
    EXPECT_EQ(MatchLoad(Network::LpClc, DefaultAntennaAt(14.2), {30, 300, 20}).c2_pF, 30);
}

// Default limits 25 .. 250 pF, 35 uH. The differential capacitor needs to have left both
// of its stops.
TEST(Judge, VerdictTableAtTheLimits) {
    using enum MatchVerdict;
    using enum Network;
    const std::vector<Network> two{HpCl, HpLc, LpCl, LpLc}, hp{HpClc}, lp{LpClc};
    const struct {
        std::vector<Network> networks;
        MatchValues v;
        MatchVerdict verdict;
    } cases[] = {{two, {25, 5, 0}, InsideLimits},    {two, {250, 35, 0}, InsideLimits},
                 {two, {24.9, 5, 0}, OutsideLimits}, {two, {100, 35.1, 0}, OutsideLimits},
                 {two, {0, 5, 0}, NoSolution},       {two, {100, 0, 0}, NoSolution},
                 {two, {100, -1, 0}, NoSolution},    {hp, {25, 5, 250}, NoSolution},
                 {hp, {250, 5, 25}, NoSolution},     {hp, {26, 5, 249}, InsideLimits},
                 {hp, {26, 36, 249}, OutsideLimits}, {hp, {26, 0, 249}, NoSolution},
                 {lp, {25, 5, 250}, InsideLimits},   {lp, {100, 5, 251}, OutsideLimits},
                 {lp, {100, 5, 24}, OutsideLimits},  {lp, {100, 5, 0}, NoSolution},
                 {lp, {0, 5, 100}, NoSolution}};
    for (const auto& c : cases) {
        for (const Network n : c.networks) {
            EXPECT_EQ(Judge(n, c.v, {}), c.verdict)
                << static_cast<int>(n) << ": " << c.v.c_pF << " " << c.v.l_uH << " " << c.v.c2_pF;
        }
    }
}

using ladder::Complex;

// The SWR a 50 Ohm transmitter sees looking into z.
double Swr(Complex z) {
    const double gamma = std::abs((z - 50.0) / (z + 50.0));
    return (1 + gamma) / (1 - gamma);
}

// The differential capacitor turns in 1 pF steps, so its match is only as good as one
// step. What must hold exactly: the coil cancels the susceptance at the junction (the
// load side is the conjugate of the source side), and the conductances of the two sides
// cross within the last step.
void ExpectStopAtTheCrossing(const MatchValues& v, double omega, Complex zload,
                             const std::string& where) {
    const MatchLimits limits;
    auto cap = [&](double pF) { return Complex(0, -1 / (omega * pF * 1e-12)); };
    auto source_side = [&](double c1) { return 1.0 / (50.0 + cap(c1)); };
    auto load_side = [&](double c2) { return 1.0 / (cap(c2) + zload); };
    const Complex source = source_side(v.c_pF);
    const Complex load = load_side(v.c2_pF);
    const Complex coil = 1.0 / Complex(0, omega * v.l_uH * 1e-6);
    // The terms nearly cancel; the model's pi is off by about 1e-9.
    const double scale = std::abs(source) + std::abs(load) + std::abs(coil);
    EXPECT_NEAR((load + coil).imag(), -source.imag(), 1e-8 * scale) << where;
    EXPECT_EQ(v.c_pF + v.c2_pF, limits.cmin_pF + limits.cmax_pF) << where;
    EXPECT_GE(source.real(), load.real() * (1 - 1e-9)) << where;
    EXPECT_LT(source_side(v.c_pF - 1).real(), load_side(v.c2_pF + 1).real() * (1 + 1e-9)) << where;
}

// Over random loads and powers: every valid solution matches (the differential capacitor
// within a few percent, the others exactly) and its part stress equals the stress walked
// from the load, and the impedance the network shows the transmitter equals the one worked
// out here; no solution, nor a negative power, has stress; every load has a two-element
// solution.
TEST(MatchingProperty, SolutionsMatchAndTheirStressAgreesWithTheLoadSide) {
    std::mt19937_64 rng{1234567};
    std::uniform_real_distribution<double> logR{std::log(0.5), std::log(2000.0)}, x{-2000, 2000},
        logF{std::log(0.1e6), std::log(30e6)}, power(1, 1500);
    std::map<Network, int> valid;
    for (int i = 0; i < 4000; ++i) {
        const struct { double r, x, f_Hz; } s{std::exp(logR(rng)), x(rng), std::exp(logF(rng))};
        const double ptx = power(rng);
        const std::string where = "load " + std::to_string(s.r) + " " + std::to_string(s.x) +
                                  " Ohm at " + std::to_string(s.f_Hz) + " Hz";
        int twoElement = 0;
        for (Network n : kAllNetworks) {
            const MatchValues v = Match(n, s.r, s.x, s.f_Hz, {});
            const std::optional<PartStress> stress =
                NetworkStress(n, v, {}, {s.r, s.x}, s.f_Hz, ptx);
            if (Judge(n, v, {}) == MatchVerdict::NoSolution) {
                EXPECT_FALSE(stress) << where;
                continue;
            }
            ++valid[n];
            EXPECT_EQ(HasSecondCapacitor(n), ladder::Layout(n).size() == 3);
            twoElement += HasSecondCapacitor(n) ? 0 : 1;
            // The model's pi differs from the true one by 1e-9, far below the SWR allowed.
            const double omega = 2 * std::numbers::pi * s.f_Hz;
            const Complex load(s.r, s.x);
            const Complex matched = ladder::Walk(n, ladder::Lossless(v, omega), load, 1).input();
            EXPECT_LT(Swr(matched), n == Network::HpClc ? 1.2 : 1.001) << where;
            if (n == Network::HpClc) ExpectStopAtTheCrossing(v, omega, load, where);
            ASSERT_TRUE(stress) << where;
            EXPECT_FALSE(NetworkStress(n, v, {}, {s.r, s.x}, s.f_Hz, -ptx)) << where;
            // With the model's own pi only rounding separates the two walks. The lossless
            // network hands Ptx on to the load, whose current is sqrt(Ptx / R).
            const ladder::Walked walked = ladder::Walk(
                n, ladder::Lossless(v, 2 * 3.14159265 * s.f_Hz), load, std::sqrt(ptx / s.r));
            const std::optional<Impedance> seen = NetworkInputImpedance(n, v, {s.r, s.x}, s.f_Hz);
            const Complex expectedSeen = walked.input();
            ASSERT_TRUE(seen) << where;
            EXPECT_NEAR(seen->r, expectedSeen.real(), 1e-9 * std::abs(expectedSeen)) << where;
            EXPECT_NEAR(seen->x, expectedSeen.imag(), 1e-9 * std::abs(expectedSeen)) << where;
            auto kVpk = [&](ladder::Part part) {
                const auto found = walked.parts.find(part);
                return found == walked.parts.end()
                           ? 0
                           : std::abs(found->second.across) * 1.4142135623730951 / 1000;
            };
            using enum ladder::Part;
            EXPECT_NEAR(stress->vc_kVpk, kVpk(C), 1e-7 * kVpk(C)) << where;
            EXPECT_NEAR(stress->vc2_kVpk, kVpk(C2), 1e-7 * kVpk(C2)) << where;
            EXPECT_NEAR(stress->vl_kVpk, kVpk(L), 1e-7 * kVpk(L)) << where;
            const double il = std::abs(walked.parts.at(L).through);
            EXPECT_NEAR(stress->il_A, il, 1e-7 * il) << where;
        }
        EXPECT_GE(twoElement, 1) << where;
    }
    for (Network n : kAllNetworks) EXPECT_GT(valid[n], 300) << static_cast<int>(n);
}

}  // namespace
