#pragma once

#include <string>
#include <string_view>

#include "antenna/AntennaSource.h"

// The feed-point impedance R_f + jX_f at every point of the sweep diagram as a Touchstone
// 1.1 one-port: S11 against 50 Ohm in real and imaginary parts, frequencies in MHz.
// Comment lines name the program with its `version` and the inputs; frequencies where the
// model faults are left out and counted in a comment.
std::string TouchstoneText(const AntennaSource& source, const AntennaInput& antenna,
                           std::string_view version);
