#pragma once

#include <optional>

#include "antenna/AntennaSource.h"

// The antenna results as the main window's result fields show them, each rounded down to
// 0.001 (the efficiencies in dB to 0.1). A pass writes them in three stages and ends at the
// first step that faults, so a stage is there only when every stage before it is.
struct ShownAntenna {
    struct Rod {
        double zlc = 0;
        double slenderness = 0;
    };
    struct FeedPoint {
        double r_f = 0, x_f = 0, z_f = 0, swr_f = 0, u_f = 0;
    };
    struct Efficiency {
        double eta_f = 0;
        double eta_tot = 0;
    };

    std::optional<Rod> rod;
    std::optional<AntennaResult> result;  // unrounded, for the networks
    std::optional<FeedPoint> feed;
    std::optional<Efficiency> efficiency;
    // The source cannot know the efficiencies: their fields stay empty, and the pass goes on.
    bool efficiencyUnknown = false;

    // The pass wrote every result field, so R_f and X_f belong to this frequency.
    bool complete() const { return feed && (efficiency || efficiencyUnknown); }
};

ShownAntenna ShowAntenna(const AntennaSource& source, const AntennaInput& input, bool decibels);
