#include "antenna/ShownResults.h"

#include "core/Numeric.h"

ShownAntenna ShowAntenna(const AntennaSource& source, const AntennaInput& input, bool decibels) {
    ShownAntenna shown;
    Checked c;
    const std::optional<RodLine> rod = RodCharacteristic(input.length_m, input.diameter_mm);
    if (!rod) return shown;
    const ShownAntenna::Rod rodShown{c.Floor(rod->zlc), c.Floor(rod->slenderness)};
    if (c.faulted()) return shown;
    shown.rod = rodShown;

    shown.result = source.FeedPoint(input);
    if (!shown.result) return shown;
    const AntennaResult& a = *shown.result;
    const ShownAntenna::FeedPoint feed{num::FloorTo(a.r_f, 1000, c), num::FloorTo(a.x_f, 1000, c),
                                       num::FloorTo(a.z_f, 1000, c), num::FloorTo(a.swr_f, 1000, c),
                                       num::FloorTo(a.u_f, 1000, c)};
    if (c.faulted()) return shown;
    shown.feed = feed;
    if (!source.knowsEfficiency()) {
        shown.efficiencyUnknown = true;
        return shown;
    }

    ShownAntenna::Efficiency eta{num::FloorTo(a.eta_f, 1000, c), num::FloorTo(a.eta_tot, 1000, c)};
    if (decibels) {
        eta.eta_f = num::FloorTo(10 * num::log10(a.eta_f / 100, c), 10, c);
        eta.eta_tot = num::FloorTo(10 * num::log10(a.eta_tot / 100, c), 10, c);
    }
    if (c.faulted()) return shown;
    shown.efficiency = eta;
    return shown;
}
