#pragma once

#include <array>
#include <optional>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"
#include "losses/RealNetwork.h"

// What real parts change at one frequency, beside the lossless numbers the window's fields
// and the network boxes show: the antenna with its base coil's loss, and each network of
// the boxes built from real parts and loaded with that antenna.
struct Losses {
    LossQ q;
    double ptx_W = 0;  // into each network
    // With the base coil's loss; none where the source faults with it.
    std::optional<AntennaResult> antenna;
    // The coil's Q changed the antenna; its eta_f means something (not for a measurement).
    bool coilApplies = false;
    bool efficiencyKnown = true;
    // In the order of Network; none for a network without solution.
    std::array<std::optional<RealNetworkResult>, 6> networks;

    const std::optional<RealNetworkResult>& of(Network network) const {
        return networks[static_cast<std::size_t>(network)];
    }
};

// Whether the base coil's Q changes anything for `source`: a measured antenna already holds
// whatever coil was measured, and an ideal coil or none has no loss.
bool CoilLossApplies(const AntennaSource& source, const AntennaInput& input, const LossQ& q);

// `lossless` is the source's result for `input` as it stands (the base coil ideal), from
// which the boxes' values follow.
Losses LossesAt(const AntennaSource& source, const AntennaInput& input,
                const AntennaResult& lossless, const MatchLimits& limits, const LossQ& q);
