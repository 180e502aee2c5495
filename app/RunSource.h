#pragma once

#include <memory>

#include "antenna/MeasuredSource.h"
#include "app/ExportRun.h"
#include "nec/Convergence.h"

// The measured file --antenna names, read as the window reads it; none, with the message on
// standard error, when it cannot be read.
std::optional<MeasuredAntenna> ReadMeasuredOption(const AntennaOption& option);

// The source the option names for the rod of `input`; none, with the reason on standard
// error. NEC-2 waits for its runs (or takes them from the cache) and needs a
// QCoreApplication.
std::shared_ptr<const AntennaSource> RunSource(const AntennaOption& option,
                                               const AntennaInput& input);

// The converged NEC-2 run of the rod of `input`, from the cache or from nec2c; none, with the
// reason on standard error.
std::optional<ConvergedNec> ConvergedRunOf(const AntennaInput& input);
