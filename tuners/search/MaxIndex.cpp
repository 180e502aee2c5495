#include <cmath>
#include <limits>

#include "tuners/search/Rounding.h"
#include "tuners/search/TunerSearch.h"

std::optional<int16_t> MaxIndex(double total, double step) {
    if (step == 0) return std::nullopt;
    const double quotient = total / step;
    if (!std::isfinite(quotient)) return std::nullopt;
    const double index = RoundHalfEven(quotient);
    if (index < std::numeric_limits<int16_t>::min() ||
        index > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(index);
}
