#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tuners/search/lab/RelayCost.h"

namespace {

struct Expected {
    int32_t evaluations;
    int64_t relayOps;
    int32_t changes;
};

TuneCost Counted(uint16_t mask, const std::vector<std::pair<int16_t, int16_t>>& settings) {
    RelayCounter relays(mask);
    for (const auto& [c, l] : settings) relays.Try(c, l);
    return relays.cost();
}

}  // namespace

// Sequences worked out by hand, bit by bit, from all relays released.
TEST(RelayCost, CountsTheRelaysThatSwitchBetweenSettingsTried) {
    const struct {
        const char* what;
        uint16_t mask;
        std::vector<std::pair<int16_t, int16_t>> settings;
        Expected cost;
    } cases[] = {
        {"nothing tried", 0xFFFF, {}, {0, 0, 0}},
        {"first from all released: 0b11 and 0b1", 0xFFFF, {{3, 1}}, {1, 3, 1}},
        // 3 -> 4 switches all three low capacitor relays; trying it again switches none,
        // and going back to (0, 0) releases one relay in each bank.
        {"carry, repeat, release", 0xFFFF, {{3, 1}, {4, 1}, {4, 1}, {0, 0}}, {4, 8, 3}},
        {"the top of a 10-bit bank", 0xFFFF, {{1023, 511}, {1024, 512}}, {2, 19 + 21, 2}},
        // Only bits 0 to 9 of an HP-CL index drive its ten elements.
        {"HP-CL ignores bits above 9", 0x3FF, {{1024, 1025}, {1023, 0}}, {2, 1 + 11, 2}},
    };
    for (const auto& c : cases) {
        const TuneCost cost = Counted(c.mask, c.settings);
        EXPECT_EQ(cost.evaluations, c.cost.evaluations) << c.what;
        EXPECT_EQ(cost.relayOps, c.cost.relayOps) << c.what;
        EXPECT_EQ(cost.changes, c.cost.changes) << c.what;
    }
    EXPECT_EQ(RelayMask(BankSetup{.switched = true, .range = {}}), 0x3FF);
    EXPECT_EQ(RelayMask(BankSetup{}), 0xFFFF);
}

// Each change waits once for the slower of operate and release; each setting tried is
// measured, whether it changed anything or not.
TEST(RelayCost, TimeToTuneFromTheCounts) {
    const TuneCost cost{4, 8, 3};
    const struct {
        RelayTimes times;
        double ms;
    } cases[] = {{{}, 3 * 6 + 4 * 10},
                 {{3, 5, 1}, 3 * 5 + 4 * 1},
                 {{6, 6, 0}, 3 * 6},
                 {{0, 0, 2.5}, 4 * 2.5}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(TuneTime_ms(cost, c.times), c.ms);
    EXPECT_EQ(TuneTime_ms({}, {}), 0);
}
