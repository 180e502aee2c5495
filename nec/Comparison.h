#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Antenna.h"
#include "nec/Report.h"

// One frequency of the comparison of the model's feed point with NEC-2's.
struct NecComparisonRow {
    double frequency_MHz = 0;
    std::optional<Impedance> model;  // R_f, X_f; empty where the model faults
    std::optional<Impedance> nec;    // empty where adding the base elements faults
    // How far the model lies from NEC-2, in % of NEC-2's value; empty where that is 0.
    std::optional<double> dr_pct;
    std::optional<double> dx_pct;
    // The rod alone, before the base elements and AEloss, where the two models differ: over
    // perfect ground all of NEC-2's rod resistance is radiation.
    std::optional<Impedance> modelRod;
    Impedance necRod;
    std::optional<double> drRod_pct;
    std::optional<double> dxRod_pct;
    // Radiation efficiency eta_f in %: the model's, and NEC-2's rod taken through the model's
    // base elements and AEloss.
    std::optional<double> etaModel_pct;
    std::optional<double> etaNec_pct;
};

// NEC-2's base impedance with the base coil, the base capacitance and AEloss added exactly
// as the model adds them to its rod, at the input's frequency.
std::optional<Impedance> NecFeedPoint(Impedance base, const AntennaInput& in);
// eta_f as the model forms it, 100 R_ant / R_f, from NEC-2's base impedance.
std::optional<double> NecRadiationEfficiency(Impedance base, const AntennaInput& in);

// The comparison at NEC-2's frequencies; the input's own frequency is not used.
NecComparisonRow CompareWithModel(const NecPoint& point, AntennaInput in);
std::vector<NecComparisonRow> CompareWithModel(std::span<const NecPoint> points,
                                               const AntennaInput& in);

// The NEC-2 point nearest to the frequency; none farther than half a step of the sweep.
const NecPoint* NearestNecPoint(std::span<const NecPoint> points, double frequency_MHz);

// A header line and one line per row, numbers to 10 significant digits, each line ended
// by CR LF; empty fields where a row has no value.
std::string ComparisonCsv(std::span<const NecComparisonRow> rows);

// "NEC-2 at 7.1 MHz: rod R 1.43 Ohm (model 2.18, +52 %), X -1234.5 Ohm (model -1198.7,
// -2.9 %), eta_f 13.2 % (model 18.7 %)"
std::string ComparisonStatusLine(const NecComparisonRow& row);
