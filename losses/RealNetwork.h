#pragma once

#include <optional>

#include "core/Antenna.h"
#include "core/Impedance.h"
#include "core/Matching.h"
#include "losses/LossQ.h"

// A matching network built from real parts and solved exactly: what the transmitter sees,
// and where the power goes that it delivers into the network's input.
struct NetworkPowers {
    Impedance input;         // what the transmitter sees, Ohm
    double swr = 0;          // of `input` against 50 Ohm
    double p_antenna_W = 0;  // into the antenna's feed point
    double ploss_L_W = 0;
    double ploss_C_W = 0;
    double ploss_C2_W = 0;   // 0 for the two-element networks
    double eta_net_pct = 0;  // p_antenna_W of the power in

    double partLoss_W() const { return ploss_L_W + ploss_C_W + ploss_C2_W; }
};

// The network set to `values`, its inductor of Q q.inductor and its capacitors of Q
// q.capacitor, into `load` at f_Hz with ptx_W into its input. Nothing when a step faults,
// for an input that takes no power, and for a Q or a power that is not a number above 0.
std::optional<NetworkPowers> RealNetworkPowers(Network network, const MatchValues& values,
                                               Impedance load, double f_Hz, double ptx_W,
                                               const LossQ& q);

struct RealNetworkResult : NetworkPowers {
    // What the antenna radiates of p_antenna_W, and of the power in; none where the
    // antenna's source cannot tell radiation from loss.
    std::optional<double> p_radiated_W;
    std::optional<double> eta_sys_pct;
};

// The network as its box shows it (`values`, lossless and for the antenna without the coil's
// loss) built from real parts and loaded with `antenna`, the antenna with its coil's loss,
// at the frequency and power of `in`. Nothing for a network without solution.
std::optional<RealNetworkResult> RealNetwork(Network network, const MatchValues& values,
                                             const MatchLimits& limits,
                                             const AntennaResult& antenna, const AntennaInput& in,
                                             const LossQ& q);
