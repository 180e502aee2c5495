#pragma once

#include <string>

// Number text for files and messages that other programs or people read: '.' as the
// decimal point whatever the locale, which the printf family does not promise.

// Shortest text that reads back as the same double (4.5, 0.0025, 1e-05).
std::string ShortestText(double value);
// At most this many significant digits, trailing zeros dropped (%g style).
std::string SignificantText(double value, int digits);
// Exactly this many decimals (%f style).
std::string FixedText(double value, int decimals);
