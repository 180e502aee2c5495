#pragma once

#include <string>

// The frequencies NEC-2 is run at, the same as the impedance locus: 0.1 to 30 MHz in
// steps of 0.1 MHz.
inline constexpr int kNecFrequencyCount = 300;
inline constexpr int kNecFrequenciesPerMHz = 10;
// The frequency of point index (0 .. 299) as the report prints it: 0.1, 0.2, ... 30.
double NecFrequency_MHz(int index);

struct RodSegmentation {
    int segments = 0;
    bool extended_kernel = false;
};

struct NecDeck {
    RodSegmentation segmentation;
    std::string text;   // the card deck for nec2c; empty when there is none
    std::string fault;  // why there is no deck, as one line for the status line
};

// The rod as one vertical wire of its physical length over perfect ground, fed at its
// base segment by a 1 V source. Segments: at least 100 and none longer than a hundredth of
// the wavelength at 30 MHz (a long rod down to a fifth of that), each at least 8 radii long;
// a thicker rod gets the extended thin-wire kernel, and fewer segments where they would be
// shorter than 2 radii. A divisor above 1 gives the same rod in that many times fewer
// segments, for estimating how far the run is from converged.
NecDeck WriteNecDeck(double length_m, double diameter_mm, int segmentDivisor = 1);
