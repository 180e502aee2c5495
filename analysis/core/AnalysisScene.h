#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "analysis/core/AnalysisSpan.h"
#include "analysis/core/MatchedBandwidth.h"

// Everything both views draw, worked out once per change: the points across the shown
// span, the set frequency, the matched bandwidth and the markers.
struct AnalysisScene {
    // Held, so that the scene outlives a change of the main window's source.
    std::shared_ptr<const AntennaSource> source;
    AnalysisSetup setup;
    FrequencySpan shown;
    std::optional<MatchValues> parts;  // the selected network's, at the set frequency
    std::vector<AnalysisPoint> points;
    // The set frequency's point, where it lies inside the shown span.
    std::optional<AnalysisPoint> atSet;
    MatchedBandwidth bandwidth;
    static constexpr std::size_t kMostMarkers = 4;
    std::vector<AnalysisPoint> markers;

    AnalysisPoint PointAt(double f_MHz) const { return ::PointAt(setup, parts, f_MHz); }
};

AnalysisScene MakeScene(std::shared_ptr<const AntennaSource> source, const AnalysisSetup& setup,
                        const AnalysisSpan& span, const std::vector<double>& markers_MHz);

// Another span: its points and the set frequency anew; the parts, the bandwidth and the
// markers stay, as they do not depend on the span.
void ShowSpan(AnalysisScene& scene, const AnalysisSpan& span);

// The markers again, the rest as it is.
void PlaceMarkers(AnalysisScene& scene, const std::vector<double>& markers_MHz);

// A frequency picked with the pointer, rounded to what the view can show apart: a power of
// ten at or below a thousandth of its width, but not below 1 Hz.
double RoundedToView(double f_MHz, double width_MHz);
