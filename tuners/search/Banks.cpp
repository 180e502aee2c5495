#include "tuners/search/Banks.h"

#include <cmath>
#include <cstddef>

namespace {

template <typename ValueOf>
BankValues EveryValue(int16_t maxIndex, ValueOf valueOf) {
    BankValues bank;
    for (int32_t index = 0; index <= maxIndex; ++index) {
        Checked c;
        bank.value.push_back(valueOf(static_cast<int16_t>(index), c));
        bank.faulted.push_back(c.faulted());
    }
    return bank;
}

}  // namespace

double SwitchedInValue(std::span<const double, 10> elements, int16_t index, Checked& c) {
    const auto bits = static_cast<uint16_t>(index);
    double sum = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (bits & (1u << i)) sum = c.Finite(sum + elements[i]);
    }
    return sum;
}

double SteppedValue(double step, int16_t index, Checked& c) {
    return c.Finite(index * step);
}

double LargestSteppedValue(double step, double count, Checked& c) {
    return c.Finite(c.Finite(step * c.Finite(std::pow(2.0, count))) - step);
}

BankValues SwitchedInBank(std::span<const double, 10> elements, int16_t maxIndex) {
    return EveryValue(maxIndex, [elements](int16_t index, Checked& c) {
        return SwitchedInValue(elements, index, c);
    });
}

BankValues SteppedBank(double step, int16_t maxIndex) {
    return EveryValue(maxIndex,
                      [step](int16_t index, Checked& c) { return SteppedValue(step, index, c); });
}
