#include "antenna/PointSink.h"

#include <cmath>

#include "core/NumberFormat.h"

bool PointSink::Add(int line, double f_MHz, Impedance z) {
    if (!std::isfinite(f_MHz) || !std::isfinite(z.r) || !std::isfinite(z.x)) {
        return Fault(line, "the values give no finite impedance");
    }
    if (!(f_MHz > 0)) return Fault(line, "the frequency must be above 0");
    if (!file_.points.empty() && !(f_MHz > file_.points.back().f_MHz)) {
        return Fault(line, "the frequency does not rise (" + SignificantText(f_MHz, 10) +
                               " MHz after " + SignificantText(file_.points.back().f_MHz, 10) +
                               " MHz)");
    }
    if (file_.points.size() == kMostImpedancePoints) {
        return Fault(line, "more than 1,000,000 points");
    }
    if (z.r < 0) ++file_.negativeR;
    file_.points.push_back({f_MHz, z});
    return true;
}

bool PointSink::Fault(int line, const std::string& what) {
    fault_ = name_ + " line " + std::to_string(line) + ": " + what;
    return false;
}

bool PointSink::FileFault(const std::string& what) {
    fault_ = name_ + ": " + what;
    return false;
}

ImpedanceFileRead PointSink::Finish(bool twoPort) {
    if (fault_.empty() && file_.points.empty()) FileFault("no data lines");
    if (!fault_.empty()) return {std::nullopt, fault_};
    file_.twoPort = twoPort;
    return {std::move(file_), {}};
}
