#pragma once

#include <array>
#include <optional>
#include <span>

#include "core/Checked.h"
#include "core/Impedance.h"
#include "core/Matching.h"

// A matching network as built: a ladder of parts from the transmitter towards the antenna,
// each in series or across the line, worked out in checked complex arithmetic.

namespace checked {

struct Complex {
    double re = 0;
    double im = 0;
};

Complex Add(Complex a, Complex b, Checked& c);
Complex Mul(Complex a, Complex b, Checked& c);
Complex Div(Complex a, Complex b, Checked& c);
double Abs(Complex a, Checked& c);
Complex Parallel(Complex a, Complex b, Checked& c);

}  // namespace checked

enum class LadderPart { C, C2, L };

struct LadderElement {
    LadderPart part;
    bool shunt;
};

// The network's parts from the transmitter towards the antenna.
std::span<const LadderElement> Ladder(Network network);

// A lossless part's impedance at angular frequency omega.
checked::Complex ElementImpedance(LadderPart part, const MatchValues& values, double omega,
                                  Checked& c);

// Each part's impedance and the impedance looking from it towards the antenna, the antenna
// itself last, at angular frequency omega.
struct LadderImpedances {
    std::array<checked::Complex, 3> element{};
    std::array<checked::Complex, 4> towardsAntenna{};
};
LadderImpedances WorkOutLadder(Network network, const MatchValues& values, Impedance load,
                               double omega, Checked& c);
// The same from the parts' impedances in ladder order, parts with loss, say.
LadderImpedances WorkOutLadder(Network network, const std::array<checked::Complex, 3>& element,
                               Impedance load, Checked& c);

// The current through each part and into the antenna for the current `input` into the
// network; the input voltage follows from the input impedance.
struct LadderCurrents {
    std::array<checked::Complex, 3> through{};
    checked::Complex loadCurrent;
};
LadderCurrents WalkLadder(Network network, const LadderImpedances& z, checked::Complex input,
                          Checked& c);

// The impedance the transmitter sees through the network set to `values` and terminated in
// `load` at f_Hz; nothing when a step faults (a part of 0 pF, say).
std::optional<Impedance> NetworkInputImpedance(Network network, const MatchValues& values,
                                               Impedance load, double f_Hz);
