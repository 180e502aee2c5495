#include "app/SummaryJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>
#include <optional>

#include "analysis/core/MatchedBandwidth.h"
#include "antenna/SourceText.h"
#include "core/PartStress.h"
#include "exports/Networks.h"
#include "losses/Losses.h"
#include "platform/Controls.h"
#include "platform/TextFile.h"

namespace {

QJsonValue Number(std::optional<double> value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

void AddSource(QJsonObject& summary, const AntennaSource& source) {
    summary["source"] = QString::fromStdString(SourceWord(source));
    const std::string file = SourceFile(source);
    summary["source_file"] =
        file.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QFile::decodeName(file.c_str()));
}

QJsonObject AntennaSection(const AntennaSource& source, const std::optional<AntennaResult>& a) {
    auto value = [&a](double AntennaResult::*member, bool known = true) {
        return Number(a && known ? std::optional<double>(*a.*member) : std::nullopt);
    };
    const bool efficiency = source.knowsEfficiency();
    return {{"R_f_Ohm", value(&AntennaResult::r_f)},
            {"X_f_Ohm", value(&AntennaResult::x_f)},
            {"Z_f_Ohm", value(&AntennaResult::z_f)},
            {"SWR_f", value(&AntennaResult::swr_f)},
            {"U_f_V", value(&AntennaResult::u_f)},
            {"eta_f_pct", value(&AntennaResult::eta_f, efficiency)},
            {"eta_tot_pct", value(&AntennaResult::eta_tot, efficiency)}};
}

QJsonValue Q(double q) {
    return Number(q == kIdealQ ? std::nullopt : std::optional(q));
}

QJsonObject LossesSection(const LossQ& q) {
    return {{"Q_L", Q(q.inductor)}, {"Q_C", Q(q.capacitor)}, {"Q_coil", Q(q.coil)}};
}

QJsonObject RealAntennaSection(const std::optional<Losses>& losses) {
    const std::optional<AntennaResult> a = losses ? losses->antenna : std::nullopt;
    auto value = [&a](double AntennaResult::*member, bool known = true) {
        return Number(a && known ? std::optional<double>(*a.*member) : std::nullopt);
    };
    return {{"R_f_Ohm", value(&AntennaResult::r_f)},
            {"X_f_Ohm", value(&AntennaResult::x_f)},
            {"eta_f_pct", value(&AntennaResult::eta_f, losses && losses->efficiencyKnown)}};
}

QJsonObject RealNetworkSection(Network network, const std::optional<Losses>& losses) {
    std::optional<RealNetworkResult> real;
    if (losses) real = losses->of(network);
    auto value = [&real](double NetworkPowers::*member, bool applies = true) {
        return Number(real && applies ? std::optional<double>(*real.*member) : std::nullopt);
    };
    return {{"SWR", value(&NetworkPowers::swr)},
            {"eta_net_pct", value(&NetworkPowers::eta_net_pct)},
            {"P_ant_W", value(&NetworkPowers::p_antenna_W)},
            {"Ploss_L_W", value(&NetworkPowers::ploss_L_W)},
            {"Ploss_C_W", value(&NetworkPowers::ploss_C_W)},
            {"Ploss_C2_W", value(&NetworkPowers::ploss_C2_W, HasSecondCapacitor(network))},
            {"eta_sys_pct", Number(real ? real->eta_sys_pct : std::nullopt)}};
}

QJsonArray Edges(const BandEdges& edges) {
    return {Number(edges.low_MHz), Number(edges.high_MHz)};
}

// With the network's parts fixed at their lossless values for the set frequency.
QJsonObject BandwidthSection(Network network, const AntennaSource& source, const AntennaInput& in,
                             const MatchLimits& limits) {
    const MatchedBandwidth bandwidth =
        FindMatchedBandwidth({&source, in, limits, network}, network);
    return {{"swr2_MHz", Edges(bandwidth.swr2)}, {"swr1_5_MHz", Edges(bandwidth.swr1_5)}};
}

QJsonObject NetworkSection(Network network, const std::optional<AntennaResult>& a,
                           const AntennaSource& source, const AntennaInput& in,
                           const MatchLimits& limits, const std::optional<Losses>& losses) {
    const bool two = HasSecondCapacitor(network);
    if (!a) {
        return {{"verdict", NoAntennaVerdict(source, in.frequency_MHz)},
                {"C_pF", QJsonValue::Null},
                {"C2_pF", QJsonValue::Null},
                {"L_uH", QJsonValue::Null},
                {"VC_kVpk", QJsonValue::Null},
                {"VC2_kVpk", QJsonValue::Null},
                {"IL_A", QJsonValue::Null},
                {"real", RealNetworkSection(network, losses)},
                {"bandwidth", BandwidthSection(network, source, in, limits)}};
    }
    const double f_Hz = in.frequency_MHz * 1e6;
    const MatchValues v = Match(network, a->r_f, a->x_f, f_Hz, limits);
    const MatchVerdict verdict = Judge(network, v, limits);
    const bool solved = verdict != MatchVerdict::NoSolution;
    const std::optional<PartStress> stress =
        NetworkStress(network, v, limits, {a->r_f, a->x_f}, f_Hz, in.ptx_W);
    auto when = [](bool known, double value) {
        return Number(known ? std::optional<double>(value) : std::nullopt);
    };
    return {{"verdict", VerdictText(verdict)},
            {"C_pF", when(solved, v.c_pF)},
            {"C2_pF", when(solved && two, v.c2_pF)},
            {"L_uH", when(solved, v.l_uH)},
            {"VC_kVpk", when(stress.has_value(), stress ? stress->vc_kVpk : 0)},
            {"VC2_kVpk", when(stress && two, stress ? stress->vc2_kVpk : 0)},
            {"IL_A", when(stress.has_value(), stress ? stress->il_A : 0)},
            {"real", RealNetworkSection(network, losses)},
            {"bandwidth", BandwidthSection(network, source, in, limits)}};
}

QJsonObject NetworksSection(const AntennaSource& source, const std::optional<AntennaResult>& a,
                            const AntennaInput& in, const MatchLimits& limits,
                            const std::optional<Losses>& losses) {
    QJsonObject networks;
    for (const ExportNetwork& n : kExportNetworks) {
        networks[n.column] = NetworkSection(n.network, a, source, in, limits, losses);
    }
    return networks;
}

}  // namespace

QJsonObject SummaryJson(const AntennaSource& source, const AntennaInput& input,
                        const MatchLimits& limits, const LossQ& q) {
    const std::optional<AntennaResult> a = source.FeedPoint(input);
    std::optional<Losses> losses;
    if (a) losses = LossesAt(source, input, *a, limits, q);
    QJsonObject summary;
    AddSource(summary, source);
    summary["f_MHz"] = input.frequency_MHz;
    summary["antenna"] = AntennaSection(source, a);
    summary["losses"] = LossesSection(q);
    summary["antenna_real"] = RealAntennaSection(losses);
    summary["networks"] = NetworksSection(source, a, input, limits, losses);
    return summary;
}

int WriteSummaryJson(const std::string& path, const QJsonObject& summary) {
    const QByteArray text = QJsonDocument(summary).toJson(QJsonDocument::Indented);
    if (path == "-") {
        const bool written = std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()),
                                         stdout) == static_cast<std::size_t>(text.size()) &&
                             std::fflush(stdout) == 0;
        if (!written) ReportOnStandardError("standard output: the summary could not be written");
        return written ? 0 : 1;
    }
    const FileResult result = WriteFileAtomically(path, text.toStdString());
    if (!result.ok()) ReportOnStandardError(result.error);
    return result.ok() ? 0 : 1;
}
