#pragma once

#include <string>
#include <string_view>

// The program's own number text rules, independent of the system locale.

// Longest leading numeric prefix after leading blanks: optional sign, digits with an
// optional '.', optional exponent. Text without a number reads as 0. A number too large
// for a double reads as the largest finite double of its sign; one too small reads as 0.
double ParseLeadingNumber(std::string_view text);

// Field format: rounded to 15 significant digits, no trailing zeros, '.' as decimal
// point, no zero before the point (.5, -.25), exponent form from 1E+15 on (and below
// 1E-04, as 1.5E-05). Infinity and NaN, which no calculation hands out, are written
// inf, -inf and nan, which read back as 0.
std::string FormatField(double value);
// The same for single-precision values, with 7 significant digits.
std::string FormatFieldSingle(float value);
// Pattern "00.00": at least two integer digits, exactly two decimals (7.15 -> 07.15).
std::string FormatTwoByTwo(float value);
