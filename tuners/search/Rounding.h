#pragma once

#include <cmath>

// Indices are rounded to the nearest whole number with halves to even. nearbyint follows
// the floating-point rounding mode, which this program leaves at its default, to-nearest.
inline double RoundHalfEven(double x) {
    return std::nearbyint(x);
}
