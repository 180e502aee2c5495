#pragma once

#include <cfloat>
#include <cmath>

// Drawing coordinates are single precision; a value beyond that range is an arithmetic
// fault that ends the drawing, never a coordinate.
inline bool ToSingle(double value, float& single) {
    if (!std::isfinite(value) || std::abs(value) > FLT_MAX) return false;
    single = static_cast<float>(value);
    return true;
}
