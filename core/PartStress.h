#pragma once

#include <optional>

#include "core/Impedance.h"
#include "core/Matching.h"

// What the parts of a matching network must stand at the transmitter's power.
//
// Ptx is the power the transmitter delivers into the network's input. The parts are taken
// as lossless, so the same power reaches the antenna. The input current comes from Ptx and
// the real part of the input impedance of the network as built from its element values,
// not from an assumed 50 Ohm: a network that matches only nearly (the differential
// capacitor turns in 1 pF steps) is sized for what it really does.
struct PartStress {
    double vc_kVpk = 0;   // peak voltage across C_m
    double vc2_kVpk = 0;  // peak voltage across C'_m; 0 for the two-element networks
    double il_A = 0;      // RMS current through L_m
    double vl_kVpk = 0;   // peak voltage across L_m
};

// The stress of the network set to `values`, terminated in the antenna `load` (R_f + jX_f)
// at f_Hz and ptx_W. Nothing for a network without solution, and nothing when the
// calculation faults (an input that takes no power, a negative power).
std::optional<PartStress> NetworkStress(Network network, const MatchValues& values,
                                        const MatchLimits& limits, Impedance load, double f_Hz,
                                        double ptx_W);
