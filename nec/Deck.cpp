#include "nec/Deck.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/NumberFormat.h"

namespace {

constexpr double kSpeedOfLight = 299.792458;  // m MHz
constexpr double kTopFrequency_MHz = 30;
// The base feed converges slowly: 21 segments put R at 7.1 MHz 7 % off, 100 within 2 %.
constexpr int kLeastSegments = 100;
constexpr double kSegmentsPerWavelength = 100;
// Long rods get fewer per wavelength rather than a run that takes minutes, but not fewer
// than this.
constexpr double kFewestSegmentsPerWavelength = 20;
// NEC-2's own limit: a segment longer than a tenth of a wavelength misses the current.
constexpr double kLeastSegmentsPerWavelength = 10;
// Segment length over wire radius: thin-wire kernel, extended kernel.
constexpr double kThinWireRadii = 8;
constexpr double kExtendedKernelRadii = 2;
// Run time grows with the square of the segments (150 take about 4 s for 300 frequencies),
// and far more would exhaust the memory before the timeout could end the run.
constexpr int kMostSegments = 160;
// So that a rod exactly at a bound (4.2 m in 21 segments of 8 radii) is not rounded off it.
constexpr double kSlack = 1e-9;

double AtLeast(double count) {
    return std::ceil(count * (1 - kSlack));
}

double AtMost(double count) {
    return std::floor(count * (1 + kSlack));
}

struct Segmentation {
    std::optional<RodSegmentation> segments;
    std::string fault;
};

Segmentation SegmentRod(double length_m, double radius_m) {
    const double wavelengths = length_m * kTopFrequency_MHz / kSpeedOfLight;
    double wanted = std::max<double>(kLeastSegments, AtLeast(kSegmentsPerWavelength * wavelengths));
    if (wanted > kMostSegments) {
        if (AtLeast(kFewestSegmentsPerWavelength * wavelengths) > kMostSegments) {
            return {std::nullopt, "NEC-2: the rod is too long for a run (more than " +
                                      std::to_string(kMostSegments) + " segments)"};
        }
        wanted = kMostSegments;
    }
    if (length_m / wanted >= kThinWireRadii * radius_m * (1 - kSlack)) {
        return {RodSegmentation{static_cast<int>(wanted), false}, {}};
    }
    const double fitting = std::min(wanted, AtMost(length_m / (kExtendedKernelRadii * radius_m)));
    const double least = std::max(1.0, AtLeast(kLeastSegmentsPerWavelength * wavelengths));
    if (fitting < least) {
        return {std::nullopt, "NEC-2: the rod is too thick for its thin-wire model"};
    }
    return {RodSegmentation{static_cast<int>(fitting), true}, {}};
}

}  // namespace

double NecFrequency_MHz(int index) {
    // Divided rather than multiplied, so that 0.3 is 0.3 as the report prints it.
    return (index + 1) / double{kNecFrequenciesPerMHz};
}

NecDeck WriteNecDeck(double length_m, double diameter_mm, int segmentDivisor) {
    NecDeck deck;
    if (!(length_m > 0 && diameter_mm > 0 && std::isfinite(length_m) &&
          std::isfinite(diameter_mm))) {
        deck.fault = "NEC-2: the rod needs a length and a diameter above 0";
        return deck;
    }
    const double radius_m = diameter_mm / 2000;
    const Segmentation s = SegmentRod(length_m, radius_m);
    if (!s.segments) {
        deck.fault = s.fault;
        return deck;
    }
    deck.segmentation = *s.segments;
    deck.segmentation.segments =
        std::max(1, deck.segmentation.segments / std::max(1, segmentDivisor));
    const std::string length = ShortestText(length_m);
    std::string& t = deck.text;
    t = "CM Orvane: rod " + length + " m long, " + ShortestText(diameter_mm) +
        " mm in diameter, over perfect ground\n";
    t += "CE\n";
    t += "GW 1 " + std::to_string(deck.segmentation.segments) + " 0 0 0 0 0 " + length + " " +
         ShortestText(radius_m) + "\n";
    t += "GE 1\n";
    t += "GN 1\n";
    if (deck.segmentation.extended_kernel) t += "EK 0\n";
    // Segment currents are not needed: leaving them out cuts the report by half.
    t += "PT -1 0 0 0\n";
    t += "EX 0 1 1 0 1 0\n";
    const std::string step = ShortestText(1.0 / kNecFrequenciesPerMHz);
    t += "FR 0 " + std::to_string(kNecFrequencyCount) + " 0 0 " + step + " " + step + "\n";
    t += "XQ\n";
    t += "EN\n";
    return deck;
}
