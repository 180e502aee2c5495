#include "diagrams/PathGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/Antenna.h"
#include "core/Numeric.h"

namespace {

using num::PI;

AntennaResult DefaultAntennaAt(double f_MHz) {
    AntennaInput input;
    input.frequency_MHz = f_MHz;
    return *FeedPointImpedance(input);
}

double Conductance(double r, double x) {
    return r / (r * r + x * x);
}

// Distance of p from the circle with centre (c, 0) through the origin.
double OffCircle(PlanePoint p, double c) {
    return std::hypot(p.r - c, p.x) - c;
}

const PathStep& Step(const MatchingPath& path, std::size_t i) {
    return path.steps.at(i);
}

// The default antenna at f, the network's values for it and the path they plan.
struct Planned {
    AntennaResult a;
    double omega;
    MatchValues m;
    MatchingPath path;
};

Planned Plan(Network network, double f_MHz) {
    const AntennaResult a = DefaultAntennaAt(f_MHz);
    const MatchLimits limits;
    const MatchValues m = Match(network, a.r_f, a.x_f, f_MHz * 1e6, limits);
    const auto path = PlanMatchingPath(network, a.r_f, a.x_f, f_MHz * 1e6, m, limits);
    EXPECT_TRUE(path && path->complete) << f_MHz;
    return {a, 2 * PI * f_MHz * 1e6, m, path.value_or(MatchingPath{})};
}

}  // namespace

TEST(PathGeometry, AngleRuleCoversAllThreeSidesOfTheCircle) {
    Checked c;
    EXPECT_DOUBLE_EQ(AngleOnCircle({0, 0}, 100, c), PI) << "left of the centre";
    EXPECT_NEAR(AngleOnCircle({100 - 100 / std::sqrt(2.0), 100 / std::sqrt(2.0)}, 100, c),
                PI - PI / 4, 1e-8);
    EXPECT_DOUBLE_EQ(AngleOnCircle({200, 0}, 100, c), 0) << "right, on the axis";
    EXPECT_NEAR(AngleOnCircle({150, 86.60254037844386}, 100, c), PI / 3, 1e-8);
    EXPECT_NEAR(AngleOnCircle({150, -86.60254037844386}, 100, c), 2 * PI - PI / 3, 1e-8)
        << "right, below the axis";
    EXPECT_TRUE(c.ok());
    AngleOnCircle({100, 100}, 100, c);
    EXPECT_TRUE(c.faulted()) << "straight above the centre";
}

TEST(PathGeometry, HugeCirclesSplitTheirArcWhenTheyPassTheLeft) {
    const auto pieces = ArcPieces(8821, 1, 3.19, 3.09, ArcSplit::QuarterBeforeEnd);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0].from, 3.19);
    EXPECT_DOUBLE_EQ(pieces[0].to, 2 * PI);
    EXPECT_DOUBLE_EQ(pieces[1].from, 3.09 - PI / 4);
    EXPECT_DOUBLE_EQ(pieces[1].to, 3.09);
    EXPECT_EQ(ArcPieces(8821, 1, 3.19, 3.09, ArcSplit::AtZero)[1].from, 0);
    // Each condition on its own keeps the arc whole.
    EXPECT_EQ(ArcPieces(4000, 10, 3.19, 3.09, ArcSplit::QuarterBeforeEnd).size(), 1u);
    EXPECT_EQ(ArcPieces(8821, 1, 3.1, 3.09, ArcSplit::QuarterBeforeEnd).size(), 1u);
    EXPECT_EQ(ArcPieces(8821, 1, 3.19, 3.15, ArcSplit::QuarterBeforeEnd).size(), 1u);
    EXPECT_EQ(ArcPieces(8821, 1, 3.19, 3.09, ArcSplit::None).size(), 1u);
}

TEST(PathGeometry, HighPassPathsOfTheDefaultAntenna) {
    for (double f : {7.1, 14.2}) {
        const auto [a, omega, m, path] = Plan(Network::HpCl, f);
        ASSERT_EQ(path.steps.size(), 4u);
        // P: on R = 50 and on the antenna's conductance circle, the series capacitor's
        // reactance above the axis.
        const PlanePoint p = Step(path, 2).from;
        const double centre = 1 / (2 * Conductance(a.r_f, a.x_f));
        EXPECT_DOUBLE_EQ(p.r, 50);
        EXPECT_NEAR(OffCircle(p, centre), 0, 1e-6 * centre);
        EXPECT_NEAR(p.x, 1 / (omega * m.c_pF * 1e-12), 1e-6 * p.x);
        EXPECT_DOUBLE_EQ(Step(path, 1).centre, centre);
        EXPECT_FALSE(Step(path, 1).capacitor);
        EXPECT_TRUE(Step(path, 3).capacitor);
        // At 7.1 MHz the circle is huge and the arc comes in two pieces in both views.
        const std::size_t pieces =
            ArcPieces(centre, 10, Step(path, 1).a, Step(path, 1).b, Step(path, 1).split).size();
        EXPECT_EQ(pieces, f == 7.1 ? 2u : 1u) << f;
    }

    // HP-CLC at 14.2 MHz: the antenna-side capacitor moves A down to B, the coil along B's
    // circle to P, the transmitter-side capacitor down to 50 Ohm.
    const auto [a, omega, m, path] = Plan(Network::HpClc, 14.2);
    ASSERT_EQ(path.steps.size(), 6u);
    EXPECT_EQ(Step(path, 1).kind, PathStepKind::DashedLine);
    const PlanePoint b = Step(path, 2).from;
    EXPECT_DOUBLE_EQ(b.r, a.r_f);
    EXPECT_NEAR(b.x, a.x_f - 1 / (omega * m.c2_pF * 1e-12), 1e-9);
    const PlanePoint p = Step(path, 4).from;
    EXPECT_NEAR(p.x, 1 / (omega * m.c_pF * 1e-12), 1e-9);
    const double centre = Step(path, 3).centre;
    EXPECT_NEAR(centre, 1 / (2 * Conductance(b.r, b.x)), 1e-9);
    // The 1 pF steps leave P close to, not exactly on, B's conductance circle.
    EXPECT_LT(std::abs(OffCircle(p, centre)), 0.05 * centre);
    EXPECT_EQ(
        ArcPieces(centre, 1, Step(path, 3).a, Step(path, 3).b, ArcSplit::QuarterBeforeEnd).size(),
        1u);
}

TEST(PathGeometry, LowPassPathsOfTheDefaultAntenna) {
    for (double f : {7.1, 14.2}) {
        const auto [a, omega, m, path] = Plan(Network::LpCl, f);
        // Q: straight above A on the 1/50 S circle, reached by the series coil.
        const PlanePoint q = Step(path, 2).from;
        EXPECT_DOUBLE_EQ(q.r, a.r_f);
        EXPECT_NEAR(OffCircle(q, 25), 0, 1e-9);
        EXPECT_GT(q.x, 0);
        EXPECT_NEAR(q.x, a.x_f + omega * m.l_uH * 1e-6, 1e-6);
    }

    // LP-CLC at 18.15 MHz: the shunt C' on the antenna's circle to Z1, the coil up to Z2 on
    // the 1/50 S circle, the shunt C along it.
    const auto [a, omega, m, path] = Plan(Network::LpClc, 18.15);
    ASSERT_EQ(path.steps.size(), 6u);
    EXPECT_EQ(Step(path, 1).kind, PathStepKind::BoldDottedArc);
    const PlanePoint z1 = Step(path, 2).from;
    const PlanePoint z2 = Step(path, 4).from;
    const double centre = 1 / (2 * Conductance(a.r_f, a.x_f));
    EXPECT_NEAR(OffCircle(z1, centre), 0, 1e-6 * centre);
    EXPECT_NEAR(OffCircle(z2, 25), 0, 1e-9);
    EXPECT_GT(z2.x, 0) << "upper half of the 1/50 S circle";
    EXPECT_DOUBLE_EQ(z1.r, z2.r);
    EXPECT_NEAR(z2.x - z1.x, omega * m.l_uH * 1e-6, 1e-9);
}

TEST(PathGeometry, NoPathWithoutValuesAndAFaultCutsThePath) {
    const AntennaResult a = DefaultAntennaAt(7.1);
    EXPECT_FALSE(
        PlanMatchingPath(Network::HpLc, a.r_f, a.x_f, 7.1e6, MatchHpLc(a.r_f, a.x_f, 7.1e6), {}));
    MatchLimits limits;
    MatchValues atLimit{limits.cmin_pF, 1, limits.cmax_pF};
    EXPECT_FALSE(PlanMatchingPath(Network::HpClc, 30, -70, 14.2e6, atLimit, limits))
        << "a capacitor exactly at Cmin draws nothing";

    // The antenna straight below the centre of its own circle: the arc's angle faults, the
    // dot at A stays and nothing after it is planned.
    const MatchValues any{10, 1, 0};
    const auto cut = PlanMatchingPath(Network::HpCl, 100, -100, 7.1e6, any, {});
    ASSERT_TRUE(cut);
    EXPECT_FALSE(cut->complete);
    ASSERT_EQ(cut->steps.size(), 1u);
    EXPECT_EQ(cut->steps[0].kind, PathStepKind::Dot);
}
