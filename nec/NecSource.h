#pragma once

#include <memory>

#include "antenna/TabulatedSource.h"
#include "nec/Convergence.h"

// The rod as NEC-2 computed it, as an antenna source: its impedance with the base elements
// and losses added as the model adds them, and all of NEC-2's resistance radiating.
std::shared_ptr<const TabulatedSource> NecSource(const ConvergedNec& run);
