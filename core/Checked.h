#pragma once

// Floating point in C++ does not trap, but the program must stop at the step that
// faults. Every step of a calculation goes through one of these operations; the first
// fault (division by exact zero, root or logarithm out of domain, overflow, NaN) sets a
// sticky flag. Callers test the flag before anything leaves the calculation (a result
// written, a loop continued, a line drawn), so a fault is never passed on as a number,
// even when a later step would mask it (1/inf = 0).
class Checked {
public:
    bool faulted() const { return faulted_; }
    bool ok() const { return !faulted_; }
    void Fail() { faulted_ = true; }

    // Result of +, -, * or a library function: must be a finite number.
    double Finite(double x);
    double Div(double a, double b);
    double Sqrt(double x);
    double Ln(double x);
    double Exp(double x);
    double Pow2(double x) { return Finite(x * x); }
    double Sin(double x);
    double Cos(double x);
    double Tan(double x);
    double Atan(double x);
    // Int() of the display rules: the largest whole number not above x.
    double Floor(double x);

private:
    bool faulted_ = false;
};
