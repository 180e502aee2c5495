#include "core/SweepFrequencies.h"

std::vector<double> SweepFrequencies(SweepGrid grid) {
    const bool curves = grid == SweepGrid::Curves;
    const double step = curves ? 0.025 : 0.1;
    const double end = curves ? 30.0 : 30.01;
    std::vector<double> points;
    points.reserve(curves ? 1197 : 300);
    for (double f = 0.1; f <= end; f += step) points.push_back(f);
    return points;
}
