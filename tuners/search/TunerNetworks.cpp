#include "tuners/search/TunerNetworks.h"

#include "core/Numeric.h"

using namespace network_steps;

Impedance network_steps::Invert(const Impedance& z, Checked& c) {
    const double d = c.Finite(c.Pow2(z.r) + c.Pow2(z.x));
    return {c.Div(z.r, d), c.Div(-z.x, d)};
}

double network_steps::Omega(const TunerLoad& load, Checked& c) {
    return c.Finite(2 * num::PI * load.f_Hz);
}

double network_steps::InductiveReactance(double w, double l_uH, Checked& c) {
    return c.Finite(c.Finite(w * l_uH) / 1e6);
}

double network_steps::CapacitiveSusceptance(double w, double c_pF, Checked& c) {
    return c.Finite(c.Finite(w * c_pF) / 1e12);
}

Impedance HpClInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c) {
    const double w = Omega(load, c);
    const Impedance y = Invert(load.antenna, c);
    const double b1 = c.Finite(y.x - c.Div(1, InductiveReactance(w, l_uH, c)));
    const Impedance z1 = Invert({y.r, b1}, c);
    return {z1.r, c.Finite(z1.x - c.Div(1, CapacitiveSusceptance(w, c_pF, c)))};
}

Impedance LpClInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c) {
    const double w = Omega(load, c);
    const Impedance z1{load.antenna.r, c.Finite(load.antenna.x + InductiveReactance(w, l_uH, c))};
    const Impedance y = Invert(z1, c);
    return Invert({y.r, c.Finite(y.x + CapacitiveSusceptance(w, c_pF, c))}, c);
}

Impedance LpLcInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c) {
    const double w = Omega(load, c);
    const Impedance y = Invert(load.antenna, c);
    const Impedance z1 = Invert({y.r, c.Finite(y.x + CapacitiveSusceptance(w, c_pF, c))}, c);
    return {z1.r, c.Finite(z1.x + InductiveReactance(w, l_uH, c))};
}

double SwrAgainst50(const Impedance& z, Checked& c) {
    const double towards = c.Sqrt(c.Finite(c.Pow2(z.r - 50) + c.Pow2(z.x)));
    const double away = c.Sqrt(c.Finite(c.Pow2(z.r + 50) + c.Pow2(z.x)));
    const double rho = c.Div(towards, away) - 1e-13;
    return c.Div(1 + rho, 1 - rho);
}
