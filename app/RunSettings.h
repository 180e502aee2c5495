#pragma once

#include "core/Antenna.h"

// The antenna inputs of the settings file for a run without a window, which only reads the
// file (ReadSettingsKeysAsIs): what it lacks keeps its default. Problems go to standard
// error; false when the file is there and cannot be read.
bool ReadRunAntenna(AntennaInput& input);
