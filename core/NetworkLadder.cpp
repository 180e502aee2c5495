#include "core/NetworkLadder.h"

#include "core/Numeric.h"

namespace checked {

Complex Add(Complex a, Complex b, Checked& c) {
    return {c.Finite(a.re + b.re), c.Finite(a.im + b.im)};
}

Complex Mul(Complex a, Complex b, Checked& c) {
    return {c.Finite(c.Finite(a.re * b.re) - c.Finite(a.im * b.im)),
            c.Finite(c.Finite(a.re * b.im) + c.Finite(a.im * b.re))};
}

Complex Div(Complex a, Complex b, Checked& c) {
    const double d = c.Finite(c.Pow2(b.re) + c.Pow2(b.im));
    return {c.Div(c.Finite(c.Finite(a.re * b.re) + c.Finite(a.im * b.im)), d),
            c.Div(c.Finite(c.Finite(a.im * b.re) - c.Finite(a.re * b.im)), d)};
}

double Abs(Complex a, Checked& c) {
    return c.Sqrt(c.Finite(c.Pow2(a.re) + c.Pow2(a.im)));
}

Complex Parallel(Complex a, Complex b, Checked& c) {
    const Complex one{1, 0};
    return Div(one, Add(Div(one, a, c), Div(one, b, c), c), c);
}

}  // namespace checked

using checked::Complex;

std::span<const LadderElement> Ladder(Network network) {
    using P = LadderPart;
    static constexpr LadderElement kHpCl[] = {{P::C, false}, {P::L, true}};
    static constexpr LadderElement kHpLc[] = {{P::L, true}, {P::C, false}};
    static constexpr LadderElement kHpClc[] = {{P::C, false}, {P::L, true}, {P::C2, false}};
    static constexpr LadderElement kLpCl[] = {{P::C, true}, {P::L, false}};
    static constexpr LadderElement kLpLc[] = {{P::L, false}, {P::C, true}};
    static constexpr LadderElement kLpClc[] = {{P::C, true}, {P::L, false}, {P::C2, true}};
    switch (network) {
        case Network::HpCl:
            return kHpCl;
        case Network::HpLc:
            return kHpLc;
        case Network::HpClc:
            return kHpClc;
        case Network::LpCl:
            return kLpCl;
        case Network::LpLc:
            return kLpLc;
        case Network::LpClc:
            return kLpClc;
    }
    return {};
}

Complex ElementImpedance(LadderPart part, const MatchValues& v, double omega, Checked& c) {
    switch (part) {
        case LadderPart::C:
            return {0, c.Div(-1e12, c.Finite(omega * v.c_pF))};
        case LadderPart::C2:
            return {0, c.Div(-1e12, c.Finite(omega * v.c2_pF))};
        case LadderPart::L:
            return {0, c.Finite(c.Finite(omega * v.l_uH) / 1e6)};
    }
    return {};
}

LadderImpedances WorkOutLadder(Network network, const MatchValues& values, Impedance load,
                               double omega, Checked& c) {
    const std::span<const LadderElement> ladder = Ladder(network);
    std::array<Complex, 3> element{};
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        element[i] = ElementImpedance(ladder[i].part, values, omega, c);
    }
    return WorkOutLadder(network, element, load, c);
}

LadderImpedances WorkOutLadder(Network network, const std::array<Complex, 3>& element,
                               Impedance load, Checked& c) {
    LadderImpedances z;
    const std::span<const LadderElement> ladder = Ladder(network);
    z.towardsAntenna[ladder.size()] = {load.r, load.x};
    for (std::size_t i = ladder.size(); i-- > 0;) {
        z.element[i] = element[i];
        const Complex beyond = z.towardsAntenna[i + 1];
        z.towardsAntenna[i] =
            ladder[i].shunt ? Parallel(z.element[i], beyond, c) : Add(z.element[i], beyond, c);
    }
    return z;
}

LadderCurrents WalkLadder(Network network, const LadderImpedances& z, Complex input, Checked& c) {
    // Towards the antenna: a series part carries the line's current, a shunt part sees its
    // voltage; what goes on follows from the impedance beyond the part.
    LadderCurrents walk;
    Complex current = input;
    Complex voltage = Mul(current, z.towardsAntenna[0], c);
    const std::span<const LadderElement> ladder = Ladder(network);
    for (std::size_t i = 0; i < ladder.size(); ++i) {
        if (ladder[i].shunt) {
            walk.through[i] = Div(voltage, z.element[i], c);
            current = Div(voltage, z.towardsAntenna[i + 1], c);
        } else {
            walk.through[i] = current;
            voltage = Mul(current, z.towardsAntenna[i + 1], c);
        }
    }
    walk.loadCurrent = current;
    return walk;
}

std::optional<Impedance> NetworkInputImpedance(Network network, const MatchValues& values,
                                               Impedance load, double f_Hz) {
    Checked c;
    const double omega = c.Finite(2 * num::PI * f_Hz);
    const Complex z = WorkOutLadder(network, values, load, omega, c).towardsAntenna[0];
    if (c.faulted()) return std::nullopt;
    return Impedance{z.re, z.im};
}
