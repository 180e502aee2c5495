#pragma once

#include <cstdint>

#include "tuners/search/BankSetup.h"
#include "tuners/search/TunerNetworks.h"
#include "tuners/search/TunerSearch.h"
#include "tuners/search/lab/RelayCost.h"

// A tuner without a window at one antenna load: evaluates a setting with the arithmetic of
// the tuner's window (a fault keeps the SWR before it, 9999 stands for no match) and counts
// what each setting tried costs a real tuner.
class LabHost : public SearchHost {
public:
    static constexpr double kNoMatch = 9999;

    LabHost(TunerKind kind, const TunerLoad& load, const BankSetup& banks);

    double EvaluateSetting(int16_t cidx, int16_t lidx) override;
    int32_t Operations() const override { return relays_.cost().evaluations; }
    void ShowCoarseResult(int, double, int16_t, int16_t) override {}
    bool Abandoned() const override { return false; }
    bool LastEvaluationFaulted() const override { return faulted_; }

    // The SWR the last evaluation left, as the window's SWR field holds it.
    double swr() const { return swr_; }
    const TuneCost& cost() const { return relays_.cost(); }

private:
    const TunerKind kind_;
    const TunerLoad load_;
    const BankSetup& banks_;
    RelayCounter relays_;
    double swr_ = kNoMatch;
    bool faulted_ = false;
};
