#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Antenna.h"

// The quality factors of the parts the user builds with: a real inductor has the series
// resistance omega * L / Q, a real capacitor 1 / (omega * C * Q). kIdealQ: no loss.
struct LossQ {
    double inductor = 150;    // the matching networks' and the tuners' coils
    double capacitor = 1000;  // their capacitors
    double coil = 200;        // the base loading coil
    bool operator==(const LossQ&) const = default;
};

inline constexpr double kLowestQ = 1;
inline constexpr double kHighestQ = 100000;

// A Q as the user gives it: a number from 1 to 100,000, or "ideal" (any case); blanks
// around it are ignored. Nothing for anything else.
std::optional<double> ParseQ(std::string_view text);

// "ideal", or the number as ParseQ reads it back (150, 87.5).
std::string QText(double q);

// The antenna with its base coil's loss at the Q of `q`.
AntennaInput WithCoilLoss(AntennaInput in, const LossQ& q);
