#include "nec/Comparison.h"

#include <cmath>

#include "core/Checked.h"
#include "core/NumberFormat.h"
#include "nec/Deck.h"

namespace {

constexpr int kCsvDigits = 10;
constexpr const char* kCsvHeader =
    "f_MHz,R_model_Ohm,X_model_Ohm,R_nec_Ohm,X_nec_Ohm,dR_pct,dX_pct,Rrod_model_Ohm,"
    "Rrod_nec_Ohm,eta_f_model_pct,eta_f_nec_pct\r\n";

std::optional<double> Deviation_pct(double model, double nec) {
    Checked c;
    const double pct = c.Div(c.Finite(100 * c.Finite(model - nec)), nec);
    if (c.faulted()) return std::nullopt;
    return pct;
}

std::string CsvField(const std::optional<double>& value) {
    return value ? SignificantText(*value, kCsvDigits) : std::string();
}

std::string CsvPair(const std::optional<Impedance>& z) {
    if (!z) return ",";
    return SignificantText(z->r, kCsvDigits) + "," + SignificantText(z->x, kCsvDigits);
}

// Rounded to the decimals, without the sign of a value that rounds to zero.
std::string Decimals(double value, int decimals) {
    std::string text = FixedText(value, decimals);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string Signed_pct(double pct, int decimals) {
    const std::string text = Decimals(pct, decimals);
    return (text.front() == '-' ? text : "+" + text) + " %";
}

// "rod R 1.43 Ohm (model 2.18, +52 %)"
std::string Quantity(const char* name, double nec, const std::optional<double>& model,
                     const std::optional<double>& pct, int decimals, int pctDecimals) {
    std::string text = std::string(name) + " " + Decimals(nec, decimals) + " Ohm";
    if (!model) return text;
    text += " (model " + Decimals(*model, decimals);
    if (pct) text += ", " + Signed_pct(*pct, pctDecimals);
    return text + ")";
}

// NEC-2's rod through the model's base elements: the impedance at the antenna's terminals
// and, with AEloss, at the feed point.
struct NecChain {
    Impedance antenna;
    Impedance feed;
};

std::optional<NecChain> ThroughBaseElements(Impedance base, const AntennaInput& in) {
    Checked c;
    NecChain chain;
    chain.antenna = ApplyBaseElements(base, in, c);
    chain.feed = {c.Finite(in.aeloss_Ohm + chain.antenna.r), chain.antenna.x};
    if (c.faulted()) return std::nullopt;
    return chain;
}

}  // namespace

std::optional<Impedance> NecFeedPoint(Impedance base, const AntennaInput& in) {
    const std::optional<NecChain> chain = ThroughBaseElements(base, in);
    if (!chain) return std::nullopt;
    return chain->feed;
}

std::optional<double> NecRadiationEfficiency(Impedance base, const AntennaInput& in) {
    const std::optional<NecChain> chain = ThroughBaseElements(base, in);
    if (!chain) return std::nullopt;
    Checked c;
    const double eta = c.Div(c.Finite(100 * chain->antenna.r), chain->feed.r);
    if (c.faulted()) return std::nullopt;
    return eta;
}

NecComparisonRow CompareWithModel(const NecPoint& point, AntennaInput in) {
    in.frequency_MHz = point.frequency_MHz;
    NecComparisonRow row;
    row.frequency_MHz = point.frequency_MHz;
    if (const std::optional<AntennaResult> model = FeedPointImpedance(in)) {
        row.model = Impedance{model->r_f, model->x_f};
        row.modelRod = model->rod;
        row.etaModel_pct = model->eta_f;
    }
    row.nec = NecFeedPoint(point.base, in);
    row.necRod = point.base;
    row.etaNec_pct = NecRadiationEfficiency(point.base, in);
    if (row.model && row.nec) {
        row.dr_pct = Deviation_pct(row.model->r, row.nec->r);
        row.dx_pct = Deviation_pct(row.model->x, row.nec->x);
    }
    if (row.modelRod) {
        row.drRod_pct = Deviation_pct(row.modelRod->r, row.necRod.r);
        row.dxRod_pct = Deviation_pct(row.modelRod->x, row.necRod.x);
    }
    return row;
}

std::vector<NecComparisonRow> CompareWithModel(std::span<const NecPoint> points,
                                               const AntennaInput& in) {
    std::vector<NecComparisonRow> rows;
    rows.reserve(points.size());
    for (const NecPoint& point : points) rows.push_back(CompareWithModel(point, in));
    return rows;
}

const NecPoint* NearestNecPoint(std::span<const NecPoint> points, double frequency_MHz) {
    const double half_step = 0.5 / kNecFrequenciesPerMHz;
    const NecPoint* nearest = nullptr;
    double distance = half_step * (1 + 1e-9);
    for (const NecPoint& point : points) {
        const double d = std::abs(point.frequency_MHz - frequency_MHz);
        if (d <= distance) {
            nearest = &point;
            distance = d;
        }
    }
    return nearest;
}

std::string ComparisonCsv(std::span<const NecComparisonRow> rows) {
    std::string csv = kCsvHeader;
    for (const NecComparisonRow& row : rows) {
        const std::optional<double> modelRod_r =
            row.modelRod ? std::optional(row.modelRod->r) : std::nullopt;
        csv += SignificantText(row.frequency_MHz, kCsvDigits) + "," + CsvPair(row.model) + "," +
               CsvPair(row.nec) + "," + CsvField(row.dr_pct) + "," + CsvField(row.dx_pct) + "," +
               CsvField(modelRod_r) + "," + SignificantText(row.necRod.r, kCsvDigits) + "," +
               CsvField(row.etaModel_pct) + "," + CsvField(row.etaNec_pct) + "\r\n";
    }
    return csv;
}

// The rod's own values, where the two models part: with the base elements and AEloss added
// to both, a large error of the rod's resistance shows as a small one of R_f.
std::string ComparisonStatusLine(const NecComparisonRow& row) {
    const std::string at = "NEC-2 at " + ShortestText(row.frequency_MHz) + " MHz: ";
    const std::optional<Impedance>& model = row.modelRod;
    const std::optional<double> model_r = model ? std::optional(model->r) : std::nullopt;
    const std::optional<double> model_x = model ? std::optional(model->x) : std::nullopt;
    // The resistances part by tens of percent, the reactances by a few.
    std::string text = at + Quantity("rod R", row.necRod.r, model_r, row.drRod_pct, 2, 0) + ", " +
                       Quantity("X", row.necRod.x, model_x, row.dxRod_pct, 1, 1);
    if (row.etaNec_pct) {
        text += ", eta_f " + Decimals(*row.etaNec_pct, 1) + " %";
        if (row.etaModel_pct) text += " (model " + Decimals(*row.etaModel_pct, 1) + " %)";
    }
    if (!model) text += " (the model has no value here)";
    return text;
}
