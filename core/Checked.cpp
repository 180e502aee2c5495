#include "core/Checked.h"

#include <cmath>

// On a fault the result is 0, never NaN or infinity: nothing after the fault may be
// mistaken for a number, and a stray comparison with 0 cannot loop forever.

double Checked::Finite(double x) {
    if (std::isfinite(x)) return x;
    Fail();
    return 0;
}

double Checked::Div(double a, double b) {
    if (b == 0 || !std::isfinite(a) || !std::isfinite(b)) {
        Fail();
        return 0;
    }
    return Finite(a / b);
}

double Checked::Sqrt(double x) {
    if (!(x >= 0) || !std::isfinite(x)) {
        Fail();
        return 0;
    }
    return std::sqrt(x);
}

double Checked::Ln(double x) {
    if (!(x > 0) || !std::isfinite(x)) {
        Fail();
        return 0;
    }
    return std::log(x);
}

double Checked::Exp(double x) {
    return Finite(std::exp(Finite(x)));
}

double Checked::Sin(double x) {
    return Finite(std::sin(Finite(x)));
}

double Checked::Cos(double x) {
    return Finite(std::cos(Finite(x)));
}

double Checked::Tan(double x) {
    return Finite(std::tan(Finite(x)));
}

double Checked::Atan(double x) {
    return Finite(std::atan(Finite(x)));
}

double Checked::Floor(double x) {
    return std::floor(Finite(x));
}
