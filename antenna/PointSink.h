#pragma once

#include <string>
#include <string_view>

#include "antenna/ImpedanceFile.h"

// Collects the points of a measured file and words its faults: every point must rise in
// frequency, have finite values, and the file must not hold too many.
class PointSink {
public:
    explicit PointSink(std::string_view name) : name_(name) {}

    // False, with the fault set, when the point does not fit.
    bool Add(int line, double f_MHz, Impedance z);

    // "whip.s1p line 12: <what>"; always false, for returning.
    bool Fault(int line, const std::string& what);
    // "whip.s1p: <what>"
    bool FileFault(const std::string& what);

    ImpedanceFileRead Finish(bool twoPort);

private:
    std::string name_;
    ImpedanceFile file_;
    std::string fault_;
};
