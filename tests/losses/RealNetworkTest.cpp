// Networks built from real parts: exact against hand-written node equations, lossless at an
// ideal Q, balanced in energy, and close to the textbook estimate of an L network.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/NetworkLadder.h"
#include "core/Numeric.h"
#include "losses/Losses.h"
#include "losses/RealNetwork.h"

namespace {

using Complex = std::complex<double>;

constexpr Network kNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                 Network::LpCl, Network::LpLc, Network::LpClc};
constexpr LossQ kIdeal{kIdealQ, kIdealQ, kIdealQ};

double Omega(double f_Hz) {
    return 2 * num::PI * f_Hz;
}

Complex Coil(double l_uH, double q, double f_Hz) {
    const double x = Omega(f_Hz) * l_uH / 1e6;
    return {std::isinf(q) ? 0 : x / q, x};
}

Complex Capacitor(double c_pF, double q, double f_Hz) {
    const double x = 1 / (Omega(f_Hz) * c_pF / 1e12);
    return {std::isinf(q) ? 0 : x / q, -x};
}

double Squared(Complex a) {
    return std::norm(a);
}

// A network solved by hand: the input current at 1 V across the input, and what each part
// and the load take.
struct Solved {
    Complex inputCurrent;
    double c = 0, c2 = 0, l = 0, load = 0;
};

// Node 1 is the input at 1 V, node 2 the one junction inside; each network's equation for
// node 2 is Kirchhoff's current law there.
Solved ByNodeEquations(Network network, Complex zc, Complex zc2, Complex zl, Complex zload) {
    const Complex v1 = 1;
    Solved s;
    switch (network) {
        case Network::HpCl: {  // series C from 1 to 2; L and the load from 2 to ground
            // (v1 - v2) / zc = v2 / zl + v2 / zload
            const Complex v2 = (v1 / zc) / (1.0 / zc + 1.0 / zl + 1.0 / zload);
            s.inputCurrent = (v1 - v2) / zc;
            s.c = Squared(s.inputCurrent) * zc.real();
            s.l = Squared(v2 / zl) * zl.real();
            s.load = Squared(v2 / zload) * zload.real();
            break;
        }
        case Network::LpLc: {  // series L from 1 to 2; C and the load from 2 to ground
            // (v1 - v2) / zl = v2 / zc + v2 / zload
            const Complex v2 = (v1 / zl) / (1.0 / zl + 1.0 / zc + 1.0 / zload);
            s.inputCurrent = (v1 - v2) / zl;
            s.l = Squared(s.inputCurrent) * zl.real();
            s.c = Squared(v2 / zc) * zc.real();
            s.load = Squared(v2 / zload) * zload.real();
            break;
        }
        case Network::HpLc: {  // L from 1 to ground; series C from 1 to 2; load from 2
            // (v1 - v2) / zc = v2 / zload
            const Complex v2 = v1 * zload / (zc + zload);
            const Complex ic = (v1 - v2) / zc;
            s.inputCurrent = v1 / zl + ic;
            s.l = Squared(v1 / zl) * zl.real();
            s.c = Squared(ic) * zc.real();
            s.load = Squared(v2 / zload) * zload.real();
            break;
        }
        case Network::LpCl: {  // C from 1 to ground; series L from 1 to 2; load from 2
            // (v1 - v2) / zl = v2 / zload
            const Complex v2 = v1 * zload / (zl + zload);
            const Complex il = (v1 - v2) / zl;
            s.inputCurrent = v1 / zc + il;
            s.c = Squared(v1 / zc) * zc.real();
            s.l = Squared(il) * zl.real();
            s.load = Squared(v2 / zload) * zload.real();
            break;
        }
        case Network::HpClc: {  // series C from 1 to 2; L from 2 to ground; C' and load from 2
            // (v1 - v2) / zc = v2 / zl + v2 / (zc2 + zload)
            const Complex v2 = (v1 / zc) / (1.0 / zc + 1.0 / zl + 1.0 / (zc2 + zload));
            const Complex iLoad = v2 / (zc2 + zload);
            s.inputCurrent = (v1 - v2) / zc;
            s.c = Squared(s.inputCurrent) * zc.real();
            s.l = Squared(v2 / zl) * zl.real();
            s.c2 = Squared(iLoad) * zc2.real();
            s.load = Squared(iLoad) * zload.real();
            break;
        }
        case Network::LpClc: {  // C from 1 to ground; series L from 1 to 2; C' and load at 2
            // (v1 - v2) / zl = v2 / zc2 + v2 / zload
            const Complex v2 = (v1 / zl) / (1.0 / zl + 1.0 / zc2 + 1.0 / zload);
            const Complex il = (v1 - v2) / zl;
            s.inputCurrent = v1 / zc + il;
            s.c = Squared(v1 / zc) * zc.real();
            s.l = Squared(il) * zl.real();
            s.c2 = Squared(v2 / zc2) * zc2.real();
            s.load = Squared(v2 / zload) * zload.real();
            break;
        }
    }
    return s;
}

void ExpectRelative(double actual, double expected, double tolerance, const std::string& what) {
    EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

TEST(RealNetwork, MatchesTheNodeEquationsOfEachTopology) {
    const double f_Hz = 7.1e6;
    const MatchValues values{120, 2.7, 330};
    const LossQ q{85, 640, 200};
    const Impedance load{14.5, -160};
    const double ptx_W = 250;
    for (const Network network : kNetworks) {
        const Complex zc = Capacitor(values.c_pF, q.capacitor, f_Hz);
        const Complex zc2 = Capacitor(values.c2_pF, q.capacitor, f_Hz);
        const Complex zl = Coil(values.l_uH, q.inductor, f_Hz);
        const Solved s = ByNodeEquations(network, zc, zc2, zl, {load.r, load.x});
        const Complex zin = 1.0 / s.inputCurrent;
        // The powers at 1 V, scaled to ptx_W into the input.
        const double scale = ptx_W / (1.0 / zin).real();

        const auto p = RealNetworkPowers(network, values, load, f_Hz, ptx_W, q);
        ASSERT_TRUE(p) << NetworkName(network);
        const std::string name = NetworkName(network);
        ExpectRelative(p->input.r, zin.real(), 1e-10, name + " R_in");
        ExpectRelative(p->input.x, zin.imag(), 1e-10, name + " X_in");
        ExpectRelative(p->ploss_C_W, s.c * scale, 1e-10, name + " C");
        ExpectRelative(p->ploss_L_W, s.l * scale, 1e-10, name + " L");
        ExpectRelative(p->ploss_C2_W, s.c2 * scale, 1e-10, name + " C'");
        ExpectRelative(p->p_antenna_W, s.load * scale, 1e-10, name + " antenna");
        ExpectRelative(p->eta_net_pct, 100 * s.load * scale / ptx_W, 1e-10, name + " eta");
        const double rho = std::abs((zin - 50.0) / (zin + 50.0));
        ExpectRelative(p->swr, (1 + rho) / (1 - rho), 1e-9, name + " SWR");
        EXPECT_GT(p->ploss_C_W, 0) << name;
        EXPECT_GT(p->ploss_L_W, 0) << name;
        EXPECT_EQ(p->ploss_C2_W > 0, HasSecondCapacitor(network)) << name;
    }
}

// Some antennas across the band with and without a coil, as the window computes them.
std::vector<AntennaInput> Antennas() {
    std::vector<AntennaInput> antennas;
    for (const double f : {1.9, 3.7, 7.1, 14.2, 18.15, 21.2, 28.5}) {
        for (const double coil : {0.0, 8.0}) {
            antennas.push_back({.frequency_MHz = f, .lcoil_uH = coil});
        }
    }
    antennas.push_back({.length_m = 12, .diameter_mm = 40, .frequency_MHz = 10.1});
    return antennas;
}

// Every Q ideal: the lossless network of the box, all the power into the antenna, which is
// the lossless antenna itself.
TEST(RealNetwork, AllIdealIsTheLosslessNetwork) {
    const MatchLimits limits;
    int solved = 0;
    for (const AntennaInput& in : Antennas()) {
        const AntennaResult a = FeedPointImpedance(in).value();
        const Losses losses = LossesAt(ClosedFormModel(), in, a, limits, kIdeal);
        ASSERT_TRUE(losses.antenna);
        EXPECT_EQ(std::memcmp(&*losses.antenna, &a, sizeof a), 0) << in.frequency_MHz;
        const double f_Hz = in.frequency_MHz * 1e6;
        for (const Network network : kNetworks) {
            const MatchValues v = Match(network, a.r_f, a.x_f, f_Hz, limits);
            const auto& real = losses.of(network);
            const std::string what =
                std::string(NetworkName(network)) + " at " + std::to_string(in.frequency_MHz);
            ASSERT_EQ(real.has_value(), Judge(network, v, limits) != MatchVerdict::NoSolution)
                << what;
            if (!real) continue;
            ++solved;
            // What the lossless network shows the transmitter, to the bit.
            const Impedance lossless =
                NetworkInputImpedance(network, v, {a.r_f, a.x_f}, f_Hz).value();
            EXPECT_EQ(real->input.r, lossless.r) << what;
            EXPECT_EQ(real->input.x, lossless.x) << what;
            // Matched, but for the differential capacitor's whole pF.
            EXPECT_NEAR(real->swr, 1, network == Network::HpClc ? 0.05 : 1e-9) << what;
            EXPECT_EQ(real->partLoss_W(), 0) << what;
            EXPECT_NEAR(real->eta_net_pct, 100, 1e-9) << what;
            EXPECT_NEAR(real->p_antenna_W, in.ptx_W, 1e-9 * in.ptx_W) << what;
            EXPECT_NEAR(*real->eta_sys_pct, a.eta_f, 1e-9 * a.eta_f) << what;
            EXPECT_NEAR(*real->p_radiated_W, in.ptx_W * a.eta_f / 100, 1e-9 * in.ptx_W) << what;
        }
    }
    EXPECT_GT(solved, 30);
}

// What goes in comes out: the antenna's power and every part's loss add up to Ptx.
TEST(RealNetwork, EnergyBalancesForRandomAntennasAndQs) {
    std::mt19937 random(17);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    // Log-uniform over the whole range, ideal now and then.
    auto someQ = [&] { return uniform(0, 1) < 0.1 ? kIdealQ : std::pow(10, uniform(0, 5)); };
    const MatchLimits limits{5, 2000, 100};
    int balanced = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        AntennaInput in{.length_m = uniform(1, 30),
                        .diameter_mm = uniform(1, 100),
                        .frequency_MHz = uniform(0.1, 30),
                        .cfoot_pF = uniform(0, 50),
                        .lcoil_uH = uniform(0, 1) < 0.5 ? 0 : uniform(0, 40),
                        .aeloss_Ohm = uniform(0, 20),
                        .ptx_W = uniform(1, 5000)};
        const LossQ q{someQ(), someQ(), someQ()};
        const std::optional<AntennaResult> a = FeedPointImpedance(in);
        if (!a) continue;
        const Losses losses = LossesAt(ClosedFormModel(), in, *a, limits, q);
        for (const auto& real : losses.networks) {
            if (!real) continue;
            ++balanced;
            ASSERT_NEAR(real->p_antenna_W + real->partLoss_W(), in.ptx_W, 1e-9 * in.ptx_W)
                << "trial " << trial;
            EXPECT_GE(real->ploss_C_W, 0);
            EXPECT_GE(real->ploss_C2_W, 0);
            EXPECT_GE(real->ploss_L_W, 0);
            EXPECT_NEAR(real->eta_net_pct, 100 * real->p_antenna_W / in.ptx_W, 1e-9);
        }
    }
    EXPECT_GT(balanced, 3000);
}

// eta = 1 / (1 + Qn / Q_L + Qn / Q_C) with Qn = sqrt(R_high / R_low - 1), for a resistive
// load matched to 50 Ohm from below (HP-LC, LP-CL) or from above (HP-CL, LP-LC).
TEST(RealNetwork, LNetworksFollowTheTextbookEstimate) {
    const double f_Hz = 7.1e6;
    for (const Network network : {Network::HpCl, Network::HpLc, Network::LpCl, Network::LpLc}) {
        const bool fromAbove = network == Network::HpCl || network == Network::LpLc;
        for (const double qn : {1.0, 2.0, 3.5, 5.0, 8.0, 12.0, 16.0, 20.0}) {
            const double r = fromAbove ? 50 * (1 + qn * qn) : 50 / (1 + qn * qn);
            const MatchValues v = Match(network, r, 0, f_Hz, {});
            for (const double qL : {50.0, 120.0, 300.0, 1000.0}) {
                for (const double qC : {50.0, 200.0, 1000.0}) {
                    const auto p = RealNetworkPowers(network, v, {r, 0}, f_Hz, 100, {qL, qC, 1});
                    ASSERT_TRUE(p);
                    const double estimate = 100 / (1 + qn / qL + qn / qC);
                    EXPECT_NEAR(p->eta_net_pct, estimate, 0.01 * estimate)
                        << NetworkName(network) << " Qn " << qn << " Q " << qL << "/" << qC;
                }
            }
        }
    }
}

// No solution, no power or no sensible Q: nothing is computed. At 0 W the efficiency stays.
TEST(RealNetwork, RefusesWhatCannotBeSolved) {
    const AntennaInput in;  // default antenna: HP-LC and LP-LC have no solution
    const AntennaResult a = FeedPointImpedance(in).value();
    const Losses losses = LossesAt(ClosedFormModel(), in, a, {}, LossQ{});
    EXPECT_FALSE(losses.of(Network::HpLc));
    EXPECT_FALSE(losses.of(Network::LpLc));
    ASSERT_TRUE(losses.of(Network::HpCl));

    const MatchValues v = Match(Network::HpCl, a.r_f, a.x_f, 7.1e6, {});
    const Impedance load{a.r_f, a.x_f};
    const auto full = RealNetworkPowers(Network::HpCl, v, load, 7.1e6, 100, {});
    const auto none = RealNetworkPowers(Network::HpCl, v, load, 7.1e6, 0, {});
    ASSERT_TRUE(full && none);
    EXPECT_EQ(none->eta_net_pct, full->eta_net_pct);
    EXPECT_EQ(none->p_antenna_W, 0);
    EXPECT_EQ(none->partLoss_W(), 0);
    const double nan = std::nan("");
    const struct {
        double ptx;
        LossQ q;
    } refused[] = {
        {-1, {}}, {nan, {}}, {100, {0, 1000, 200}}, {100, {150, -5, 200}}, {100, {nan, 1000, 200}}};
    for (const auto& [ptx, q] : refused) {
        EXPECT_FALSE(RealNetworkPowers(Network::HpCl, v, load, 7.1e6, ptx, q)) << ptx;
    }
    // A load that takes no power, and a part of 0 pF.
    EXPECT_FALSE(RealNetworkPowers(Network::HpCl, v, {0, a.x_f}, 7.1e6, 100, kIdeal));
    EXPECT_FALSE(RealNetworkPowers(Network::HpCl, {0, v.l_uH, 0}, load, 7.1e6, 100, {}));
}

// The closed-form model seen as another source would be, counting how often it is asked.
class CountingSource final : public AntennaSource {
public:
    explicit CountingSource(bool measured) : measured_(measured) {}
    SourceKind kind() const override {
        return measured_ ? SourceKind::Measured : SourceKind::Model;
    }
    std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const override {
        ++asked;
        return FeedPointImpedance(in);
    }
    bool knowsEfficiency() const override { return !measured_; }
    bool usesBaseElements() const override { return !measured_; }
    mutable int asked = 0;

private:
    bool measured_;
};

// The coil's Q reaches the antenna only where there is a coil that the source applies; a
// measurement cannot say what is radiated.
TEST(Losses, CoilLossOnlyWhereTheSourceHasTheCoil) {
    const struct {
        bool measured;
        double lcoil_uH;
        double q_coil;
        bool asksAgain;
    } cases[] = {{false, 8, 200, true},
                 {false, 8, kIdealQ, false},
                 {false, 0, 200, false},
                 {true, 8, 200, false}};
    for (const auto& [measured, lcoil_uH, q_coil, asksAgain] : cases) {
        const CountingSource source(measured);
        const AntennaInput in{.lcoil_uH = lcoil_uH};
        const AntennaResult lossless = FeedPointImpedance(in).value();
        const LossQ q{150, 1000, q_coil};
        EXPECT_EQ(CoilLossApplies(source, in, q), asksAgain);
        const Losses losses = LossesAt(source, in, lossless, {}, q);
        EXPECT_EQ(source.asked, asksAgain ? 1 : 0);
        ASSERT_TRUE(losses.antenna);
        EXPECT_EQ(std::memcmp(&*losses.antenna, &lossless, sizeof lossless) != 0, asksAgain);
        if (asksAgain) {
            EXPECT_LT(losses.antenna->eta_f, lossless.eta_f);
        }
        const auto& hpcl = losses.of(Network::HpCl);
        ASSERT_TRUE(hpcl);
        EXPECT_EQ(hpcl->p_radiated_W.has_value(), !measured);
        EXPECT_EQ(hpcl->eta_sys_pct.has_value(), !measured);
        EXPECT_LT(hpcl->eta_net_pct, 100);
    }
}

}  // namespace
