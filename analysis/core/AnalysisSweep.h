#pragma once

#include <optional>
#include <vector>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"

// What the analysis looks at: the main window's source, inputs (the set frequency among
// them), matching limits and selected network, and the Qs of the parts for the report's
// real-part figures.
struct AnalysisSetup {
    const AntennaSource* source = nullptr;
    AntennaInput input;
    MatchLimits limits;
    Network network = Network::HpCl;
    LossQ losses{};
};

// The selected network built with the parts it gets at the set frequency: the lossless
// values at full precision. Nothing where the source has no feed point there or the network
// no solution.
std::optional<MatchValues> PartsAtSetFrequency(const AnalysisSetup& setup, Network network);

// Everything the views show at one frequency. A quantity the source cannot give there (or
// a step that faults) is absent.
struct AnalysisPoint {
    double f_MHz = 0;
    struct Load {
        double r = 0, x = 0, z = 0, swr = 0, returnLoss_dB = 0;
    };
    std::optional<Load> antenna;
    std::optional<Load> matched;  // what the transmitter sees through the fixed network
    std::optional<double> eta_f;  // %
    std::optional<double> eta_tot;
};

// Return loss beyond this is shown as this: a perfect match has none to speak of.
inline constexpr double kLargestReturnLoss_dB = 100;

// R, X, |Z|, SWR and return loss of an impedance against 50 Ohm; nothing when a step faults.
std::optional<AnalysisPoint::Load> LoadValues(double r, double x);

AnalysisPoint PointAt(const AnalysisSetup& setup, const std::optional<MatchValues>& parts,
                      double f_MHz);
std::vector<AnalysisPoint> Sweep(const AnalysisSetup& setup,
                                 const std::optional<MatchValues>& parts,
                                 const std::vector<double>& frequencies_MHz);

// The SWR the transmitter sees at f_MHz through `parts`; nothing where the source has no
// feed point there or a step faults.
std::optional<double> MatchedSwr(const AnalysisSetup& setup, Network network,
                                 const MatchValues& parts, double f_MHz);
