#include <gtest/gtest.h>

#include "antenna/ShownResults.h"

namespace {

// A source that knows the feed point but not how much of its resistance radiates; its
// values lie clear of the display rounding steps.
class NoEfficiency final : public AntennaSource {
public:
    SourceKind kind() const override { return SourceKind::Measured; }
    std::optional<AntennaResult> FeedPoint(const AntennaInput& in) const override {
        return FeedPointOfRod({30.0004, -19.9996}, in);
    }
    bool knowsEfficiency() const override { return false; }
};

TEST(ShowAntenna, ASourceWithoutEfficiencyCompletesThePassWithoutIt) {
    const ShownAntenna model = ShowAntenna(ClosedFormModel(), AntennaInput{}, false);
    ASSERT_TRUE(model.complete());
    EXPECT_EQ(model.feed->r_f, 9.698);
    EXPECT_EQ(model.efficiency->eta_f, 48.444);

    const ShownAntenna measured =
        ShowAntenna(NoEfficiency(), {.cfoot_pF = 0, .aeloss_Ohm = 0}, true);
    ASSERT_TRUE(measured.complete());
    EXPECT_EQ(measured.feed->r_f, 30);
    EXPECT_EQ(measured.feed->x_f, -20);
    EXPECT_FALSE(measured.efficiency);

    // A pass that faults stays incomplete whatever the source knows.
    const ShownAntenna faulted = ShowAntenna(NoEfficiency(), {.mloss_Ohm = -100}, false);
    EXPECT_FALSE(faulted.complete());
    EXPECT_FALSE(faulted.feed);
}

}  // namespace
