// Uses the core as a library: the default rod at 7.1 MHz.
#include <cstdio>

#include "core/Antenna.h"
#include "core/Version.h"

int main() {
    const auto antenna = FeedPointImpedance(AntennaInput{});
    if (!antenna) return 1;
    std::printf("Orvane %s core: R_f %.3f Ohm, X_f %.3f Ohm\n", kOrvaneVersion, antenna->r_f,
                antenna->x_f);
    return 0;
}
