#pragma once

#include <QPointF>
#include <QRectF>
#include <utility>
#include <vector>

// Geometry in pixel space ahead of the rasteriser, which cannot take coordinates far
// outside the picture (impedance paths reach millions of pixels off the edge).

// Cuts the segment to the rectangle; false when nothing of it lies inside.
bool ClipSegment(QPointF& from, QPointF& to, const QRectF& bounds);

// The parts of the arc (screen angles in radians, counter-clockwise on the screen, from
// `start` over `span` >= 0) that lie inside the rectangle, as (start, end) pairs.
std::vector<std::pair<double, double>> VisibleArcParts(QPointF centre, double radius, double start,
                                                       double span, const QRectF& bounds);
