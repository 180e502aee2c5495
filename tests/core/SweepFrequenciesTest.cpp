#include <gtest/gtest.h>

#include "core/SweepFrequencies.h"

TEST(SweepFrequencies, PointsOfBothGrids) {
    const struct {
        SweepGrid grid;
        std::size_t count;
        double step;
    } grids[] = {{SweepGrid::Curves, 1197, 0.025}, {SweepGrid::ImpedancePlane, 300, 0.1}};
    for (const auto& g : grids) {
        const std::vector<double> f = SweepFrequencies(g.grid);
        ASSERT_EQ(f.size(), g.count);
        EXPECT_EQ(f.front(), 0.1);
        EXPECT_NEAR(f.back(), 30, 1e-9);
        // Sums, not products: the rounding of each addition carries on.
        EXPECT_EQ(f[1], 0.1 + g.step);
        EXPECT_NE(f.back(), 0.1 + g.step * static_cast<double>(g.count - 1));
    }
}
