#pragma once

#include <cstdint>
#include <limits>
#include <optional>

#include "tuners/search/Rounding.h"

// round() of a count or a time into a 32-bit integer, halves to even; nothing when the
// result does not fit.
inline std::optional<int32_t> RoundToInt32(double x) {
    const double rounded = RoundHalfEven(x);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}
