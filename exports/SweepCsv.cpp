#include "exports/SweepCsv.h"

#include <optional>

#include "antenna/SourceText.h"
#include "core/PartStress.h"
#include "core/SweepFrequencies.h"
#include "exports/CsvText.h"
#include "exports/Networks.h"

namespace {

constexpr const char* kAntennaColumns[] = {"f_MHz", "R_f_Ohm", "X_f_Ohm",   "Z_f_Ohm",
                                           "SWR_f", "U_f_V",   "eta_f_pct", "eta_tot_pct"};

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
    }
    csv.EndRecord();
}

// Each part (C, C', L) has a value column and a stress column.
int PartCount(Network network) {
    return HasSecondCapacitor(network) ? 3 : 2;
}

void WriteFault(CsvText& csv, double f_MHz, const char* verdict) {
    csv.Number(f_MHz);
    for (std::size_t i = 1; i < std::size(kAntennaColumns); ++i) csv.Empty();
    for (const ExportNetwork& n : kExportNetworks) {
        for (int i = 0; i < PartCount(n.network); ++i) csv.Empty();
        csv.Field(verdict);
        for (int i = 0; i < PartCount(n.network); ++i) csv.Empty();
    }
    csv.EndRecord();
}

void WriteNetwork(CsvText& csv, Network network, const AntennaResult& a, const AntennaInput& in,
                  const MatchLimits& limits) {
    const double f_Hz = in.frequency_MHz * 1e6;
    const MatchValues v = Match(network, a.r_f, a.x_f, f_Hz, limits);
    const MatchVerdict verdict = Judge(network, v, limits);
    const bool two = HasSecondCapacitor(network);
    if (verdict == MatchVerdict::NoSolution) {
        for (int i = 0; i < PartCount(network); ++i) csv.Empty();
    } else {
        csv.Number(v.c_pF);
        if (two) csv.Number(v.c2_pF);
        csv.Number(v.l_uH);
    }
    csv.Field(VerdictText(verdict));
    const std::optional<PartStress> stress =
        NetworkStress(network, v, limits, {a.r_f, a.x_f}, f_Hz, in.ptx_W);
    if (!stress) {
        for (int i = 0; i < PartCount(network); ++i) csv.Empty();
        return;
    }
    csv.Number(stress->vc_kVpk);
    if (two) csv.Number(stress->vc2_kVpk);
    csv.Number(stress->il_A);
}

}  // namespace

std::string SweepCsv(const AntennaSource& source, const AntennaInput& antenna,
                     const MatchLimits& limits) {
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
        for (const ExportNetwork& n : kExportNetworks) WriteNetwork(csv, n.network, *a, in, limits);
        csv.EndRecord();
    }
    // Before the header, so that a reader knows what it reads.
    return SourceCommentLine(source) + "\r\n" + csv.text();
}
