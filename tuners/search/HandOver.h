#pragma once

#include <optional>

#include "antenna/AntennaSource.h"
#include "tuners/search/TunerState.h"

// What the main window hands over to a tuner at f_MHz, its antenna from `source`: the frequency,
// and R_f and X_f as its fields show them after its pass there; nothing when that pass fails. The
// runs that tune over the band without a window take their antenna from here.
std::optional<AntennaFields> HandedOverAntenna(const AntennaSource& source, AntennaInput input,
                                               double f_MHz);
