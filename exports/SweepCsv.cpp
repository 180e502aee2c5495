#include "exports/SweepCsv.h"

#include <optional>

#include "antenna/SourceText.h"
#include "core/PartStress.h"
#include "core/SweepFrequencies.h"
#include "exports/CsvText.h"
#include "exports/Networks.h"
#include "losses/Losses.h"

namespace {

constexpr const char* kAntennaColumns[] = {
    "f_MHz",     "R_f_Ohm",     "X_f_Ohm",      "Z_f_Ohm",      "SWR_f",         "U_f_V",
    "eta_f_pct", "eta_tot_pct", "R_f_real_Ohm", "X_f_real_Ohm", "eta_f_real_pct"};

void WriteHeader(CsvText& csv) {
    for (const char* column : kAntennaColumns) csv.Field(column);
    for (const ExportNetwork& n : kExportNetworks) {
        const std::string name = n.column;
        const bool two = HasSecondCapacitor(n.network);
        csv.Field(name + "_C_pF");
        if (two) csv.Field(name + "_C2_pF");
        csv.Field(name + "_L_uH");
        csv.Field(name + "_verdict");
        csv.Field(name + "_VC_kVpk");
        if (two) csv.Field(name + "_VC2_kVpk");
        csv.Field(name + "_IL_A");
        csv.Field(name + "_SWR_real");
        csv.Field(name + "_eta_net_pct");
        csv.Field(name + "_Ploss_L_W");
        csv.Field(name + "_Ploss_C_W");
        if (two) csv.Field(name + "_Ploss_C2_W");
        csv.Field(name + "_eta_sys_pct");
    }
    csv.EndRecord();
}

// Each part (C, C', L) has a value column and a stress column.
int PartCount(Network network) {
    return HasSecondCapacitor(network) ? 3 : 2;
}

// SWR, efficiency, a loss per part, overall efficiency.
int RealCount(Network network) {
    return PartCount(network) + 3;
}

void Empties(CsvText& csv, int count) {
    for (int i = 0; i < count; ++i) csv.Empty();
}

void Optional(CsvText& csv, const std::optional<double>& value) {
    if (value) {
        csv.Number(*value);
    } else {
        csv.Empty();
    }
}

void WriteFault(CsvText& csv, double f_MHz, const char* verdict) {
    csv.Number(f_MHz);
    Empties(csv, static_cast<int>(std::size(kAntennaColumns)) - 1);
    for (const ExportNetwork& n : kExportNetworks) {
        Empties(csv, PartCount(n.network));
        csv.Field(verdict);
        Empties(csv, PartCount(n.network) + RealCount(n.network));
    }
    csv.EndRecord();
}

void WriteRealNetwork(CsvText& csv, Network network, const std::optional<RealNetworkResult>& real) {
    if (!real) {
        Empties(csv, RealCount(network));
        return;
    }
    csv.Number(real->swr);
    csv.Number(real->eta_net_pct);
    csv.Number(real->ploss_L_W);
    csv.Number(real->ploss_C_W);
    if (HasSecondCapacitor(network)) csv.Number(real->ploss_C2_W);
    Optional(csv, real->eta_sys_pct);
}

void WriteNetwork(CsvText& csv, Network network, const AntennaResult& a, const AntennaInput& in,
                  const MatchLimits& limits, const std::optional<RealNetworkResult>& real) {
    const double f_Hz = in.frequency_MHz * 1e6;
    const MatchValues v = Match(network, a.r_f, a.x_f, f_Hz, limits);
    const MatchVerdict verdict = Judge(network, v, limits);
    const bool two = HasSecondCapacitor(network);
    if (verdict == MatchVerdict::NoSolution) {
        Empties(csv, PartCount(network));
    } else {
        csv.Number(v.c_pF);
        if (two) csv.Number(v.c2_pF);
        csv.Number(v.l_uH);
    }
    csv.Field(VerdictText(verdict));
    const std::optional<PartStress> stress =
        NetworkStress(network, v, limits, {a.r_f, a.x_f}, f_Hz, in.ptx_W);
    if (stress) {
        csv.Number(stress->vc_kVpk);
        if (two) csv.Number(stress->vc2_kVpk);
        csv.Number(stress->il_A);
    } else {
        Empties(csv, PartCount(network));
    }
    WriteRealNetwork(csv, network, real);
}

}  // namespace

std::string SweepCsv(const AntennaSource& source, const AntennaInput& antenna,
                     const MatchLimits& limits, const LossQ& q) {
    CsvText csv;
    WriteHeader(csv);
    AntennaInput in = antenna;
    for (const double f : SweepFrequencies(SweepGrid::Curves)) {
        in.frequency_MHz = f;
        const std::optional<AntennaResult> a = source.FeedPoint(in);
        if (!a) {
            WriteFault(csv, f, NoAntennaVerdict(source, f));
            continue;
        }
        for (const double value : {f, a->r_f, a->x_f, a->z_f, a->swr_f, a->u_f}) csv.Number(value);
        if (source.knowsEfficiency()) {
            csv.Number(a->eta_f);
            csv.Number(a->eta_tot);
        } else {
            csv.Empty();
            csv.Empty();
        }
        const Losses losses = LossesAt(source, in, *a, limits, q);
        if (losses.antenna) {
            csv.Number(losses.antenna->r_f);
            csv.Number(losses.antenna->x_f);
            Optional(csv,
                     losses.efficiencyKnown ? std::optional(losses.antenna->eta_f) : std::nullopt);
        } else {
            Empties(csv, 3);
        }
        for (const ExportNetwork& n : kExportNetworks) {
            WriteNetwork(csv, n.network, *a, in, limits, losses.of(n.network));
        }
        csv.EndRecord();
    }
    // Before the header, so that a reader knows what it reads.
    return SourceCommentLine(source) + "\r\n" + csv.text();
}
