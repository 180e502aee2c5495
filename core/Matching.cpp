#include "core/Matching.h"

#include <cmath>

#include "core/Checked.h"
#include "core/Numeric.h"

namespace {

constexpr double kSource_Ohm = 50;
constexpr double kY0 = 1.0 / kSource_Ohm;  // S
// A differential capacitor search longer than this has lost its crossing.
constexpr int kMaxClcSteps = 100000;

double Omega(double f_Hz, Checked& c) {
    return c.Finite(2 * num::PI * f_Hz);
}

// The load as an admittance G + jB.
struct Admittance {
    double g = 0;
    double b = 0;
};

Admittance LoadAdmittance(double r, double x, Checked& c) {
    const double z2 = c.Finite(c.Pow2(r) + c.Pow2(x));
    return {c.Div(r, z2), c.Div(-x, z2)};
}

// Reactance -b / (g^2 + b^2) of the admittance g + jb.
double SeriesReactance(double g, double b, Checked& c) {
    return c.Div(-b, c.Finite(c.Pow2(g) + c.Pow2(b)));
}

// Shunt susceptance beside the load conductance g that leaves 50 Ohm of series resistance.
double LoadSideSusceptance(double g, Checked& c) {
    return c.Sqrt(c.Finite(c.Div(g, kSource_Ohm) - c.Pow2(g)));
}

// Shunt susceptance beside the source's 1/50 S that leaves r Ohm of series resistance.
double SourceSideSusceptance(double r, Checked& c) {
    return c.Sqrt(c.Finite(c.Div(kY0, r) - kY0 * kY0));
}

}  // namespace

MatchValues MatchHpCl(double r, double x, double f_Hz) {
    Checked c;
    MatchValues m;
    const double omega = Omega(f_Hz, c);
    const Admittance load = LoadAdmittance(r, x, c);
    const double b_shunt = -LoadSideSusceptance(load.g, c);
    const double x_series = SeriesReactance(load.g, b_shunt, c);
    const double l_uH = c.Div(-1e6, c.Finite(omega * c.Finite(b_shunt - load.b)));
    if (c.faulted()) return m;
    m.l_uH = l_uH;
    const double c_pF = c.Div(1e12, c.Finite(omega * x_series));
    if (c.faulted()) return m;
    m.c_pF = c_pF;
    return m;
}

MatchValues MatchHpLc(double r, double x, double f_Hz) {
    Checked c;
    MatchValues m;
    const double omega = Omega(f_Hz, c);
    const double b_source = SourceSideSusceptance(r, c);
    const double x_source = SeriesReactance(kY0, b_source, c);
    const double l_uH = c.Div(1e6, c.Finite(omega * b_source));
    if (c.faulted()) return m;
    m.l_uH = l_uH;
    const double c_pF = c.Div(-1e12, c.Finite(omega * c.Finite(x_source - x)));
    if (c.faulted()) return m;
    m.c_pF = c_pF;
    return m;
}

MatchValues MatchLpCl(double r, double x, double f_Hz) {
    Checked c;
    MatchValues m;
    const double omega = Omega(f_Hz, c);
    const double b_source = -SourceSideSusceptance(r, c);
    const double x_source = SeriesReactance(kY0, b_source, c);
    const double l_uH = c.Div(c.Finite(c.Finite(x - x_source) * -1e6), omega);
    if (c.faulted()) return m;
    m.l_uH = l_uH;
    const double c_pF = c.Div(c.Finite(b_source * -1e12), omega);
    if (c.faulted()) return m;
    m.c_pF = c_pF;
    return m;
}

MatchValues MatchLpLc(double r, double x, double f_Hz) {
    Checked c;
    MatchValues m;
    const double omega = Omega(f_Hz, c);
    const Admittance load = LoadAdmittance(r, x, c);
    const double b_shunt = LoadSideSusceptance(load.g, c);
    const double x_series = SeriesReactance(load.g, b_shunt, c);
    const double c_pF = c.Div(c.Finite(c.Finite(load.b - b_shunt) * -1e12), omega);
    if (c.faulted()) return m;
    m.c_pF = c_pF;
    const double l_uH = c.Div(c.Finite(x_series * -1e6), omega);
    if (c.faulted()) return m;
    m.l_uH = l_uH;
    return m;
}

MatchValues MatchHpClc(double r, double x, double f_Hz, const MatchLimits& limits) {
    Checked c;
    MatchValues m;
    // A differential capacitor: C1 + C2 stays Cmin + Cmax while it turns.
    double c1 = limits.cmin_pF;
    m.c2_pF = limits.cmax_pF;
    const double omega = Omega(f_Hz, c);
    double xc1 = 0;
    double xl = 0;
    for (int step = 0;; ++step) {
        xc1 = c.Div(1e12, c.Finite(omega * c1));
        const double xc2 = c.Div(-1e12, c.Finite(omega * m.c2_pF));
        xl = c.Finite(x + xc2);
        const double g_load = c.Div(r, c.Finite(c.Pow2(r) + c.Pow2(xl)));
        const double g_source =
            c.Div(kSource_Ohm, c.Finite(kSource_Ohm * kSource_Ohm + c.Pow2(xc1)));
        const bool below = c.Finite(c.Div(g_source, g_load) - 1) < 0;
        if (c.faulted()) return m;
        if (!below) break;
        // No solution when 1 pF no longer moves C1 or C2 (huge limits) or the crossing never comes.
        if (step >= kMaxClcSteps || c1 + 1 == c1 || m.c2_pF - 1 == m.c2_pF) return m;
        c1 = c1 + 1;
        m.c2_pF = m.c2_pF - 1;
    }
    m.c_pF = c1;
    const double b_load = c.Div(-xl, c.Finite(c.Pow2(r) + c.Pow2(xl)));
    const double b_source = c.Div(-xc1, c.Finite(kSource_Ohm * kSource_Ohm + c.Pow2(xc1)));
    const double l_uH = c.Div(c.Finite(c.Div(1, c.Finite(b_load - b_source)) * 1e6), omega);
    if (c.faulted()) return m;
    m.l_uH = l_uH;
    return m;
}

namespace {

// The pi network is solved from one fixed capacitor at a time; each sub-step gives the
// inductor and the capacitor at the other end, or a fault when no such pair exists.
struct PiNetwork {
    double omega;
    Admittance load;
};

// Fixed C' at the antenna: the shunt capacitor at the transmitter.
double TransmitterCapacitor(const PiNetwork& pi, double c2_pF, MatchValues& m, Checked& c) {
    const double b1 = c.Finite(pi.load.b + c.Div(c.Finite(pi.omega * c2_pF), 1e12));
    const double y2 = c.Finite(c.Pow2(pi.load.g) + c.Pow2(b1));
    const double r1 = c.Div(pi.load.g, y2);
    const double x1 = c.Div(-b1, y2);
    const double b_source = -SourceSideSusceptance(r1, c);
    const double x_source = SeriesReactance(kY0, b_source, c);
    const double l_uH = c.Div(c.Finite(c.Finite(x_source - x1) * 1e6), pi.omega);
    if (c.faulted()) return 0;
    m.l_uH = l_uH;
    return c.Div(c.Finite(-1e12 * b_source), pi.omega);
}

// Fixed C at the transmitter: the shunt capacitor at the antenna, written to C'_m.
void AntennaCapacitor(const PiNetwork& pi, double c1_pF, MatchValues& m, Checked& c) {
    const double b_source = c.Div(c.Finite(-pi.omega * c1_pF), 1e12);
    const double y2 = c.Finite(kY0 * kY0 + c.Pow2(b_source));
    const double r1 = c.Div(kY0, y2);
    const double x_source = c.Div(-b_source, y2);
    const double b1 = std::fabs(c.Sqrt(c.Finite(c.Div(pi.load.g, r1) - c.Pow2(pi.load.g))));
    const double x1 = SeriesReactance(pi.load.g, b1, c);
    const double l_uH = c.Div(c.Finite(c.Finite(x_source - x1) * 1e6), pi.omega);
    if (c.faulted()) return;
    m.l_uH = l_uH;
    const double c2_pF = c.Div(c.Finite(-1e12 * c.Finite(pi.load.b - b1)), pi.omega);
    if (c.faulted()) return;
    m.c2_pF = c2_pF;
}

}  // namespace

MatchValues MatchLpClc(double r, double x, double f_Hz, const MatchLimits& limits) {
    Checked c;
    MatchValues m;
    const double omega = Omega(f_Hz, c);
    const Admittance load = LoadAdmittance(r, x, c);
    if (c.faulted()) return m;
    const PiNetwork pi{omega, load};
    const double cmin = limits.cmin_pF;
    double c1 = 0;
    bool clamped_twice = false;
    if ((r < kSource_Ohm && x < 0) || load.g > kY0) {
        m.c2_pF = cmin;
        c1 = TransmitterCapacitor(pi, m.c2_pF, m, c);
        if (c.faulted()) return m;
        if (c1 < cmin) {
            c1 = cmin;
            AntennaCapacitor(pi, c1, m, c);
            if (c.faulted()) return m;
            if (m.c2_pF < cmin) {
                m.c2_pF = cmin;
                clamped_twice = true;
            }
        }
    } else {
        c1 = cmin;
        AntennaCapacitor(pi, c1, m, c);
        if (c.faulted()) return m;
        if (m.c2_pF < cmin) {
            m.c2_pF = cmin;
            c1 = TransmitterCapacitor(pi, m.c2_pF, m, c);
            if (c.faulted()) return m;
            if (c1 < cmin) {
                c1 = cmin;
                clamped_twice = true;
            }
        }
    }
    // Both ends at Cmin would only repeat the same two sub-steps: no solution.
    if (clamped_twice) return m;
    if (c1 > 0 && m.l_uH > 0 && m.c2_pF > 0) m.c_pF = c1;
    return m;
}

MatchValues Match(Network network, double r, double x, double f_Hz, const MatchLimits& limits) {
    switch (network) {
        case Network::HpCl:
            return MatchHpCl(r, x, f_Hz);
        case Network::HpLc:
            return MatchHpLc(r, x, f_Hz);
        case Network::HpClc:
            return MatchHpClc(r, x, f_Hz, limits);
        case Network::LpCl:
            return MatchLpCl(r, x, f_Hz);
        case Network::LpLc:
            return MatchLpLc(r, x, f_Hz);
        case Network::LpClc:
            return MatchLpClc(r, x, f_Hz, limits);
    }
    return {};
}

bool HasSecondCapacitor(Network network) {
    return network == Network::HpClc || network == Network::LpClc;
}

const char* NetworkName(Network network) {
    switch (network) {
        case Network::HpCl:
            return "HP-CL";
        case Network::HpLc:
            return "HP-LC";
        case Network::HpClc:
            return "HP-CLC";
        case Network::LpCl:
            return "LP-CL";
        case Network::LpLc:
            return "LP-LC";
        case Network::LpClc:
            break;
    }
    return "LP-CLC";
}

namespace {

bool InRange(double value, double low, double high) {
    return low <= value && value <= high;
}

}  // namespace

MatchVerdict Judge(Network network, const MatchValues& v, const MatchLimits& limits) {
    bool valid = false;
    bool inside = InRange(v.c_pF, limits.cmin_pF, limits.cmax_pF) && v.l_uH <= limits.lmax_uH;
    switch (network) {
        case Network::HpClc:
            // The differential capacitor must have turned off its stop: strict limits.
            valid = v.l_uH > 0 && limits.cmin_pF < v.c_pF && v.c_pF < limits.cmax_pF;
            break;
        case Network::LpClc:
            valid = v.c_pF > 0 && v.l_uH > 0 && v.c2_pF > 0;
            inside = inside && InRange(v.c2_pF, limits.cmin_pF, limits.cmax_pF);
            break;
        default:
            valid = v.c_pF > 0 && v.l_uH > 0;
            break;
    }
    if (!valid) return MatchVerdict::NoSolution;
    return inside ? MatchVerdict::InsideLimits : MatchVerdict::OutsideLimits;
}
