// Networks built from real parts: exact against a ladder walked here, lossless at an ideal
// Q.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <string>
#include <vector>

#include "core/NetworkLadder.h"
#include "core/Numeric.h"
#include "losses/Losses.h"
#include "losses/RealNetwork.h"
#include "tests/core/Ladder.h"

namespace {

using ladder::Complex;

constexpr Network kNetworks[] = {Network::HpCl, Network::HpLc, Network::HpClc,
                                 Network::LpCl, Network::LpLc, Network::LpClc};
constexpr LossQ kIdeal{kIdealQ, kIdealQ, kIdealQ};

void ExpectRelative(double actual, double expected, double tolerance, const std::string& what) {
    EXPECT_NEAR(actual, expected, tolerance * std::abs(expected)) << what;
}

// Walked through the ladder built here: each part's loss in its real part, X / Q.
TEST(RealNetwork, MatchesTheLadderWalkedHereForEachTopology) {
    const double f_Hz = 7.1e6;
    const MatchValues values{120, 2.7, 330};
    const LossQ q{85, 640, 200};
    const Impedance load{14.5, -160};
    const double ptx_W = 250;
    const auto lossless = ladder::Lossless(values, 2 * num::PI * f_Hz);
    const auto lossy = [&](ladder::Part part) {
        const Complex z = lossless(part);
        return z + std::abs(z) / (part == ladder::Part::L ? q.inductor : q.capacitor);
    };
    for (const Network network : kNetworks) {
        const std::string name = NetworkName(network);
        const ladder::Walked w = ladder::Walk(network, lossy, {load.r, load.x}, 1);
        // The powers for 1 A into the load, scaled to ptx_W into the input.
        const double scale = ptx_W / w.power();
        auto loss = [&](ladder::Part part) {
            const auto found = w.parts.find(part);
            return found == w.parts.end() ? 0 : found->second.power() * scale;
        };

        const auto p = RealNetworkPowers(network, values, load, f_Hz, ptx_W, q);
        ASSERT_TRUE(p) << name;
        ExpectRelative(p->input.r, w.input().real(), 1e-10, name + " R_in");
        ExpectRelative(p->input.x, w.input().imag(), 1e-10, name + " X_in");
        ExpectRelative(p->ploss_C_W, loss(ladder::Part::C), 1e-10, name + " C");
        ExpectRelative(p->ploss_L_W, loss(ladder::Part::L), 1e-10, name + " L");
        ExpectRelative(p->ploss_C2_W, loss(ladder::Part::C2), 1e-10, name + " C'");
        ExpectRelative(p->p_antenna_W, load.r * scale, 1e-10, name + " antenna");
        ExpectRelative(p->eta_net_pct, 100 * load.r * scale / ptx_W, 1e-10, name + " eta");
        const double rho = std::abs((w.input() - 50.0) / (w.input() + 50.0));
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
