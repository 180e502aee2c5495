#pragma once

// The six networks rebuilt here from their parts with plain complex arithmetic, walked from
// the load towards the transmitter: what each part carries and what the transmitter sees.

#include <complex>
#include <functional>
#include <map>
#include <vector>

#include "core/Matching.h"

namespace ladder {

using Complex = std::complex<double>;

enum class Part { C, L, C2 };
struct Element {
    bool series;
    Part part;
};

// Each network's parts from the antenna towards the transmitter.
inline std::vector<Element> Layout(Network network) {
    using enum Part;
    const std::map<Network, std::vector<Element>> layouts = {
        {Network::HpCl, {{false, L}, {true, C}}},
        {Network::HpLc, {{true, C}, {false, L}}},
        {Network::HpClc, {{true, C2}, {false, L}, {true, C}}},
        {Network::LpCl, {{true, L}, {false, C}}},
        {Network::LpLc, {{false, C}, {true, L}}},
        {Network::LpClc, {{false, C2}, {true, L}, {false, C}}}};
    return layouts.at(network);
}

struct Carried {
    Complex across, through;
    double power() const { return (across * std::conj(through)).real(); }
};

struct Walked {
    Complex voltage, current;  // at the input
    std::map<Part, Carried> parts;
    Complex input() const { return voltage / current; }
    double power() const { return (voltage * std::conj(current)).real(); }
};

// The load driven by `current`; each part's impedance, its loss in the real part, from z.
inline Walked Walk(Network network, const std::function<Complex(Part)>& z, Complex load,
                   Complex current) {
    Walked w{current * load, current, {}};
    for (const auto& [series, part] : Layout(network)) {
        const Complex element = z(part);
        const Complex through = series ? w.current : w.voltage / element;
        w.parts[part] = {through * element, through};
        if (series) {
            w.voltage += through * element;
        } else {
            w.current += through;
        }
    }
    return w;
}

// Lossless parts of these values at angular frequency omega.
inline std::function<Complex(Part)> Lossless(const MatchValues& v, double omega) {
    return [v, omega](Part part) {
        if (part == Part::L) return Complex(0, omega * v.l_uH * 1e-6);
        return Complex(0, -1 / (omega * (part == Part::C ? v.c_pF : v.c2_pF) * 1e-12));
    };
}

}  // namespace ladder
