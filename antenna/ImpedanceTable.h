#pragma once

#include <optional>
#include <vector>

#include "antenna/AntennaSource.h"

// One tabulated impedance, measured or computed.
struct ImpedancePoint {
    double f_MHz = 0;
    Impedance z;
};

// Impedances at rising frequencies. Between two points the reflection coefficient against
// 50 Ohm is interpolated linearly, so that a resonance inside a step moves along the circle
// it lies on instead of jumping through a pole of R and X.
class ImpedanceTable {
public:
    explicit ImpedanceTable(std::vector<ImpedancePoint> points);

    const std::vector<ImpedancePoint>& points() const { return points_; }
    FrequencySpan span() const;
    // None outside the span, or where the interpolated reflection is an open circuit.
    std::optional<Impedance> At(double f_MHz) const;

private:
    std::vector<ImpedancePoint> points_;
};
