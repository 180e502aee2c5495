#pragma once

#include <optional>
#include <string>

#include "analysis/core/AnalysisSweep.h"

// Where the match of a network, its parts fixed at their values for the set frequency, stays
// usable: the frequencies below and above the set one where the SWR the transmitter sees
// first rises above a threshold.
struct BandEdges {
    double threshold = 0;
    // The SWR at the set frequency is already above the threshold: there is no band.
    bool aboveAtSet = false;
    // None: the SWR stays at or below the threshold out to that end of the range.
    std::optional<double> low_MHz;
    std::optional<double> high_MHz;
};

struct MatchedBandwidth {
    Network network = Network::HpCl;
    double set_MHz = 0;
    FrequencySpan range;  // searched
    // None: the network has no solution at the set frequency, or the source no feed point.
    std::optional<double> swrAtSet;
    BandEdges swr2{2, false, std::nullopt, std::nullopt};
    BandEdges swr1_5{1.5, false, std::nullopt, std::nullopt};
};

// Edges are found to within kEdgeTolerance_Hz.
inline constexpr double kEdgeTolerance_Hz = 10;

// The network's parts are those of PartsAtSetFrequency; the search runs from the set
// frequency outward to the ends of the source's range (0.1 to 30 MHz, or its own span).
MatchedBandwidth FindMatchedBandwidth(const AnalysisSetup& setup, Network network);
// The same with the network's parts given.
MatchedBandwidth FindMatchedBandwidth(const AnalysisSetup& setup, Network network,
                                      const std::optional<MatchValues>& parts);

// "SWR <= 2 from 7.0812 to 7.1193 MHz (38.1 kHz)", or why there is no such band.
std::string EdgesText(const BandEdges& edges, const MatchedBandwidth& bandwidth);
// "HP-CL matched at 7.100 MHz: " and both bands.
std::string BandwidthText(const MatchedBandwidth& bandwidth);
