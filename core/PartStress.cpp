#include "core/PartStress.h"

#include <array>
#include <numbers>
#include <span>

#include "core/Checked.h"
#include "core/Numeric.h"

namespace {

// Complex arithmetic, each step checked.
struct Complex {
    double re = 0;
    double im = 0;
};

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

enum class Part { C, C2, L };

struct Element {
    Part part;
    bool shunt;
};

// The elements from the transmitter towards the antenna.
std::span<const Element> Ladder(Network network) {
    static constexpr Element kHpCl[] = {{Part::C, false}, {Part::L, true}};
    static constexpr Element kHpLc[] = {{Part::L, true}, {Part::C, false}};
    static constexpr Element kHpClc[] = {{Part::C, false}, {Part::L, true}, {Part::C2, false}};
    static constexpr Element kLpCl[] = {{Part::C, true}, {Part::L, false}};
    static constexpr Element kLpLc[] = {{Part::L, false}, {Part::C, true}};
    static constexpr Element kLpClc[] = {{Part::C, true}, {Part::L, false}, {Part::C2, true}};
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

Complex ElementImpedance(Part part, const MatchValues& v, double omega, Checked& c) {
    switch (part) {
        case Part::C:
            return {0, c.Div(-1e12, c.Finite(omega * v.c_pF))};
        case Part::C2:
            return {0, c.Div(-1e12, c.Finite(omega * v.c2_pF))};
        case Part::L:
            return {0, c.Finite(c.Finite(omega * v.l_uH) / 1e6)};
    }
    return {};
}

}  // namespace

std::optional<PartStress> NetworkStress(Network network, const MatchValues& values,
                                        const MatchLimits& limits, Impedance load, double f_Hz,
                                        double ptx_W) {
    if (Judge(network, values, limits) == MatchVerdict::NoSolution) return std::nullopt;
    Checked c;
    const double omega = c.Finite(2 * num::PI * f_Hz);
    const std::span<const Element> ladder = Ladder(network);

    // Impedance looking from each element towards the antenna, the antenna itself last.
    std::array<Complex, 4> element{}, towardsAntenna{};
    towardsAntenna[ladder.size()] = {load.r, load.x};
    for (std::size_t i = ladder.size(); i-- > 0;) {
        element[i] = ElementImpedance(ladder[i].part, values, omega, c);
        const Complex beyond = towardsAntenna[i + 1];
        towardsAntenna[i] =
            ladder[i].shunt ? Parallel(element[i], beyond, c) : Add(element[i], beyond, c);
    }
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
            case Part::C:
                stress.vc_kVpk = peak_kV;
                break;
            case Part::C2:
                stress.vc2_kVpk = peak_kV;
                break;
            case Part::L:
                stress.il_A = through;
                stress.vl_kVpk = peak_kV;
                break;
        }
    }
    if (c.faulted()) return std::nullopt;
    return stress;
}
