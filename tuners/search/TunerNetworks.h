#pragma once

#include "core/Checked.h"
#include "core/Impedance.h"

// The three tuners' L networks between the antenna and the 50 Ohm transmitter, worked out
// step by step so that a fault stops at the step where it happens.

struct TunerLoad {
    double f_Hz = 0;
    Impedance antenna;
};

// Impedance the transmitter sees through the network set to c_pF and l_uH.
using NetworkFormula = Impedance (*)(const TunerLoad& load, double c_pF, double l_uH, Checked& c);

// Shunt L at the antenna, series C towards the transmitter.
Impedance HpClInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c);
// Series L at the antenna, shunt C at the transmitter side.
Impedance LpClInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c);
// Shunt C at the antenna, series L towards the transmitter.
Impedance LpLcInput(const TunerLoad& load, double c_pF, double l_uH, Checked& c);

// SWR of an impedance against 50 Ohm. The reflection is pulled just below 1, so a total
// mismatch gives a huge but finite SWR instead of a division by zero.
double SwrAgainst50(const Impedance& z, Checked& c);

// The steps the formulas are made of, for the search over every setting, which takes the
// parts that depend on one bank only out of its inner loop.
namespace network_steps {

double Omega(const TunerLoad& load, Checked& c);
// 1 / (r + jx): impedance to admittance (G, B) and back (R, X) is the same step.
Impedance Invert(const Impedance& z, Checked& c);
double InductiveReactance(double w, double l_uH, Checked& c);
double CapacitiveSusceptance(double w, double c_pF, Checked& c);

}  // namespace network_steps
