#include "analysis/core/AnalysisSweep.h"

#include <cmath>

#include "core/NetworkLadder.h"

namespace {

AntennaInput At(const AnalysisSetup& setup, double f_MHz) {
    AntennaInput input = setup.input;
    input.frequency_MHz = f_MHz;
    return input;
}

}  // namespace

std::optional<MatchValues> PartsAtSetFrequency(const AnalysisSetup& setup, Network network) {
    if (!setup.source) return std::nullopt;
    const std::optional<AntennaResult> a = setup.source->FeedPoint(setup.input);
    if (!a) return std::nullopt;
    const MatchValues values =
        Match(network, a->r_f, a->x_f, setup.input.frequency_MHz * 1e6, setup.limits);
    if (Judge(network, values, setup.limits) == MatchVerdict::NoSolution) return std::nullopt;
    return values;
}

std::optional<AnalysisPoint::Load> LoadValues(double r, double x) {
    Checked c;
    AnalysisPoint::Load load{r, x};
    load.z = c.Sqrt(c.Finite(c.Pow2(r) + c.Pow2(x)));
    load.swr = StandingWaveRatio({r, x}, c);
    const double forward = c.Sqrt(c.Finite(c.Pow2(r + 50) + c.Pow2(x)));
    const double reflected = c.Sqrt(c.Finite(c.Pow2(r - 50) + c.Pow2(x)));
    const double rho = c.Div(reflected, forward);
    if (c.faulted()) return std::nullopt;
    load.returnLoss_dB = kLargestReturnLoss_dB;
    if (rho > 1e-5) load.returnLoss_dB = -20 * std::log10(rho);
    return load;
}

std::optional<double> MatchedSwr(const AnalysisSetup& setup, Network network,
                                 const MatchValues& parts, double f_MHz) {
    if (!setup.source) return std::nullopt;
    const std::optional<AntennaResult> a = setup.source->FeedPoint(At(setup, f_MHz));
    if (!a) return std::nullopt;
    const std::optional<Impedance> seen =
        NetworkInputImpedance(network, parts, {a->r_f, a->x_f}, f_MHz * 1e6);
    if (!seen) return std::nullopt;
    Checked c;
    const double swr = StandingWaveRatio(*seen, c);
    if (c.faulted()) return std::nullopt;
    return swr;
}

AnalysisPoint PointAt(const AnalysisSetup& setup, const std::optional<MatchValues>& parts,
                      double f_MHz) {
    AnalysisPoint point;
    point.f_MHz = f_MHz;
    if (!setup.source) return point;
    const std::optional<AntennaResult> a = setup.source->FeedPoint(At(setup, f_MHz));
    if (!a) return point;
    point.antenna = LoadValues(a->r_f, a->x_f);
    if (setup.source->knowsEfficiency()) {
        point.eta_f = a->eta_f;
        point.eta_tot = a->eta_tot;
    }
    if (parts) {
        if (const std::optional<Impedance> seen =
                NetworkInputImpedance(setup.network, *parts, {a->r_f, a->x_f}, f_MHz * 1e6)) {
            point.matched = LoadValues(seen->r, seen->x);
        }
    }
    return point;
}

std::vector<AnalysisPoint> Sweep(const AnalysisSetup& setup,
                                 const std::optional<MatchValues>& parts,
                                 const std::vector<double>& frequencies_MHz) {
    std::vector<AnalysisPoint> points;
    points.reserve(frequencies_MHz.size());
    for (double f : frequencies_MHz) points.push_back(PointAt(setup, parts, f));
    return points;
}
