#include "losses/RealNetwork.h"

#include <array>
#include <cmath>

#include "core/NetworkLadder.h"
#include "core/Numeric.h"

using checked::Complex;

namespace {

// A lossless part with its series loss resistance |X| / Q; an ideal part stays as it is.
Complex RealPart(LadderPart part, const MatchValues& values, double omega, const LossQ& q,
                 Checked& c) {
    Complex z = ElementImpedance(part, values, omega, c);
    const double partQ = part == LadderPart::L ? q.inductor : q.capacitor;
    if (partQ != kIdealQ) z.re = c.Div(std::abs(z.im), partQ);
    return z;
}

double SquaredMagnitude(Complex a, Checked& c) {
    return c.Finite(c.Pow2(a.re) + c.Pow2(a.im));
}

}  // namespace

std::optional<NetworkPowers> RealNetworkPowers(Network network, const MatchValues& values,
                                               Impedance load, double f_Hz, double ptx_W,
                                               const LossQ& q) {
    if (!(q.inductor > 0 && q.capacitor > 0 && ptx_W >= 0)) return std::nullopt;
    Checked c;
    const double omega = c.Finite(2 * num::PI * f_Hz);
    const std::span<const LadderElement> ladder = Ladder(network);
    std::array<Complex, 3> element{};
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        element[i] = RealPart(ladder[i].part, values, omega, q, c);
    }
    const LadderImpedances z = WorkOutLadder(network, element, load, c);
    const Complex input = z.towardsAntenna[0];
    if (c.faulted() || !(input.re > 0)) return std::nullopt;

    // One watt into the input: the efficiency holds at any power, also at 0 W.
    const LadderCurrents walk = WalkLadder(network, z, {c.Sqrt(c.Div(1, input.re)), 0}, c);
    NetworkPowers p;
    p.input = {input.re, input.im};
    p.swr = StandingWaveRatio(p.input, c);
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        const double lost =
            c.Finite(c.Finite(SquaredMagnitude(walk.through[i], c) * ptx_W) * element[i].re);
        switch (ladder[i].part) {
            case LadderPart::C:
                p.ploss_C_W = lost;
                break;
            case LadderPart::C2:
                p.ploss_C2_W = lost;
                break;
            case LadderPart::L:
                p.ploss_L_W = lost;
                break;
        }
    }
    const double antennaShare = c.Finite(SquaredMagnitude(walk.loadCurrent, c) * load.r);
    p.p_antenna_W = c.Finite(antennaShare * ptx_W);
    p.eta_net_pct = c.Finite(100 * antennaShare);
    if (c.faulted()) return std::nullopt;
    return p;
}

std::optional<RealNetworkResult> RealNetwork(Network network, const MatchValues& values,
                                             const MatchLimits& limits,
                                             const AntennaResult& antenna, const AntennaInput& in,
                                             const LossQ& q) {
    if (Judge(network, values, limits) == MatchVerdict::NoSolution) return std::nullopt;
    const std::optional<NetworkPowers> powers = RealNetworkPowers(
        network, values, {antenna.r_f, antenna.x_f}, in.frequency_MHz * 1e6, in.ptx_W, q);
    if (!powers) return std::nullopt;
    Checked c;
    RealNetworkResult result{*powers, {}, {}};
    const double radiated = c.Finite(powers->p_antenna_W * antenna.eta_f) / 100;
    const double overall = c.Finite(powers->eta_net_pct * antenna.eta_f) / 100;
    if (c.faulted()) return std::nullopt;
    result.p_radiated_W = radiated;
    result.eta_sys_pct = overall;
    return result;
}
