#pragma once

#include <span>

#include "diagrams/ImpedancePlane.h"
#include "diagrams/SweepDiagram.h"
#include "nec/Comparison.h"

// NEC-2's R_f and X_f over the sweep diagram, dotted in the colours of the model's curves and
// on their scales, each while the model's curve is shown.
void DrawNecCurves(PictureBox& picture, const SweepDiagramInput& input,
                   std::span<const NecComparisonRow> rows);

// NEC-2's locus as white dots in both impedance views, bigger where the model's are.
void PlotNecLocus(const ImpedanceViews& views, std::span<const NecComparisonRow> rows);
