#pragma once

#include <vector>

// Frequency points of the sweep diagram, in MHz.
enum class SweepGrid {
    Curves,          // 0.1 to 30 MHz by 0.025: 1197 points
    ImpedancePlane,  // 0.1 to 30.01 MHz by 0.1: 300 points, the end just above 30 to take it in
};

// Stepped by repeated addition from 0.1 while f is at most the end, so every point carries
// the sum's rounding exactly as the diagram draws it (7.1 is 7.099999999999...).
std::vector<double> SweepFrequencies(SweepGrid grid);
