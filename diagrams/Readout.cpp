#include "diagrams/Readout.h"

#include <cmath>

#include "antenna/SourceText.h"
#include "core/NumberFormat.h"

namespace {

constexpr const char* kGap = "   ";

std::string Quantity(const char* name, double value, const char* unit) {
    std::string text = std::string(name) + " " + SignificantText(value, 4);
    if (*unit) text += std::string(" ") + unit;
    return text;
}

std::string NetworkReadout(const SweepDiagramInput& input, const AntennaResult& a, double f_Hz) {
    const MatchValues m = Match(input.network, a.r_f, a.x_f, f_Hz, input.limits);
    const MatchVerdict verdict = Judge(input.network, m, input.limits);
    std::string text = std::string(NetworkName(input.network)) + ": ";
    if (verdict == MatchVerdict::NoSolution) return text + "no solution";
    text += Quantity("C_m", m.c_pF, "pF");
    if (HasSecondCapacitor(input.network)) text += ", " + Quantity("C'_m", m.c2_pF, "pF");
    text += ", " + Quantity("L_m", m.l_uH, "\u00b5H");
    return text + (verdict == MatchVerdict::InsideLimits ? " (inside the limits)"
                                                         : " (outside the limits)");
}

}  // namespace

std::string SweepReadout(const SweepDiagramInput& input, double f_MHz) {
    std::string text = "f " + SignificantText(f_MHz, 6) + " MHz";
    AntennaInput antenna = input.antenna;
    antenna.frequency_MHz = f_MHz;
    const std::optional<AntennaResult> a = input.source->FeedPoint(antenna);
    if (!a) {
        const std::string outside = OutsideSpanNote(*input.source, f_MHz);
        return text + kGap +
               (outside.empty() ? "no result: the antenna model fails at this frequency" : outside);
    }
    const struct {
        SweepCurve curve;
        const char* name;
        double value;
        const char* unit;
    } quantities[] = {
        {kCurveRf, "R_f", a->r_f, "Ohm"},
        {kCurveXf, "X_f", a->x_f, "Ohm"},
        {kCurveZf, "Z_f", a->z_f, "Ohm"},
        {kCurveSwr, "SWR_f", a->swr_f, ""},
        {kCurveUf, "U_f", a->u_f, "V"},
        {kCurveEtaF, "eta_f", a->eta_f, "%"},
        {kCurveEtaTot, "eta_tot", a->eta_tot, "%"},
    };
    const bool efficiencyKnown = input.source->knowsEfficiency();
    for (const auto& q : quantities) {
        const bool efficiency = q.curve == kCurveEtaF || q.curve == kCurveEtaTot;
        if (efficiency && !efficiencyKnown) continue;
        if (input.shown[q.curve]) text += kGap + Quantity(q.name, q.value, q.unit);
    }
    return text + kGap + NetworkReadout(input, *a, f_MHz * 1e6);
}

std::string ImpedanceReadout(double r, double x) {
    Checked c;
    const double swr = StandingWaveRatio({r, x}, c);
    std::string text = Quantity("R", r, "Ohm") + kGap + Quantity("X", x, "Ohm") + kGap +
                       Quantity("|Z|", std::hypot(r, x), "Ohm");
    return text + kGap + (c.ok() ? Quantity("SWR", swr, "") : std::string("SWR -"));
}
