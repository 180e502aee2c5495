#pragma once

#include <cstdint>

#include "tuners/search/BankSetup.h"

// What a tune costs a real tuner: every setting tried is switched by relays and measured.

struct TuneCost {
    int32_t evaluations = 0;  // settings tried, each one measurement
    int64_t relayOps = 0;     // relays that operate or release, both banks
    int32_t changes = 0;      // settings tried that switch at least one relay
};

// Relay operate and release times and the measurement of one setting, in milliseconds.
struct RelayTimes {
    double operate_ms = 6;
    double release_ms = 4;
    double measure_ms = 10;
};

// Relays of both banks switch together: a change waits for the slower of operating and
// releasing once, then the setting is measured.
double TuneTime_ms(const TuneCost& cost, const RelayTimes& times);

// The relays a setting index drives: the HP-CL tuner's ten elements, or an LP tuner's
// binary-weighted elements, one per bit.
uint16_t RelayMask(const BankSetup& banks);

// Follows the settings a tune tries, from all relays released, and counts what they cost.
class RelayCounter {
public:
    explicit RelayCounter(uint16_t mask) : mask_(mask) {}

    void Try(int16_t cidx, int16_t lidx);
    const TuneCost& cost() const { return cost_; }

private:
    uint16_t mask_;
    uint16_t c_ = 0, l_ = 0;
    TuneCost cost_;
};
