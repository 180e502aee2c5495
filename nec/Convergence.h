#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nec/Deck.h"
#include "nec/Report.h"

// A NEC-2 run of a rod at the segmentation WriteNecDeck chooses, with an estimate of how far
// its values still are from converged: the base feed's error falls about as 1/segments, so
// a run at half the segments lies off by about the error of the full one.
struct ConvergedNec {
    double length_m = 0;
    double diameter_mm = 0;
    RodSegmentation segmentation;
    int checkSegments = 0;
    std::vector<NecPoint> points;  // the whole sweep at the full segmentation
    double error_pct = 0;          // the largest change of R or X at the check frequencies
};

// The frequencies the estimate looks at: the bands below 25 MHz, where the sweep holds them.
inline constexpr double kConvergenceCheck_MHz[] = {1.8, 3.7, 7.1, 10.1, 14.2, 18.1, 21.3, 24.9};

// From the full sweep and the sweep at half the segments; none where either lacks a check
// frequency.
std::optional<ConvergedNec> EstimateConvergence(double length_m, double diameter_mm,
                                                RodSegmentation segmentation, int checkSegments,
                                                const std::vector<NecPoint>& full,
                                                const std::vector<NecPoint>& half);

// "NEC-2, 100 segments, about +-3 % below 25 MHz"
std::string ConvergenceNote(const ConvergedNec& run);

// The run as a text file of its own, so that a later start shows it without nec2c.
std::string NecCacheText(const ConvergedNec& run);
// None unless the text is a whole cache of exactly this rod and segmentation.
std::optional<ConvergedNec> ReadNecCache(std::string_view text, double length_m, double diameter_mm,
                                         RodSegmentation segmentation);
// One file name per length, diameter and segmentation.
std::string NecCacheFileName(double length_m, double diameter_mm, RodSegmentation segmentation);
