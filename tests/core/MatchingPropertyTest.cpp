#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <optional>
#include <random>
#include <string>

#include "core/Matching.h"
#include "core/PartStress.h"

// The networks are rebuilt here from their element values with plain complex
// arithmetic, terminated in the load, and looked at from the 50 Ohm transmitter.
namespace {

using Complex = std::complex<double>;

struct Elements {
    double omega;
    Complex load;
    Complex Cap(double pF) const { return Complex(0, -1 / (omega * pF * 1e-12)); }
    Complex Coil(double uH) const { return Complex(0, omega * uH * 1e-6); }
};

Complex Parallel(Complex a, Complex b) {
    return a * b / (a + b);
}

// Elements listed from the transmitter towards the antenna.
Complex InputImpedance(Network network, const MatchValues& v, const Elements& e) {
    switch (network) {
        case Network::HpCl:
            return e.Cap(v.c_pF) + Parallel(e.Coil(v.l_uH), e.load);
        case Network::HpLc:
            return Parallel(e.Coil(v.l_uH), e.Cap(v.c_pF) + e.load);
        case Network::HpClc:
            return e.Cap(v.c_pF) + Parallel(e.Coil(v.l_uH), e.Cap(v.c2_pF) + e.load);
        case Network::LpCl:
            return Parallel(e.Cap(v.c_pF), e.Coil(v.l_uH) + e.load);
        case Network::LpLc:
            return e.Coil(v.l_uH) + Parallel(e.Cap(v.c_pF), e.load);
        case Network::LpClc:
            return Parallel(e.Cap(v.c_pF), e.Coil(v.l_uH) + Parallel(e.Cap(v.c2_pF), e.load));
    }
    return {};
}

double Swr(Complex z) {
    const double gamma = std::abs((z - 50.0) / (z + 50.0));
    return (1 + gamma) / (1 - gamma);
}

struct RandomLoads {
    std::mt19937_64 rng{1234567};
    std::uniform_real_distribution<double> log_r{std::log(0.5), std::log(2000.0)};
    std::uniform_real_distribution<double> x{-2000, 2000};
    std::uniform_real_distribution<double> log_f{std::log(0.1e6), std::log(30e6)};

    struct Sample {
        double r, x, f_Hz;
    };
    Sample Next() { return {std::exp(log_r(rng)), x(rng), std::exp(log_f(rng))}; }
};

// The stress walked the other way, from the antenna to the transmitter: the lossless
// network hands Ptx on to the load, so the load current is sqrt(Ptx / R).
PartStress StressFromTheLoad(Network network, const MatchValues& v, const Elements& e,
                             double ptx_W) {
    Complex current = std::sqrt(ptx_W / e.load.real());
    Complex voltage = current * e.load;
    struct Seen {
        double across_kVpk, through_A;
    };
    auto series = [&](Complex z) {
        const Seen seen{std::abs(current * z) * std::sqrt(2.0) / 1000, std::abs(current)};
        voltage += current * z;
        return seen;
    };
    auto shunt = [&](Complex z) {
        const Seen seen{std::abs(voltage) * std::sqrt(2.0) / 1000, std::abs(voltage / z)};
        current += voltage / z;
        return seen;
    };
    PartStress s;
    switch (network) {
        case Network::HpCl:
            s.il_A = shunt(e.Coil(v.l_uH)).through_A;
            s.vc_kVpk = series(e.Cap(v.c_pF)).across_kVpk;
            break;
        case Network::HpLc:
            s.vc_kVpk = series(e.Cap(v.c_pF)).across_kVpk;
            s.il_A = shunt(e.Coil(v.l_uH)).through_A;
            break;
        case Network::HpClc:
            s.vc2_kVpk = series(e.Cap(v.c2_pF)).across_kVpk;
            s.il_A = shunt(e.Coil(v.l_uH)).through_A;
            s.vc_kVpk = series(e.Cap(v.c_pF)).across_kVpk;
            break;
        case Network::LpCl:
            s.il_A = series(e.Coil(v.l_uH)).through_A;
            s.vc_kVpk = shunt(e.Cap(v.c_pF)).across_kVpk;
            break;
        case Network::LpLc:
            s.vc_kVpk = shunt(e.Cap(v.c_pF)).across_kVpk;
            s.il_A = series(e.Coil(v.l_uH)).through_A;
            break;
        case Network::LpClc:
            s.vc2_kVpk = shunt(e.Cap(v.c2_pF)).across_kVpk;
            s.il_A = series(e.Coil(v.l_uH)).through_A;
            s.vc_kVpk = shunt(e.Cap(v.c_pF)).across_kVpk;
            break;
    }
    return s;
}

// Over random loads and powers: every valid solution matches within max_swr and its part
// stress equals the stress walked from the load; no solution has no stress. Returns how
// many loads had a solution.
int CheckSolutions(Network network, double max_swr) {
    RandomLoads loads;
    std::uniform_real_distribution<double> power(1, 1500);
    int valid = 0;
    for (int i = 0; i < 4000; ++i) {
        const auto s = loads.Next();
        const double ptx = power(loads.rng);
        const MatchValues v = Match(network, s.r, s.x, s.f_Hz, {});
        const std::optional<PartStress> stress =
            NetworkStress(network, v, {}, {s.r, s.x}, s.f_Hz, ptx);
        const std::string where = "load " + std::to_string(s.r) + " " + std::to_string(s.x) +
                                  " Ohm at " + std::to_string(s.f_Hz) + " Hz";
        if (Judge(network, v, {}) == MatchVerdict::NoSolution) {
            EXPECT_FALSE(stress) << where;
            continue;
        }
        ++valid;
        // The model's pi differs from the true one by 1e-9, far below max_swr.
        const Elements e{2 * std::numbers::pi * s.f_Hz, Complex(s.r, s.x)};
        EXPECT_LT(Swr(InputImpedance(network, v, e)), max_swr) << where;
        if (!stress) {
            ADD_FAILURE() << "no stress for " << where;
            continue;
        }
        // With the model's own pi only rounding separates the two walks.
        const PartStress expected =
            StressFromTheLoad(network, v, {2 * 3.14159265 * s.f_Hz, e.load}, ptx);
        EXPECT_NEAR(stress->vc_kVpk, expected.vc_kVpk, 1e-7 * expected.vc_kVpk) << where;
        EXPECT_NEAR(stress->vc2_kVpk, expected.vc2_kVpk, 1e-7 * expected.vc2_kVpk) << where;
        EXPECT_NEAR(stress->il_A, expected.il_A, 1e-7 * expected.il_A) << where;
    }
    return valid;
}

TEST(MatchingProperty, SolutionsMatchAndTheirStressAgreesWithTheLoadSide) {
    // The differential capacitor turns in 1 pF steps: with 25 .. 250 pF one step is a few
    // percent of either reactance. The others match exactly.
    for (Network n : {Network::HpCl, Network::HpLc, Network::HpClc, Network::LpCl, Network::LpLc,
                      Network::LpClc}) {
        EXPECT_GT(CheckSolutions(n, n == Network::HpClc ? 1.2 : 1.001), 300) << static_cast<int>(n);
    }
}

// The differential capacitor turns in 1 pF steps, so its match is only as good as one
// step. What must hold exactly: the coil cancels the susceptance at the junction (the
// load side is the conjugate of the source side), and the conductances of the two sides
// cross within the last step.
TEST(MatchingProperty, DifferentialCapacitorStopsAtTheCrossing) {
    const MatchLimits limits;
    RandomLoads loads;
    int valid = 0;
    for (int i = 0; i < 4000; ++i) {
        const auto s = loads.Next();
        const MatchValues v = MatchHpClc(s.r, s.x, s.f_Hz, limits);
        if (Judge(Network::HpClc, v, limits) == MatchVerdict::NoSolution) continue;
        ++valid;
        const Elements e{2 * std::numbers::pi * s.f_Hz, Complex(s.r, s.x)};
        auto source_side = [&](double c1) { return 1.0 / (50.0 + e.Cap(c1)); };
        auto load_side = [&](double c2) { return 1.0 / (e.Cap(c2) + e.load); };
        const Complex source = source_side(v.c_pF);
        const Complex load = load_side(v.c2_pF);
        const Complex coil = 1.0 / e.Coil(v.l_uH);
        const std::string where = "load " + std::to_string(s.r) + " " + std::to_string(s.x);
        // The terms nearly cancel; the model's pi is off by about 1e-9.
        const double scale = std::abs(source) + std::abs(load) + std::abs(coil);
        EXPECT_NEAR((load + coil).imag(), -source.imag(), 1e-8 * scale) << where;
        EXPECT_EQ(v.c_pF + v.c2_pF, limits.cmin_pF + limits.cmax_pF) << where;
        EXPECT_GE(source.real(), load.real() * (1 - 1e-9)) << where;
        EXPECT_LT(source_side(v.c_pF - 1).real(), load_side(v.c2_pF + 1).real() * (1 + 1e-9))
            << where;
    }
    EXPECT_GT(valid, 300);
}

TEST(MatchingProperty, EveryLoadHasATwoElementSolution) {
    RandomLoads loads;
    for (int i = 0; i < 4000; ++i) {
        const auto s = loads.Next();
        int solutions = 0;
        for (Network n : {Network::HpCl, Network::HpLc, Network::LpCl, Network::LpLc}) {
            const MatchValues v = Match(n, s.r, s.x, s.f_Hz, {});
            solutions += Judge(n, v, {}) != MatchVerdict::NoSolution ? 1 : 0;
        }
        EXPECT_GE(solutions, 1) << "load " << s.r << " " << s.x << " Ohm";
    }
}

}  // namespace
