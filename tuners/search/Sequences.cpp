#include <cstdint>

#include "tuners/search/Rounding.h"
#include "tuners/search/TunerSearch.h"

namespace {

// From 1 up to maxIndex, ending exactly on it. Successors are formed in 64 bits and
// clamped to the maximum, so a step past 32767 cannot overflow. A maximum below 1 gives
// 1 followed by the maximum.
template <class Next>
std::vector<int16_t> Rising(int16_t maxIndex, Next next) {
    std::vector<int16_t> indices{1};
    int64_t n = 1;
    while (n != maxIndex) {
        if (n < maxIndex) n = next(n);
        if (n > maxIndex) n = maxIndex;
        indices.push_back(static_cast<int16_t>(n));
    }
    return indices;
}

}  // namespace

std::vector<int16_t> HpClSequence(int16_t maxIndex, int level) {
    if (level < 2) return {};  // the successor divides by level - 1
    return Rising(maxIndex, [level](int64_t n) { return level * n / (level - 1) + 1; });
}

std::vector<int16_t> LpClCapacitorSequence(int16_t maxIndex) {
    std::vector<int16_t> indices{maxIndex};
    int64_t c = maxIndex;
    while (c != 1) {
        // c * 2 in double: a 16-bit product would overflow above 16383.
        c = c < 10 ? c - 1 : static_cast<int64_t>(RoundHalfEven(c * 2.0 / 3.0));
        if (c < 1) c = 1;
        indices.push_back(static_cast<int16_t>(c));
    }
    return indices;
}

std::vector<int16_t> LpClInductorSequence(int16_t maxIndex) {
    return Rising(maxIndex, [](int64_t l) {
        return l < 20 ? l + 1 : static_cast<int64_t>(RoundHalfEven(l * 15.0 / 14.0));
    });
}

std::vector<int16_t> DoublingSequence(int16_t maxIndex) {
    return Rising(maxIndex, [](int64_t n) { return n * 2; });
}
