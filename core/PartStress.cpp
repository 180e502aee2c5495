#include "core/PartStress.h"

#include <numbers>

#include "core/NetworkLadder.h"
#include "core/Numeric.h"

using namespace checked;

std::optional<PartStress> NetworkStress(Network network, const MatchValues& values,
                                        const MatchLimits& limits, Impedance load, double f_Hz,
                                        double ptx_W) {
    if (Judge(network, values, limits) == MatchVerdict::NoSolution) return std::nullopt;
    Checked c;
    const double omega = c.Finite(2 * num::PI * f_Hz);
    const std::span<const LadderElement> ladder = Ladder(network);

    const auto [element, towardsAntenna] = WorkOutLadder(network, values, load, omega, c);
    const double inputResistance = towardsAntenna[0].re;
    if (c.faulted() || !(inputResistance > 0)) return std::nullopt;

    // Walking towards the antenna: a series part carries the current, a shunt part sees the
    // voltage; what goes on follows from the impedance beyond the part.
    Complex current{c.Sqrt(c.Div(ptx_W, inputResistance)), 0};
    Complex voltage = Mul(current, towardsAntenna[0], c);
    PartStress stress;
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        const double z = Abs(element[i], c);
        double across = 0;
        double through = 0;
        if (ladder[i].shunt) {
            across = Abs(voltage, c);
            through = c.Div(across, z);
            current = Div(voltage, towardsAntenna[i + 1], c);
        } else {
            through = Abs(current, c);
            across = c.Finite(through * z);
            voltage = Mul(current, towardsAntenna[i + 1], c);
        }
        const double peak_kV = c.Finite(across * std::numbers::sqrt2) / 1000;
        switch (ladder[i].part) {
            case LadderPart::C:
                stress.vc_kVpk = peak_kV;
                break;
            case LadderPart::C2:
                stress.vc2_kVpk = peak_kV;
                break;
            case LadderPart::L:
                stress.il_A = through;
                stress.vl_kVpk = peak_kV;
                break;
        }
    }
    if (c.faulted()) return std::nullopt;
    return stress;
}
