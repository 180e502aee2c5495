#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "tuners/search/lab/TunerLab.h"

// The tuner lab's two runs: over the sweep's frequencies, and at one frequency.

// The antenna values a tuner is handed over at a frequency; none where there are none.
using AntennaAt = std::function<std::optional<AntennaFields>(double f_MHz)>;
// After each frequency: how many are done of how many.
using LabProgress = std::function<void(std::size_t done, std::size_t total)>;

struct LabRun {
    std::vector<LabPoint> points;  // in the order of the frequencies, up to a stop
    bool complete = false;
};

// Every strategy at each of the sweep's 299 frequencies in turn, 0.1 to 29.9 MHz, as the
// tuner's SWEEP tunes them.
LabRun SweepLab(TunerKind kind, const BankSetup& banks, const AntennaAt& antennaAt,
                const StopRequest& stop = nullptr, const LabProgress& progress = nullptr);

// Every strategy at `here`, after a sweep up to it: the sweep's frequencies below it are
// tuned on the way, so TUNE's best setting and the memory are those a sweep would leave.
// Nothing when stopped.
std::optional<LabPoint> LabAt(TunerKind kind, const BankSetup& banks, const AntennaFields& here,
                              const AntennaAt& antennaAt, const StopRequest& stop = nullptr);
