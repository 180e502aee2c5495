#pragma once

#include <limits>
#include <optional>

#include "core/Checked.h"
#include "core/Impedance.h"

// Operation codes of ApplyElement.
enum ElementCode : int {
    kParallelCapacitor = 12,  // value in F
    kSeriesInductor = 21,     // value in H
};

// Adds one element to an impedance at frequency f_Hz; faults on a zero impedance or
// admittance that must be inverted, and on overflow.
Impedance ApplyElement(Impedance in, int code, double value, double f_Hz, Checked& c);

// The quality factor Q of a part that has no loss at all.
inline constexpr double kIdealQ = std::numeric_limits<double>::infinity();

struct AntennaInput {
    double length_m = 4.5;
    double diameter_mm = 5;
    double frequency_MHz = 7.1;
    double cfoot_pF = 10;
    double lcoil_uH = 0;  // 0 or less: no coil
    double aeloss_Ohm = 5;
    double ptx_W = 100;
    double mloss_Ohm = 5;
    // Q of the base coil: its loss resistance omega * L / Q lies in series with it.
    double coil_q = kIdealQ;
};

// Characteristic impedance of the rod and its corrected slenderness l'/D.
struct RodLine {
    double zlc = 0;
    double slenderness = 0;
};

struct AntennaResult {
    double zlc = 0;
    double slenderness = 0;
    double wavelength = 0;
    double electrical_length = 0;
    Impedance rod{};  // the rod alone, before the base elements and AEloss
    double r_ant = 0;
    double x_ant = 0;
    double r_f = 0;
    double x_f = 0;
    double z_f = 0;
    double swr_f = 0;
    double u_f = 0;
    double eta_f = 0;    // %
    double eta_tot = 0;  // %
};

// The base coil (when above 0) with its loss in series, then the base capacitance across rod
// and coil, at the input's frequency: the rod's impedance at the antenna's terminals,
// without AEloss.
Impedance ApplyBaseElements(Impedance rod, const AntennaInput& in, Checked& c);

// Whether the input's base coil has a loss: there is a coil and its Q is not ideal.
bool HasCoilLoss(const AntennaInput& in);
// The base coil's loss resistance omega * Lcoil / Q_coil in Ohm.
double CoilLossResistance(const AntennaInput& in, Checked& c);

// Standing-wave ratio of a feed-point impedance against the 50 Ohm transmitter:
// just below 1 when matched, at most 11000.
double StandingWaveRatio(Impedance z, Checked& c);

// Steps 1 to 3 of the model alone: fails for a length or diameter of 0.
std::optional<RodLine> RodCharacteristic(double length_m, double diameter_mm);

// The whole feed-point model at one frequency; no result when any step faults.
std::optional<AntennaResult> FeedPointImpedance(const AntennaInput& in);

// The same chain from a rod impedance found elsewhere (NEC-2, a measurement) on: the base
// elements, AEloss, SWR, U_f and the efficiencies at the input's frequency. The rod's own
// values (Zlc, l'/D, wavelength, electrical length) stay 0.
std::optional<AntennaResult> FeedPointOfRod(Impedance rod, const AntennaInput& in);
