#include "core/Numeric.h"

#include <cmath>

namespace num {

double log10(double x, Checked& c) {
    return c.Div(c.Ln(x), c.Ln(10));
}

double ACos(double x) {
    if (x == 1.0) return 0;
    if (x == -1.0) return PI;
    if (x > -1 && x < 1) return 2 * std::atan(1.0) - std::atan(x / std::sqrt(1 - x * x));
    return 0;
}

double ASin(double x, Checked& c) {
    return c.Atan(c.Div(x, c.Sqrt(c.Finite(1 - c.Pow2(x)))));
}

double ATanH(double x, Checked& c) {
    return 0.5 * c.Ln(c.Div(c.Finite(1 + x), c.Finite(1 - x)));
}

namespace {

// e^x once and 1/e^x by division from it, so both overflow ends (e^x itself, and
// 1/e^x when e^x is subnormal or 0) fault the same way.
struct ExpPair {
    double e;
    double inv;
};

ExpPair ExpAndInverse(double x, Checked& c) {
    const double e = c.Exp(x);
    return {e, c.Div(1, e)};
}

}  // namespace

double SinH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Finite(p.e - p.inv) / 2;
}

double CosH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Finite(p.e + p.inv) / 2;
}

double TanH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Div(c.Finite(p.e - p.inv), c.Finite(p.inv + p.e));
}

double CotH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Div(c.Finite(p.inv + p.e), c.Finite(p.e - p.inv));
}

double SecH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Div(2, c.Finite(p.inv + p.e));
}

double CscH(double x, Checked& c) {
    const ExpPair p = ExpAndInverse(x, c);
    return c.Div(2, c.Finite(p.e - p.inv));
}

double FloorTo(double x, double scale, Checked& c) {
    return c.Div(c.Floor(c.Finite(x * scale)), scale);
}

}  // namespace num
