#pragma once

#include <memory>
#include <string>

#include "antenna/ImpedanceFile.h"
#include "antenna/TabulatedSource.h"

// A measured file once read: the same table serves both of its meanings.
struct MeasuredAntenna {
    std::shared_ptr<const ImpedanceTable> table;
    std::string path;  // as given
    bool twoPort = false;
    int negativeR = 0;
};

MeasuredAntenna MeasuredFrom(ImpedanceFile file, const std::string& path);

// As measured, or (bareRod) the rod alone with coil, base capacitance and losses added.
std::shared_ptr<const TabulatedSource> MeasuredSource(const MeasuredAntenna& antenna, bool bareRod);
