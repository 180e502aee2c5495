#pragma once

#include <QColor>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"

class PictureBox;

// Curves of the sweep diagram, in the order of their check boxes and range buttons.
enum SweepCurve {
    kCurveRf,
    kCurveXf,
    kCurveZf,
    kCurveSwr,
    kCurveUf,
    kCurveEtaF,
    kCurveCm,
    kCurveLm,
    kCurveEtaTot,
    kSweepCurveCount
};

// Everything the sweep diagram shows, read from the main window on each redraw.
struct SweepDiagramInput {
    std::array<double, kSweepCurveCount> range{};  // full-scale value of each curve
    std::array<bool, kSweepCurveCount> shown{};
    bool markersShown = true;
    std::array<double, 10> markers_MHz{};
    double operating_MHz = 0;
    const AntennaSource* source = &ClosedFormModel();
    AntennaInput antenna;  // its frequency is ignored: the sweep sets its own
    Network network = Network::HpCl;
    MatchLimits limits;
    // R/X mode: 300 points 0.1 MHz apart, each also handed to the locus.
    bool impedancePlane = false;
};

// Receives each point in R/X mode; false ends the drawing (a fault while plotting).
using LocusPoint = std::function<bool(double r_f, double x_f, double f_Hz)>;

const QColor kResistanceCurve(0xE0, 0xE0, 0x00);
const QColor kPositiveReactance(0xFF, 0x60, 0x00);
const QColor kNegativeReactance(0x00, 0x80, 0xFF);
// The X_f curve's colour at a point: by the sign of the reactance, its height is |X_f|.
inline QColor ReactanceColour(double x_f) {
    return x_f < 0 ? kNegativeReactance : kPositiveReactance;
}

// The full-scale value a range caption stands for: its number, times 1000 after a "K".
double RangeValue(const std::string& caption);

// The diagram's y of a curve value at full scale `range`, held within +-bound so that lines
// far off the picture still point the right way.
double ScaledY(double value, double range, double bound, Checked& c);

// One piece of a curve, in drawing order: the segment from the previous sweep point to
// this one, or a dot of the dotted C'_m trace. Width 2, in the sweep diagram's pixels.
struct CurveStroke {
    QColor colour;
    float x1, y1, x2, y2;
    bool dot = false;
};

// Evaluates the antenna and the selected network over the sweep and appends the shown
// curves' strokes. Returns false when an arithmetic fault ended the sweep; the strokes up
// to it stay.
bool TraceSweepCurves(const SweepDiagramInput& input, const LocusPoint& locus,
                      std::vector<CurveStroke>& strokes);
void DrawCurveStrokes(PictureBox& picture, const std::vector<CurveStroke>& strokes);

// Clears the picture and draws markers, grid, operating-frequency line and the shown curves
// over 0.1 to 30 MHz. Returns false when an arithmetic fault ended the drawing early; what
// was drawn up to then stays.
bool DrawSweepDiagram(PictureBox& picture, const SweepDiagramInput& input,
                      const LocusPoint& locus = {});
