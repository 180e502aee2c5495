#pragma once

#include "antenna/AntennaSource.h"
#include "core/Matching.h"

// The six networks with their CSV column prefixes, in the order of the network boxes.
struct ExportNetwork {
    Network network;
    const char* column;
};

inline constexpr ExportNetwork kExportNetworks[] = {
    {Network::HpCl, "HPCL"}, {Network::HpLc, "HPLC"}, {Network::HpClc, "HPCLC"},
    {Network::LpCl, "LPCL"}, {Network::LpLc, "LPLC"}, {Network::LpClc, "LPCLC"},
};

// ok (inside the limits), outside (a solution outside them) or none (no solution).
const char* VerdictText(MatchVerdict verdict);
// Written instead of a verdict where the antenna model faults.
inline constexpr const char* kFaultVerdict = "fault";

// The verdict where the source gives no feed point: none outside a tabulated source's span
// (there is nothing to match), fault where a step faults.
inline const char* NoAntennaVerdict(const AntennaSource& source, double f_MHz) {
    const std::optional<FrequencySpan> span = source.span();
    return span && !span->Contains(f_MHz) ? "none" : kFaultVerdict;
}
