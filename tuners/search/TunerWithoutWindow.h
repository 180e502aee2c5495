#pragma once

#include "tuners/search/BankSetup.h"
#include "tuners/search/TunerState.h"

// A tuner's fields without a window: the antenna as set, the banks of the last TUNE, nothing
// that edits them during a search and no event loop to yield to.
class TunerWithoutWindow final : public TunerSite {
public:
    explicit TunerWithoutWindow(TunerKind kind, AntennaFields antenna = {})
        : antenna(antenna), state(kind, *this) {}

    AntennaFields Antenna() const override { return antenna; }
    double Capacitance(int16_t cidx, Checked& c) const override {
        return CapacitanceOf(*state.banks(), cidx, c);
    }
    double Inductance(int16_t lidx, Checked& c) const override {
        return InductanceOf(*state.banks(), lidx, c);
    }
    void Show(const TunerDisplay&) override {}
    void Yield() override {}
    bool Abandoned() const override { return false; }

    AntennaFields antenna;
    TunerState state;
};
