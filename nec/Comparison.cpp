#include "nec/Comparison.h"

#include <cmath>

#include "core/Checked.h"
#include "core/NumberFormat.h"
#include "nec/Deck.h"

namespace {

constexpr int kCsvDigits = 10;
constexpr const char* kCsvHeader =
    "f_MHz,R_model_Ohm,X_model_Ohm,R_nec_Ohm,X_nec_Ohm,dR_pct,dX_pct\r\n";

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

std::string Signed_pct(double pct) {
    const std::string text = Decimals(pct, 1);
    return (text.front() == '-' ? text : "+" + text) + " %";
}

// "R_f 9.10 Ohm (model 9.70, +6.6 %)"
std::string Quantity(const char* name, double nec, const std::optional<double>& model,
                     const std::optional<double>& pct, int decimals) {
    std::string text = std::string(name) + " " + Decimals(nec, decimals) + " Ohm";
    if (!model) return text;
    text += " (model " + Decimals(*model, decimals);
    if (pct) text += ", " + Signed_pct(*pct);
    return text + ")";
}

}  // namespace

std::optional<Impedance> NecFeedPoint(Impedance base, const AntennaInput& in) {
    Checked c;
    const Impedance antenna = ApplyBaseElements(base, in, c);
    const Impedance feed{c.Finite(in.aeloss_Ohm + antenna.r), antenna.x};
    if (c.faulted()) return std::nullopt;
    return feed;
}

NecComparisonRow CompareWithModel(const NecPoint& point, AntennaInput in) {
    in.frequency_MHz = point.frequency_MHz;
    NecComparisonRow row;
    row.frequency_MHz = point.frequency_MHz;
    if (const std::optional<AntennaResult> model = FeedPointImpedance(in)) {
        row.model = Impedance{model->r_f, model->x_f};
    }
    row.nec = NecFeedPoint(point.base, in);
    if (row.model && row.nec) {
        row.dr_pct = Deviation_pct(row.model->r, row.nec->r);
        row.dx_pct = Deviation_pct(row.model->x, row.nec->x);
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
        csv += SignificantText(row.frequency_MHz, kCsvDigits) + "," + CsvPair(row.model) + "," +
               CsvPair(row.nec) + "," + CsvField(row.dr_pct) + "," + CsvField(row.dx_pct) + "\r\n";
    }
    return csv;
}

std::string ComparisonStatusLine(const NecComparisonRow& row) {
    const std::string at = "NEC-2 at " + ShortestText(row.frequency_MHz) + " MHz: ";
    if (!row.nec) return at + "no feed-point impedance";
    const std::optional<double> model_r = row.model ? std::optional(row.model->r) : std::nullopt;
    const std::optional<double> model_x = row.model ? std::optional(row.model->x) : std::nullopt;
    std::string text = at + Quantity("R_f", row.nec->r, model_r, row.dr_pct, 2) + ", " +
                       Quantity("X_f", row.nec->x, model_x, row.dx_pct, 1);
    if (!row.model) text += " (the model has no value here)";
    return text;
}
