// The Smith chart's mapping: impedances against their reflection and the chart's circles.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/core/AnalysisSweep.h"
#include "analysis/core/SmithMapping.h"

namespace {

double DistanceFromCircle(const ChartCircle& circle, Reflection g) {
    return std::hypot(g.re - circle.cx, g.im - circle.cy) - circle.radius;
}

}  // namespace

TEST(SmithMapping, LandmarksOfTheChart) {
    const struct {
        Impedance z;
        Reflection gamma;
    } landmarks[] = {
        {{50, 0}, {0, 0}},       // the centre: matched
        {{0, 0}, {-1, 0}},       // short: left end of the rim
        {{0, 50}, {0, 1}},       // +j50: top of the rim
        {{50, 50}, {0.2, 0.4}},  // where r = 1 meets x = +1
        {{150, 0}, {0.5, 0}},    // SWR 3 on the real axis
    };
    for (const auto& [z, expected] : landmarks) {
        const std::optional<Reflection> g = ReflectionOf(z);
        ASSERT_TRUE(g) << z.r << " " << z.x;
        EXPECT_NEAR(g->re, expected.re, 1e-12) << z.r << " " << z.x;
        EXPECT_NEAR(g->im, expected.im, 1e-12) << z.r << " " << z.x;
        const std::optional<Impedance> back = ImpedanceOf(*g);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->r, z.r, 1e-9);
        EXPECT_NEAR(back->x, z.x, 1e-9);
    }
    // Nowhere to go: the open circuit has no impedance, Z = -50 Ohm no reflection.
    EXPECT_FALSE(ImpedanceOf({1, 0}));
    EXPECT_FALSE(ReflectionOf({-50, 0}));
    // A view too small for its margin has no circle to draw.
    EXPECT_EQ(ChartFrame::Fit(10, 10, 20).radius, 0);
}

TEST(SmithMapping, EveryImpedanceLiesOnItsCirclesAndItsSwrCircle) {
    for (double r : {0.0, 5.0, 9.7, 50.0, 120.0, 2000.0}) {
        for (double x : {-413.5, -50.0, -3.0, 3.0, 25.0, 50.0, 800.0}) {
            const std::optional<Reflection> g = ReflectionOf({r, x});
            ASSERT_TRUE(g);
            EXPECT_NEAR(DistanceFromCircle(ResistanceCircle(r / 50), *g), 0, 1e-12) << r << x;
            EXPECT_NEAR(DistanceFromCircle(ReactanceCircle(x / 50), *g), 0, 1e-12) << r << x;
            const std::optional<AnalysisPoint::Load> load = LoadValues(r, x);
            ASSERT_TRUE(load);
            // The model's SWR stops at 11000, just inside the rim.
            if (load->swr < 11000) {
                EXPECT_NEAR(SwrRadius(load->swr), std::hypot(g->re, g->im), 1e-9) << r << x;
            }
        }
    }
}
