#include "exports/ResultsTable.h"

#include <optional>

#include "core/PartStress.h"
#include "exports/CsvText.h"
#include "exports/Networks.h"

namespace {

void Row(std::string& text, const char* quantity, std::optional<double> value, const char* unit) {
    text += quantity;
    text += '\t';
    if (value) text += ExportNumber(*value);
    text += '\t';
    text += unit;
    text += '\n';
}

void Cells(std::string& text, std::initializer_list<std::optional<double>> values) {
    for (const std::optional<double>& value : values) {
        text += '\t';
        if (value) text += ExportNumber(*value);
    }
}

}  // namespace

std::string ResultsTable(const AntennaSource& source, const AntennaInput& in,
                         const MatchLimits& limits) {
    std::string text = "Quantity\tValue\tUnit\n";
    Row(text, "Length", in.length_m, "m");
    Row(text, "Diameter", in.diameter_mm, "mm");
    Row(text, "f", in.frequency_MHz, "MHz");
    Row(text, "Lcoil", in.lcoil_uH, "\u00b5H");
    Row(text, "Cfoot", in.cfoot_pF, "pF");
    Row(text, "AEloss", in.aeloss_Ohm, "Ohm");
    Row(text, "Ptx", in.ptx_W, "W");
    Row(text, "Cmin", limits.cmin_pF, "pF");
    Row(text, "Cmax", limits.cmax_pF, "pF");
    Row(text, "Lmax", limits.lmax_uH, "\u00b5H");
    Row(text, "Mloss", in.mloss_Ohm, "Ohm");

    const std::optional<AntennaResult> a = source.FeedPoint(in);
    auto result = [&a](double AntennaResult::*member) {
        return a ? std::optional<double>(*a.*member) : std::nullopt;
    };
    // Only the model derives the rod's line values on the way to the feed point.
    const std::optional<RodLine> rod = RodCharacteristic(in.length_m, in.diameter_mm);
    const bool model = source.kind() == SourceKind::Model;
    Row(text, "Zlc",
        model ? result(&AntennaResult::zlc)
        : rod ? std::optional(rod->zlc)
              : std::nullopt,
        "Ohm");
    Row(text, "l'/D",
        model ? result(&AntennaResult::slenderness)
        : rod ? std::optional(rod->slenderness)
              : std::nullopt,
        "");
    Row(text, "R_f", result(&AntennaResult::r_f), "Ohm");
    Row(text, "X_f", result(&AntennaResult::x_f), "Ohm");
    Row(text, "Z_f", result(&AntennaResult::z_f), "Ohm");
    Row(text, "SWR_f", result(&AntennaResult::swr_f), "");
    Row(text, "U_f", result(&AntennaResult::u_f), "V");
    const bool efficiency = source.knowsEfficiency();
    Row(text, "eta_f", efficiency ? result(&AntennaResult::eta_f) : std::nullopt, "%");
    Row(text, "eta_tot", efficiency ? result(&AntennaResult::eta_tot) : std::nullopt, "%");

    text +=
        "\nNetwork\tC_m (pF)\tC'_m (pF)\tL_m (\u00b5H)\tVerdict\tU_C (kV peak)\t"
        "U_C' (kV peak)\tI_L (A)\n";
    const double f_Hz = in.frequency_MHz * 1e6;
    for (const ExportNetwork& n : kExportNetworks) {
        text += NetworkName(n.network);
        const bool two = HasSecondCapacitor(n.network);
        if (!a) {
            text +=
                std::string("\t\t\t\t") + NoAntennaVerdict(source, in.frequency_MHz) + "\t\t\t\n";
            continue;
        }
        const MatchValues v = Match(n.network, a->r_f, a->x_f, f_Hz, limits);
        const MatchVerdict verdict = Judge(n.network, v, limits);
        const std::optional<PartStress> stress =
            NetworkStress(n.network, v, limits, {a->r_f, a->x_f}, f_Hz, in.ptx_W);
        const bool solved = verdict != MatchVerdict::NoSolution;
        auto value = [](bool shown, double number) {
            return shown ? std::optional<double>(number) : std::nullopt;
        };
        Cells(text, {value(solved, v.c_pF), value(solved && two, v.c2_pF), value(solved, v.l_uH)});
        text += '\t';
        text += VerdictText(verdict);
        Cells(text, {value(stress.has_value(), stress ? stress->vc_kVpk : 0),
                     value(stress && two, stress ? stress->vc2_kVpk : 0),
                     value(stress.has_value(), stress ? stress->il_A : 0)});
        text += '\n';
    }
    return text;
}
