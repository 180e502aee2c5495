#pragma once

#include <string>

#include "diagrams/SweepDiagram.h"

// What the status line reads out under the pointer.

// The sweep diagram at f_MHz: every quantity whose curve is switched on, with its unit, then
// the selected network's values with their verdict.
std::string SweepReadout(const SweepDiagramInput& input, double f_MHz);

// A point R + jX of an impedance-plane view: R, X, |Z| and the SWR against 50 Ohm.
std::string ImpedanceReadout(double r, double x);
