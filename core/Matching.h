#pragma once

// The six matching networks from the antenna's feed point to the 50 Ohm transmitter.

enum class Network { HpCl, HpLc, HpClc, LpCl, LpLc, LpClc };

struct MatchLimits {
    double cmin_pF = 25;
    double cmax_pF = 250;
    double lmax_uH = 35;
};

// Result places, 0 until a routine writes them. A fault ends the routine and leaves the
// places as far as they were written, so a network without solution shows zeros there.
struct MatchValues {
    double c_pF = 0;   // C_m
    double l_uH = 0;   // L_m
    double c2_pF = 0;  // C'_m of the three-element networks
};

MatchValues MatchHpCl(double r, double x, double f_Hz);
MatchValues MatchHpLc(double r, double x, double f_Hz);
MatchValues MatchHpClc(double r, double x, double f_Hz, const MatchLimits& limits);
MatchValues MatchLpCl(double r, double x, double f_Hz);
MatchValues MatchLpLc(double r, double x, double f_Hz);
MatchValues MatchLpClc(double r, double x, double f_Hz, const MatchLimits& limits);

MatchValues Match(Network network, double r, double x, double f_Hz, const MatchLimits& limits);

enum class MatchVerdict { NoSolution, OutsideLimits, InsideLimits };

// Whether the values are a solution, and whether it can be built within the limits.
MatchVerdict Judge(Network network, const MatchValues& values, const MatchLimits& limits);

bool HasSecondCapacitor(Network network);

// The network's short name, as its box and the files name it ("HP-CL").
const char* NetworkName(Network network);
