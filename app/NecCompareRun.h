#pragma once

#include <string>

#include "core/Antenna.h"

// Runs nec2c on the rod of `input` and writes the model against it to `csvPath`, whole or
// not at all; the exit code, with each problem in one line on standard error. Needs a
// QCoreApplication for the runner's process.
int RunNecCompare(const std::string& csvPath, const AntennaInput& input);
