#include "analysis/core/AnalysisScene.h"

#include <algorithm>
#include <cmath>

AnalysisScene MakeScene(std::shared_ptr<const AntennaSource> source, const AnalysisSetup& setup,
                        const AnalysisSpan& span, const std::vector<double>& markers_MHz) {
    AnalysisScene scene;
    scene.source = std::move(source);
    scene.setup = setup;
    scene.setup.source = scene.source.get();
    scene.parts = PartsAtSetFrequency(scene.setup, setup.network);
    scene.bandwidth = FindMatchedBandwidth(scene.setup, setup.network, scene.parts);
    ShowSpan(scene, span);
    PlaceMarkers(scene, markers_MHz);
    return scene;
}

void ShowSpan(AnalysisScene& scene, const AnalysisSpan& span) {
    scene.shown = {span.low(), span.high()};
    scene.points = Sweep(scene.setup, scene.parts, span.Frequencies());
    scene.atSet.reset();
    const double set = scene.setup.input.frequency_MHz;
    if (scene.shown.Contains(set)) scene.atSet = scene.PointAt(set);
}

void PlaceMarkers(AnalysisScene& scene, const std::vector<double>& markers_MHz) {
    scene.markers.clear();
    for (double f : markers_MHz) {
        if (scene.markers.size() == AnalysisScene::kMostMarkers) break;
        scene.markers.push_back(scene.PointAt(f));
    }
}

double RoundedToView(double f_MHz, double width_MHz) {
    double step = 1e-6;
    if (width_MHz > 0 && std::isfinite(width_MHz)) {
        step = std::max(step, std::pow(10.0, std::floor(std::log10(width_MHz / 1000))));
    }
    return std::round(f_MHz / step) * step;
}
