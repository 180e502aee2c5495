#pragma once

#include <string>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"

// The antenna and the six networks at every point of the sweep diagram, one CSV record per
// frequency after a comment line naming the source ("# source: model") and a header line.
// Where the source has no value (outside a measured span) the value cells are empty; where
// it cannot know the efficiencies, their cells are. Each network gives its element values,
// its verdict (ok, outside, none; fault where the antenna model faults) and the stress of its
// parts at the power of `antenna`, then the same network built from parts of the Qs of `q`:
// its SWR, efficiency, the power lost in each part and the overall efficiency. The antenna
// with its base coil's loss at q.coil stands beside the lossless one. Values are written
// unrounded; a field without a value stays empty.
std::string SweepCsv(const AntennaSource& source, const AntennaInput& antenna,
                     const MatchLimits& limits, const LossQ& q);
