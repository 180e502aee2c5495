#pragma once

#include <string>

#include "core/Matching.h"
#include "losses/Losses.h"

// The losses in words, as the status line, the network boxes and the tuners show them.

// "Q 150/1000": the Qs of the inductors and the capacitors.
std::string PartQText(const LossQ& q);

// "with Q 150/1000: network 91.2 %, L 8.1 W, C 0.7 W; SWR 1.04; radiated 8.3 W of 100 W"
std::string RealNetworkText(Network network, const RealNetworkResult& real, const LossQ& q,
                            double ptx_W);

// "coil Q 200: R_f 15.3 Ohm, X_f 465.0 Ohm, eta_f 9.4 %", eta_f where it is known; empty
// where the coil's loss does not apply.
std::string CoilLossText(const Losses& losses);

// The status line's note on `network`: the antenna with its coil's loss where that applies,
// then the network built from real parts; empty where neither is known.
std::string LossNote(Network network, const Losses& losses);

// A tuner's setting in one line:
// "Q 150/1000 at 100 W: network 91.2 %, lost L 8.1 W, C 0.7 W".
std::string TunerLossText(const NetworkPowers& powers, const LossQ& q, double ptx_W);
