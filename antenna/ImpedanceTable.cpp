#include "antenna/ImpedanceTable.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double kReference_Ohm = 50;

std::complex<double> Reflection(Impedance z) {
    const std::complex<double> zc(z.r, z.x);
    return (zc - kReference_Ohm) / (zc + kReference_Ohm);
}

}  // namespace

ImpedanceTable::ImpedanceTable(std::vector<ImpedancePoint> points) : points_(std::move(points)) {}

FrequencySpan ImpedanceTable::span() const {
    if (points_.empty()) return {1, 0};
    return {points_.front().f_MHz, points_.back().f_MHz};
}

std::optional<Impedance> ImpedanceTable::At(double f_MHz) const {
    if (points_.empty()) return std::nullopt;
    const FrequencySpan ends = span();
    if (!ends.Contains(f_MHz)) return std::nullopt;
    f_MHz = std::clamp(f_MHz, ends.low_MHz, ends.high_MHz);
    const auto above =
        std::lower_bound(points_.begin(), points_.end(), f_MHz,
                         [](const ImpedancePoint& p, double f) { return p.f_MHz < f; });
    if (above->f_MHz == f_MHz) return above->z;
    const ImpedancePoint& below = *(above - 1);
    const double t = (f_MHz - below.f_MHz) / (above->f_MHz - below.f_MHz);
    const std::complex<double> gamma =
        Reflection(below.z) + t * (Reflection(above->z) - Reflection(below.z));
    const std::complex<double> z = kReference_Ohm * (1.0 + gamma) / (1.0 - gamma);
    if (!std::isfinite(z.real()) || !std::isfinite(z.imag())) return std::nullopt;
    return Impedance{z.real(), z.imag()};
}
