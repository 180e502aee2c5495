#include "analysis/core/ReportText.h"

#include "analysis/core/MatchedBandwidth.h"
#include "core/NumberFormat.h"
#include "core/PartStress.h"
#include "exports/Networks.h"
#include "losses/LossText.h"

namespace {

std::string Value(double value) {
    return SignificantText(value, 6);
}

std::string Result(double value) {
    return SignificantText(value, 4);
}

const char* VerdictWords(MatchVerdict verdict) {
    switch (verdict) {
        case MatchVerdict::InsideLimits:
            return "inside the limits";
        case MatchVerdict::OutsideLimits:
            return "outside the limits";
        case MatchVerdict::NoSolution:
            break;
    }
    return "no solution";
}

// A band as one table cell: "7.0812 - 7.1193", an open end as "..", none as "-".
std::string BandCell(const BandEdges& edges, const MatchedBandwidth& b) {
    if (!b.swrAtSet) return "-";
    if (edges.aboveAtSet) return "above at f";
    auto end = [](const std::optional<double>& f) { return f ? FixedText(*f, 4) : ".."; };
    return end(edges.low_MHz) + " - " + end(edges.high_MHz);
}

std::string StressCell(Network network, const std::optional<PartStress>& stress) {
    if (!stress) return "-";
    std::string text = "C " + SignificantText(stress->vc_kVpk, 3) + " kV";
    if (HasSecondCapacitor(network)) text += ", C' " + SignificantText(stress->vc2_kVpk, 3) + " kV";
    return text + ", L " + SignificantText(stress->il_A, 3) + " A";
}

std::vector<std::string> NetworkRow(const AnalysisSetup& setup, const AntennaResult& a,
                                    Network network) {
    const AntennaInput& in = setup.input;
    const double f_Hz = in.frequency_MHz * 1e6;
    const MatchValues v = Match(network, a.r_f, a.x_f, f_Hz, setup.limits);
    const MatchVerdict verdict = Judge(network, v, setup.limits);
    const bool solved = verdict != MatchVerdict::NoSolution;
    const MatchedBandwidth b = FindMatchedBandwidth(setup, network);
    return {NetworkName(network),
            solved ? Result(v.c_pF) : "",
            solved && HasSecondCapacitor(network) ? Result(v.c2_pF) : "",
            solved ? Result(v.l_uH) : "",
            VerdictWords(verdict),
            StressCell(network,
                       NetworkStress(network, v, setup.limits, {a.r_f, a.x_f}, f_Hz, in.ptx_W)),
            BandCell(b.swr2, b),
            BandCell(b.swr1_5, b)};
}

}  // namespace

std::string SourceText(const AntennaSource& source) {
    switch (source.kind()) {
        case SourceKind::Model:
            return "closed-form model of the rod";
        case SourceKind::Nec2:
            return "NEC-2 (nec2c) on the rod";
        case SourceKind::Measured:
            break;
    }
    return "measured feed-point impedance";
}

ReportText MakeReportText(const AnalysisSetup& setup, const std::string& date,
                          FrequencySpan shownSpan) {
    ReportText report;
    report.title = "Orvane analysis";
    report.date = date;
    const AntennaInput& in = setup.input;
    const MatchLimits& limits = setup.limits;
    report.source = setup.source ? SourceText(*setup.source) : "none";
    report.inputs = {
        {"Length", Value(in.length_m), "m"},   {"Diameter", Value(in.diameter_mm), "mm"},
        {"f", Value(in.frequency_MHz), "MHz"}, {"Lcoil", Value(in.lcoil_uH), "\u00b5H"},
        {"Cfoot", Value(in.cfoot_pF), "pF"},   {"AEloss", Value(in.aeloss_Ohm), "Ohm"},
        {"Ptx", Value(in.ptx_W), "W"},         {"Cmin", Value(limits.cmin_pF), "pF"},
        {"Cmax", Value(limits.cmax_pF), "pF"}, {"Lmax", Value(limits.lmax_uH), "\u00b5H"},
        {"Mloss", Value(in.mloss_Ohm), "Ohm"},
    };

    const std::optional<AntennaResult> a =
        setup.source ? setup.source->FeedPoint(in) : std::nullopt;
    if (a) {
        report.antenna = {{"R_f", Result(a->r_f), "Ohm"},
                          {"X_f", Result(a->x_f), "Ohm"},
                          {"Z_f", Result(a->z_f), "Ohm"},
                          {"SWR_f", Result(a->swr_f), ""},
                          {"U_f", Result(a->u_f), "V"}};
        if (setup.source->knowsEfficiency()) {
            report.antenna.push_back({"eta_f", Result(a->eta_f), "%"});
            report.antenna.push_back({"eta_tot", Result(a->eta_tot), "%"});
        }
        if (a->zlc > 0) report.antenna.push_back({"Zlc", Result(a->zlc), "Ohm"});
    } else {
        report.antennaFault = "The source has no feed point at " + Value(in.frequency_MHz) +
                              " MHz, so no network can be worked out.";
    }

    report.networks.push_back({"Network", "C_m (pF)", "C'_m (pF)", "L_m (\u00b5H)", "Verdict",
                               "Part stress at " + Value(in.ptx_W) + " W", "SWR <= 2 (MHz)",
                               "SWR <= 1.5 (MHz)"});
    for (const ExportNetwork& n : kExportNetworks) {
        report.networks.push_back(a ? NetworkRow(setup, *a, n.network)
                                    : std::vector<std::string>{NetworkName(n.network), "", "", "",
                                                               "no feed point", "-", "-", "-"});
    }
    if (a) {
        const Losses losses = LossesAt(*setup.source, in, *a, limits, setup.losses);
        if (const std::string coil = CoilLossText(losses); !coil.empty()) {
            report.realParts.push_back("Antenna with its base " + coil);
        }
        for (const ExportNetwork& n : kExportNetworks) {
            const auto& real = losses.of(n.network);
            report.realParts.push_back(
                std::string(NetworkName(n.network)) + " " +
                (real ? RealNetworkText(n.network, *real, losses.q, in.ptx_W) : "no solution"));
        }
    }
    report.selected = BandwidthText(FindMatchedBandwidth(setup, setup.network));
    report.shownSpan =
        "Pictures over " + Value(shownSpan.low_MHz) + " to " + Value(shownSpan.high_MHz) + " MHz";
    return report;
}
