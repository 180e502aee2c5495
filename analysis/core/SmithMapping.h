#pragma once

#include <optional>

#include "core/Impedance.h"

// The Smith chart: an impedance Z drawn as its reflection coefficient
// gamma = (Z - Z0) / (Z + Z0) against the transmitter's 50 Ohm, inside the unit circle
// (real part to the right, imaginary part up).

inline constexpr double kChartReference_Ohm = 50;

struct Reflection {
    double re = 0;
    double im = 0;
};

// Nothing where Z + Z0 is 0 (R = -50 Ohm, X = 0), which has no place on any chart.
std::optional<Reflection> ReflectionOf(Impedance z);
// Nothing at gamma = 1, the open circuit, whose impedance is infinite.
std::optional<Impedance> ImpedanceOf(Reflection gamma);

// A circle in the reflection plane.
struct ChartCircle {
    double cx = 0;
    double cy = 0;
    double radius = 0;
};
// Where R / Z0 = r: centre (r / (1 + r), 0), radius 1 / (1 + r).
ChartCircle ResistanceCircle(double r);
// Where X / Z0 = x (x not 0): centre (1, 1 / x), radius 1 / |x|.
ChartCircle ReactanceCircle(double x);
// Where the SWR is s: |gamma| = (s - 1) / (s + 1).
double SwrRadius(double swr);

// Where the unit circle sits in a picture, in the picture's (device-independent) pixels,
// y down.
struct ChartFrame {
    double centreX = 0;
    double centreY = 0;
    double radius = 0;

    // The largest circle that fits inside width x height with `margin` all round.
    static ChartFrame Fit(double width, double height, double margin);

    struct Pixel {
        double x = 0;
        double y = 0;
    };
    Pixel ToPixel(Reflection gamma) const;
    Reflection ToReflection(Pixel pixel) const;
};
