#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Checked.h"

// Bank value of a setting index, the way each tuner forms it.

// The HP-CL tuner's banks of ten element values: the sum of the elements whose bits are set
// in the index, element 1 in the lowest bit; only bits 0 to 9 count.
double SwitchedInValue(std::span<const double, 10> elements, int16_t index, Checked& c);

// The LP tuners' binary banks of a step: index times the step.
double SteppedValue(double step, int16_t index, Checked& c);
// Their largest value s * 2^m - s from the step s and the element count m. The power is a
// real one: a fractional count gives a fractional power of 2.
double LargestSteppedValue(double step, double count, Checked& c);

// The value of every setting 0 .. maxIndex of one bank, for the search over all settings.
struct BankValues {
    std::vector<double> value;
    std::vector<uint8_t> faulted;  // 1 where forming the value faults
};

BankValues SwitchedInBank(std::span<const double, 10> elements, int16_t maxIndex);
BankValues SteppedBank(double step, int16_t maxIndex);
