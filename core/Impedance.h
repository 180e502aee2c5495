#pragma once

// R + jX in Ohm; the same pair also carries an admittance G + jB in S.
struct Impedance {
    double r = 0;
    double x = 0;
};
