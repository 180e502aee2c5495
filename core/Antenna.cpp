#include "core/Antenna.h"

#include "core/Numeric.h"

namespace {

// 50 Ohm is the transmitter's fixed reference; it is not an input.
constexpr double kReference_Ohm = 50;
// Keeps (1 + rho) / (1 - rho) finite for a total mismatch (rho = 1).
constexpr double kRhoOffset = 1e-13;
constexpr double kSwrClamp = 11000;

struct Rod {
    double corrected_length = 0;  // m
    RodLine line;
};

Rod RodFromDimensions(double length_m, double diameter_mm, Checked& c) {
    Rod rod;
    rod.corrected_length = c.Div(length_m, 0.97);
    const double diameter = c.Div(diameter_mm, 1000);
    rod.line.zlc = 60 * c.Ln(c.Div(c.Finite(1.15 * rod.corrected_length), diameter));
    rod.line.slenderness = c.Div(rod.corrected_length, diameter);
    return rod;
}

// Empirical base radiation resistance over the electrical length a. The second formula
// takes over at 0.41 wavelengths; the small step there belongs to the model.
double RadiationResistance(double a, Checked& c) {
    if (a < 0.41) return c.Finite(586 * c.Pow2(a));
    const double s = c.Sin(c.Finite(c.Finite(a * 12.56637) - 4.08407));
    const double u = c.Finite(0.1 - c.Finite(0.55 * a));
    if (u >= -1) return c.Finite(c.Finite(c.Finite(20 * s) + 55) * num::ACos(u)) - 25;
    // Beyond three wavelengths the argument drops below -1 and ACos gives 0: -25 Ohm.
    const double v = c.Finite(0.1 + c.Finite(0.55 * c.Finite(1 - a)));
    return c.Finite(c.Finite(c.Finite(32 * s) + 79) * num::ACos(v)) - 25;
}

// The rod as an open line: lossless stub reactance below a quarter wave, a lossy line
// whose attenuation reproduces the radiation resistance above it.
Impedance RodImpedance(double zlc, double rrad, double corrected_length, double wavelength,
                       double a, Checked& c) {
    if (a < 0.25) {
        return {rrad, c.Div(-zlc, c.Tan(c.Finite(2 * num::PI * a)))};
    }
    const double t = 2 * num::ATanH(c.Div(rrad, zlc), c);
    const double quarter_offset = c.Finite(corrected_length - wavelength / 4);
    const double theta = c.Div(c.Finite(4 * num::PI * quarter_offset), wavelength);
    const double denominator = c.Finite(c.Cos(theta) + num::CosH(t, c));
    return {c.Div(c.Finite(zlc * num::SinH(t, c)), denominator),
            c.Div(c.Finite(zlc * c.Sin(theta)), denominator)};
}

double Magnitude(double r, double x, Checked& c) {
    return c.Sqrt(c.Finite(c.Pow2(r) + c.Pow2(x)));
}

}  // namespace

Impedance ApplyElement(Impedance in, int code, double value, double f_Hz, Checked& c) {
    const double w = c.Finite(2 * num::PI * f_Hz);
    switch (code) {
        case kSeriesInductor:
            return {in.r, c.Finite(c.Finite(w * value) + in.x)};
        case kParallelCapacitor: {
            const double z2 = c.Finite(c.Pow2(in.r) + c.Pow2(in.x));
            const double g = c.Div(in.r, z2);
            const double b = c.Finite(c.Div(-in.x, z2) + c.Finite(w * value));
            const double y2 = c.Finite(c.Pow2(g) + c.Pow2(b));
            return {c.Div(g, y2), c.Div(-b, y2)};
        }
        default:
            // An unknown element is no element: the impedance passes unchanged.
            return in;
    }
}

Impedance ApplyBaseElements(Impedance rod, const AntennaInput& in, Checked& c) {
    const double f_Hz = c.Finite(in.frequency_MHz * 1e6);
    Impedance z = rod;
    if (in.lcoil_uH > 0) z = ApplyElement(z, kSeriesInductor, in.lcoil_uH / 1e6, f_Hz, c);
    // An ideal coil adds nothing, not even a 0 that could change a bit.
    if (HasCoilLoss(in)) z.r = c.Finite(z.r + CoilLossResistance(in, c));
    return ApplyElement(z, kParallelCapacitor, in.cfoot_pF / 1e12, f_Hz, c);
}

bool HasCoilLoss(const AntennaInput& in) {
    return in.lcoil_uH > 0 && in.coil_q != kIdealQ;
}

double CoilLossResistance(const AntennaInput& in, Checked& c) {
    if (!HasCoilLoss(in)) return 0;
    if (!(in.coil_q > 0)) c.Fail();
    const double w = c.Finite(2 * num::PI * c.Finite(in.frequency_MHz * 1e6));
    return c.Div(c.Finite(w * (in.lcoil_uH / 1e6)), in.coil_q);
}

double StandingWaveRatio(Impedance z, Checked& c) {
    const double forward = Magnitude(z.r + kReference_Ohm, z.x, c);
    const double reflected = Magnitude(z.r - kReference_Ohm, z.x, c);
    const double rho = c.Div(reflected, forward) - kRhoOffset;
    // A negative resistance (a measurement's calibration) reflects more than it receives:
    // past total reflection, where the ratio has no finite value.
    if (rho >= 1) return kSwrClamp;
    const double swr = c.Div(1 + rho, 1 - rho);
    return swr > kSwrClamp ? kSwrClamp : swr;
}

std::optional<RodLine> RodCharacteristic(double length_m, double diameter_mm) {
    Checked c;
    const Rod rod = RodFromDimensions(length_m, diameter_mm, c);
    if (c.faulted()) return std::nullopt;
    return rod.line;
}

namespace {

// From the rod's own impedance on: base coil, base capacitance, AEloss, SWR, U_f and the
// efficiencies. The rod stands over perfect ground, so all its resistance radiates.
void CompleteFeedPoint(Impedance rod, const AntennaInput& in, AntennaResult& out, Checked& c) {
    out.rod = rod;
    const Impedance z = ApplyBaseElements(rod, in, c);
    out.r_ant = z.r;
    out.x_ant = z.x;
    const double z_ant = Magnitude(z.r, z.x, c);

    out.r_f = c.Finite(in.aeloss_Ohm + out.r_ant);
    out.x_f = out.x_ant;
    out.swr_f = StandingWaveRatio({out.r_f, out.x_f}, c);
    const double z_f2 = c.Finite(c.Pow2(out.r_f) + c.Pow2(out.x_f));
    out.u_f = c.Sqrt(c.Div(c.Finite(in.ptx_W * z_f2), c.Finite(out.r_f + in.mloss_Ohm)));
    out.eta_f = c.Div(c.Finite(100 * out.r_ant), out.r_f);
    // The base capacitance is lossless: what passes it splits between the rod and the
    // coil's loss in the ratio of their resistances.
    if (HasCoilLoss(in)) {
        const double rodShare = c.Div(rod.r, c.Finite(rod.r + CoilLossResistance(in, c)));
        out.eta_f = c.Finite(out.eta_f * rodShare);
    }
    // The matching loss grows with the reactance the network must cancel.
    const double matching_loss = c.Div(c.Finite(in.mloss_Ohm * c.Finite(z_ant + kReference_Ohm)),
                                       c.Finite(out.r_ant + kReference_Ohm));
    out.eta_tot = c.Div(c.Finite(out.eta_f * out.r_f), c.Finite(out.r_f + matching_loss));
    out.z_f = c.Sqrt(z_f2);
}

}  // namespace

std::optional<AntennaResult> FeedPointImpedance(const AntennaInput& in) {
    Checked c;
    AntennaResult out;
    const Rod rod = RodFromDimensions(in.length_m, in.diameter_mm, c);
    out.zlc = rod.line.zlc;
    out.slenderness = rod.line.slenderness;

    const double corrected_length = rod.corrected_length;
    out.wavelength = c.Div(300, in.frequency_MHz);
    const double a = c.Div(corrected_length, out.wavelength);
    out.electrical_length = a;

    const double rrad = RadiationResistance(a, c);
    CompleteFeedPoint(RodImpedance(out.zlc, rrad, corrected_length, out.wavelength, a, c), in, out,
                      c);
    if (c.faulted()) return std::nullopt;
    return out;
}

std::optional<AntennaResult> FeedPointOfRod(Impedance rod, const AntennaInput& in) {
    Checked c;
    AntennaResult out;
    CompleteFeedPoint(rod, in, out, c);
    if (c.faulted()) return std::nullopt;
    return out;
}
