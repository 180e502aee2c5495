#pragma once

#include <optional>
#include <vector>

#include "core/Checked.h"
#include "core/Matching.h"

// How a matching network moves the antenna's impedance to 50 Ohm, as drawing steps in
// the impedance plane (Ohm): a series element moves along a vertical line, a shunt element
// along an arc of a constant-conductance circle. Pure geometry, no drawing.

struct PlanePoint {
    double r = 0;
    double x = 0;
};

// Angle of (x, y) on the circle with centre (c, 0), in [0, 2 pi), counter-clockwise from
// the positive x axis. A point straight above or below the centre is a fault.
double AngleOnCircle(PlanePoint p, double c, Checked& fault);

enum class ArcSplit { None, QuarterBeforeEnd, AtZero };

// Arcs with a radius above 500 units that pass the left of their circle are drawn as two
// pieces: from a to 2 pi, then from the split point to b.
struct ArcPiece {
    double from = 0;
    double to = 0;
};
std::vector<ArcPiece> ArcPieces(double centre, double k, double a, double b, ArcSplit split);

enum class PathStepKind { Dot, Line, Arc, DashedLine, BoldDottedArc };

struct PathStep {
    PathStepKind kind;
    bool capacitor;     // capacitor colour, else inductor colour
    PlanePoint from;    // dot position, line start
    PlanePoint to;      // line end
    double centre = 0;  // arcs: circle centre (centre, 0), radius = centre
    double a = 0, b = 0;
    ArcSplit split = ArcSplit::None;
};

struct MatchingPath {
    std::vector<PathStep> steps;
    // False when a fault ended the path: the steps up to it are drawn in the first view
    // only, as a drawing that stopped there would leave them.
    bool complete = true;
};

// The path of the network at one frequency, or nothing when its values allow no path.
std::optional<MatchingPath> PlanMatchingPath(Network network, double r, double x, double f_Hz,
                                             const MatchValues& values, const MatchLimits& limits);
