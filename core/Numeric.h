#pragma once

#include "core/Checked.h"

// Real functions the antenna model and the result display need beyond the platform's
// arithmetic. Each reports a fault through `c`; only ACos never faults.
namespace num {

// The model's own value of pi, used by every formula instead of the full-precision one.
inline constexpr double PI = 3.14159265;

double log10(double x, Checked& c);
// 0 for arguments outside -1..1 (and NaN) instead of a fault; the antenna model relies on it.
double ACos(double x);
double ASin(double x, Checked& c);
double ATanH(double x, Checked& c);
double SinH(double x, Checked& c);
double CosH(double x, Checked& c);
double TanH(double x, Checked& c);
double CotH(double x, Checked& c);
double SecH(double x, Checked& c);
double CscH(double x, Checked& c);

// Display rounding Int(x * scale) / scale, a fault when x * scale overflows.
double FloorTo(double x, double scale, Checked& c);

}  // namespace num
