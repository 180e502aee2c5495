#pragma once

#include "diagrams/ImpedancePlane.h"
#include "diagrams/PathGeometry.h"

// Draws a planned path in the fine view and, when the path is complete, in the coarse
// view; every point, centre and radius is divided by the view's k.
void DrawMatchingPath(const ImpedanceViews& views, const MatchingPath& path);
