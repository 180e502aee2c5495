#pragma once

// Banks of three elements each and antennas that one of their settings matches exactly,
// for the tests of the search strategies.

#include <complex>
#include <string>

#include "core/Numeric.h"
#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/BankSetup.h"
#include "tuners/search/TunerNetworks.h"

namespace lab_test {

inline BankSetup SmallBanks(TunerKind kind) {
    std::string refusal;
    if (kind == TunerKind::HpCl) return *SwitchedSetup({20, 40, 80}, {1, 2, 4}, refusal);
    return *SteppedSetup({"C", "", 100, 3, 700}, {"L", "", 2, 3, 14}, refusal);
}

// The antenna that the tuner's network set to c_pF and l_uH turns into exactly 50 Ohm:
// the network worked backwards from the transmitter.
inline TunerLoad MatchedBy(TunerKind kind, double f_MHz, double c_pF, double l_uH) {
    using Z = std::complex<double>;
    const double w = 2 * num::PI * f_MHz * 1e6;
    const Z xl(0, w * l_uH / 1e6), bc(0, w * c_pF / 1e12);
    Z z;
    switch (kind) {
        case TunerKind::HpCl:  // series C at the transmitter, shunt L at the antenna
            z = 1.0 / (1.0 / (50.0 - 1.0 / bc) - 1.0 / xl);
            break;
        case TunerKind::LpCl:  // shunt C at the transmitter, series L at the antenna
            z = 1.0 / (1.0 / 50.0 - bc) - xl;
            break;
        case TunerKind::LpLc:  // series L at the transmitter, shunt C at the antenna
            z = 1.0 / (1.0 / (50.0 - xl) - bc);
            break;
    }
    return {f_MHz * 1e6, {z.real(), z.imag()}};
}

// Far from anything a bank can match: no setting comes below SWR 9999.
inline const TunerLoad kUnmatchable{7.1e6, {1e-9, 1e9}};

}  // namespace lab_test
