#include "analysis/core/SmithMapping.h"

#include <algorithm>
#include <cmath>

std::optional<Reflection> ReflectionOf(Impedance z) {
    const double dr = z.r + kChartReference_Ohm;
    const double d = dr * dr + z.x * z.x;
    if (!(d > 0) || !std::isfinite(d)) return std::nullopt;
    const double nr = z.r - kChartReference_Ohm;
    // (nr + j x) / (dr + j x)
    return Reflection{(nr * dr + z.x * z.x) / d, (z.x * dr - nr * z.x) / d};
}

std::optional<Impedance> ImpedanceOf(Reflection g) {
    // Z = Z0 (1 + gamma) / (1 - gamma)
    const double dr = 1 - g.re;
    const double d = dr * dr + g.im * g.im;
    if (!(d > 0)) return std::nullopt;
    const double nr = 1 + g.re;
    return Impedance{kChartReference_Ohm * (nr * dr - g.im * g.im) / d,
                     kChartReference_Ohm * (g.im * dr + nr * g.im) / d};
}

ChartCircle ResistanceCircle(double r) {
    return {r / (1 + r), 0, 1 / (1 + r)};
}

ChartCircle ReactanceCircle(double x) {
    return {1, 1 / x, 1 / std::abs(x)};
}

double SwrRadius(double swr) {
    return (swr - 1) / (swr + 1);
}

ChartFrame ChartFrame::Fit(double width, double height, double margin) {
    const double radius = std::max(0.0, std::min(width, height) / 2 - margin);
    return {width / 2, height / 2, radius};
}

ChartFrame::Pixel ChartFrame::ToPixel(Reflection g) const {
    return {centreX + g.re * radius, centreY - g.im * radius};
}

Reflection ChartFrame::ToReflection(Pixel p) const {
    if (!(radius > 0)) return {};
    return {(p.x - centreX) / radius, (centreY - p.y) / radius};
}
