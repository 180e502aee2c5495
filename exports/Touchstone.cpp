#include "exports/Touchstone.h"

#include <optional>

#include "antenna/SourceText.h"
#include "core/Checked.h"
#include "core/SweepFrequencies.h"
#include "exports/CsvText.h"

namespace {

constexpr double kReference_Ohm = 50;

struct Reflection {
    double re = 0;
    double im = 0;
};

// (Z - 50) / (Z + 50), worked out in real arithmetic.
std::optional<Reflection> S11(double r, double x) {
    Checked c;
    const double d = c.Finite(c.Pow2(r + kReference_Ohm) + c.Pow2(x));
    const double re =
        c.Div(c.Finite(c.Finite(c.Finite(r * r) - kReference_Ohm * kReference_Ohm) + c.Pow2(x)), d);
    const double im = c.Div(c.Finite(2 * kReference_Ohm * x), d);
    if (c.faulted()) return std::nullopt;
    return Reflection{re, im};
}

}  // namespace

std::string TouchstoneText(const AntennaSource& source, const AntennaInput& antenna,
                           std::string_view version) {
    std::string data;
    int leftOut = 0;
    AntennaInput in = antenna;
    for (const double f : SweepFrequencies(SweepGrid::Curves)) {
        in.frequency_MHz = f;
        const std::optional<AntennaResult> a = source.FeedPoint(in);
        const std::optional<Reflection> s = a ? S11(a->r_f, a->x_f) : std::nullopt;
        if (!s) {
            ++leftOut;
            continue;
        }
        data += ExportNumber(f) + ' ' + ExportNumber(s->re) + ' ' + ExportNumber(s->im) + "\r\n";
    }

    std::string text = "! Orvane ";
    text += version;
    text += ": feed-point impedance of the antenna rod\r\n";
    text += "! rod length " + ExportNumber(antenna.length_m) + " m, diameter " +
            ExportNumber(antenna.diameter_mm) + " mm, base capacitance " +
            ExportNumber(antenna.cfoot_pF) + " pF, base coil " + ExportNumber(antenna.lcoil_uH) +
            " uH, antenna and earth loss " + ExportNumber(antenna.aeloss_Ohm) + " Ohm\r\n";
    const bool model = source.kind() == SourceKind::Model;
    if (!model) text += "!" + SourceCommentLine(source).substr(1) + "\r\n";
    text += "! " + std::to_string(leftOut) + " frequencies left out where the " +
            (model ? "model faults" : "antenna has no value") + "\r\n";
    text += "# MHz S RI R 50\r\n";
    return text + data;
}
