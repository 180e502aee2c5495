#include "tuners/search/lab/LabHost.h"

#include "tuners/search/TunerState.h"

LabHost::LabHost(TunerKind kind, const TunerLoad& load, const BankSetup& banks)
    : kind_(kind), load_(load), banks_(banks), relays_(RelayMask(banks)) {}

double LabHost::EvaluateSetting(int16_t cidx, int16_t lidx) {
    relays_.Try(cidx, lidx);
    Checked c;
    const double capacitance = CapacitanceOf(banks_, cidx, c);
    const double inductance = InductanceOf(banks_, lidx, c);
    const double swr = SettingSwr(kind_, load_, capacitance, inductance, c);
    faulted_ = c.faulted();
    if (!faulted_) swr_ = swr;
    if (swr_ > kNoMatch) swr_ = kNoMatch;
    return swr_;
}
