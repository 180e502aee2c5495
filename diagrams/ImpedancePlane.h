#pragma once

#include <QColor>

#include "core/Matching.h"

class PictureBox;

// The resistance/reactance plane, drawn twice: view k = 1 at 1 Ohm per unit and view
// k = 10 at 10 Ohm per unit. Both views have x from 0 to 276 and y from +212 to -212.
struct ImpedanceViews {
    PictureBox& fine;    // k = 1
    PictureBox& coarse;  // k = 10
};

// Gives a fresh view its scale.
void SetImpedanceScale(PictureBox& view);

// Background of both views: the region the network cannot match, the grid with its
// constant-conductance and constant-susceptance circles, and the 50 Ohm point.
void DrawImpedanceGrid(const ImpedanceViews& views, Network network);

// One point of the antenna's locus; bigger at whole MHz, labelled at multiples of 5 MHz.
// False when the point cannot be drawn (beyond single precision).
bool PlotLocusPoint(const ImpedanceViews& views, double r_f, double x_f, double f_Hz);

// A point of a locus in the given colour, bigger at whole MHz and at multiples of 5 MHz, where
// a labelled locus also prints the frequency. False when it cannot be drawn.
bool PlotImpedancePoint(const ImpedanceViews& views, double r, double x, double f_Hz,
                        const QColor& colour, bool labelled);
