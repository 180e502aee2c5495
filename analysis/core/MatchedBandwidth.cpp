#include "analysis/core/MatchedBandwidth.h"

#include <algorithm>
#include <cmath>

#include "analysis/core/AnalysisSpan.h"
#include "core/NumberFormat.h"

namespace {

// The first step outward, and the largest as a share of the frequency: steps grow by half
// each time, so a far edge costs few evaluations, but never so far that a crossing and its
// return could both fall between two steps unless the SWR peaks within 1 % of f.
constexpr double kFirstStep_MHz = 50e-6;
constexpr double kStepGrowth = 1.5;
constexpr double kLargestRelativeStep = 0.01;

class EdgeSearch {
public:
    EdgeSearch(const AnalysisSetup& setup, Network network, const MatchValues& parts)
        : setup_(setup), network_(network), parts_(parts) {}

    // A frequency where the SWR cannot be had counts as unusable.
    bool Above(double f_MHz, double threshold) const {
        const std::optional<double> swr = MatchedSwr(setup_, network_, parts_, f_MHz);
        return !swr || *swr > threshold;
    }

    // From `from` (at or below the threshold) towards `end` (direction its sign): the
    // crossing, or nothing when the end stays at or below.
    std::optional<double> Edge(double from, double end, double threshold) const {
        const double direction = end > from ? 1 : -1;
        double inside = from;
        double step = kFirstStep_MHz;
        while (inside != end) {
            double next = inside + direction * step;
            if ((next - end) * direction > 0) next = end;
            if (Above(next, threshold)) return Bisect(inside, next, threshold);
            inside = next;
            step = std::min(step * kStepGrowth, kLargestRelativeStep * std::abs(inside));
            step = std::max(step, kFirstStep_MHz);
        }
        return std::nullopt;
    }

private:
    double Bisect(double inside, double outside, double threshold) const {
        // Half the tolerance: the middle of the last bracket is then well within it.
        while (std::abs(outside - inside) * 1e6 > kEdgeTolerance_Hz / 2) {
            const double middle = (inside + outside) / 2;
            (Above(middle, threshold) ? outside : inside) = middle;
        }
        return (inside + outside) / 2;
    }

    const AnalysisSetup& setup_;
    Network network_;
    const MatchValues& parts_;
};

void FindEdges(const EdgeSearch& search, const MatchedBandwidth& bandwidth, BandEdges& edges) {
    edges.aboveAtSet = *bandwidth.swrAtSet > edges.threshold;
    if (edges.aboveAtSet) return;
    edges.low_MHz = search.Edge(bandwidth.set_MHz, bandwidth.range.low_MHz, edges.threshold);
    edges.high_MHz = search.Edge(bandwidth.set_MHz, bandwidth.range.high_MHz, edges.threshold);
}

std::string Mhz(double f) {
    return FixedText(f, 4);
}

}  // namespace

MatchedBandwidth FindMatchedBandwidth(const AnalysisSetup& setup, Network network) {
    return FindMatchedBandwidth(setup, network, PartsAtSetFrequency(setup, network));
}

MatchedBandwidth FindMatchedBandwidth(const AnalysisSetup& setup, Network network,
                                      const std::optional<MatchValues>& parts) {
    MatchedBandwidth bandwidth;
    bandwidth.network = network;
    bandwidth.set_MHz = setup.input.frequency_MHz;
    if (!setup.source || !parts) return bandwidth;
    bandwidth.range = AnalysisSpan::RangeOf(*setup.source);
    if (!bandwidth.range.Contains(bandwidth.set_MHz)) return bandwidth;
    bandwidth.swrAtSet = MatchedSwr(setup, network, *parts, bandwidth.set_MHz);
    if (!bandwidth.swrAtSet) return bandwidth;
    const EdgeSearch search(setup, network, *parts);
    FindEdges(search, bandwidth, bandwidth.swr2);
    FindEdges(search, bandwidth, bandwidth.swr1_5);
    return bandwidth;
}

std::string EdgesText(const BandEdges& edges, const MatchedBandwidth& b) {
    const std::string swr = "SWR <= " + ShortestText(edges.threshold);
    if (!b.swrAtSet) return swr + ": no match at the set frequency";
    if (edges.aboveAtSet) {
        return "SWR " + FixedText(*b.swrAtSet, 2) + " already at the set frequency, above " +
               ShortestText(edges.threshold);
    }
    const std::string low = edges.low_MHz ? Mhz(*edges.low_MHz) : "below " + Mhz(b.range.low_MHz);
    const std::string high =
        edges.high_MHz ? Mhz(*edges.high_MHz) : "beyond " + Mhz(b.range.high_MHz);
    std::string text = swr + " from " + low + " to " + high + " MHz";
    if (edges.low_MHz && edges.high_MHz) {
        return text + " (" + FixedText((*edges.high_MHz - *edges.low_MHz) * 1e3, 1) + " kHz)";
    }
    const char* missing = edges.low_MHz ? "upper edge" : edges.high_MHz ? "lower edge" : "edge";
    return text + " (no " + missing + " inside the range)";
}

std::string BandwidthText(const MatchedBandwidth& b) {
    const std::string head =
        std::string(NetworkName(b.network)) + " matched at " + FixedText(b.set_MHz, 3) + " MHz: ";
    if (!b.swrAtSet) return head + "no solution at the set frequency";
    return head + EdgesText(b.swr2, b) + "; " + EdgesText(b.swr1_5, b);
}
