#include "losses/Losses.h"

bool CoilLossApplies(const AntennaSource& source, const AntennaInput& input, const LossQ& q) {
    return source.usesBaseElements() && HasCoilLoss(WithCoilLoss(input, q));
}

Losses LossesAt(const AntennaSource& source, const AntennaInput& input,
                const AntennaResult& lossless, const MatchLimits& limits, const LossQ& q) {
    Losses losses;
    losses.q = q;
    losses.ptx_W = input.ptx_W;
    losses.coilApplies = CoilLossApplies(source, input, q);
    losses.efficiencyKnown = source.knowsEfficiency();
    // Asking the source again only where the coil's loss changes its answer: a source may
    // be slow (NEC-2).
    losses.antenna = losses.coilApplies ? source.FeedPoint(WithCoilLoss(input, q))
                                        : std::optional<AntennaResult>(lossless);
    if (!losses.antenna) return losses;
    const double f_Hz = input.frequency_MHz * 1e6;
    for (const Network network : {Network::HpCl, Network::HpLc, Network::HpClc, Network::LpCl,
                                  Network::LpLc, Network::LpClc}) {
        const MatchValues values = Match(network, lossless.r_f, lossless.x_f, f_Hz, limits);
        std::optional<RealNetworkResult>& real = losses.networks[static_cast<std::size_t>(network)];
        real = RealNetwork(network, values, limits, *losses.antenna, input, q);
        if (real && !losses.efficiencyKnown) {
            real->p_radiated_W.reset();
            real->eta_sys_pct.reset();
        }
    }
    return losses;
}
