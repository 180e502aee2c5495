#include "tuners/search/lab/RelayCost.h"

#include <algorithm>
#include <bit>

double TuneTime_ms(const TuneCost& cost, const RelayTimes& times) {
    return cost.changes * std::max(times.operate_ms, times.release_ms) +
           cost.evaluations * times.measure_ms;
}

uint16_t RelayMask(const BankSetup& banks) {
    // Bits 0 to 9 of an HP-CL index switch its ten elements; the rest switch nothing.
    return banks.switched ? 0x3FF : 0xFFFF;
}

void RelayCounter::Try(int16_t cidx, int16_t lidx) {
    const auto c = static_cast<uint16_t>(static_cast<uint16_t>(cidx) & mask_);
    const auto l = static_cast<uint16_t>(static_cast<uint16_t>(lidx) & mask_);
    const int switched =
        std::popcount(static_cast<uint16_t>(c ^ c_)) + std::popcount(static_cast<uint16_t>(l ^ l_));
    ++cost_.evaluations;
    cost_.relayOps += switched;
    cost_.changes += switched > 0;
    c_ = c;
    l_ = l;
}
