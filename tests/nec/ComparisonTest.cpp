#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "nec/Comparison.h"
#include "nec/Deck.h"

namespace {

// The model's own rod impedance: its feed point without base elements and losses.
Impedance ModelRod(AntennaInput in) {
    in.lcoil_uH = 0;
    in.cfoot_pF = 0;
    in.aeloss_Ohm = 0;
    const AntennaResult bare = FeedPointImpedance(in).value();
    return {bare.r_f, bare.x_f};
}

TEST(NecComparison, BaseElementsAreAddedAsTheModelAddsThemAndTheDeviationIsInPercent) {
    const AntennaInput cases[] = {
        {.frequency_MHz = 7.1, .cfoot_pF = 10, .lcoil_uH = 0, .aeloss_Ohm = 5},
        {.frequency_MHz = 3.6, .cfoot_pF = 10, .lcoil_uH = 20, .aeloss_Ohm = 5},
        {.frequency_MHz = 14.2, .cfoot_pF = 0, .lcoil_uH = -3, .aeloss_Ohm = 12},
        {.frequency_MHz = 29.9, .cfoot_pF = 47, .lcoil_uH = 1, .aeloss_Ohm = 0}};
    for (const AntennaInput& in : cases) {
        // NEC-2 agreeing with the model's rod gives the model's feed point (but for the
        // rounding of the rod's trip through a capacitor of 0).
        const NecComparisonRow row = CompareWithModel(NecPoint{in.frequency_MHz, ModelRod(in)}, in);
        const AntennaResult model = FeedPointImpedance(in).value();
        ASSERT_TRUE(row.nec && row.model) << in.frequency_MHz;
        EXPECT_NEAR(row.nec->r, model.r_f, 1e-12 * model.r_f) << in.frequency_MHz;
        EXPECT_NEAR(row.nec->x, model.x_f, 1e-12 * std::abs(model.x_f)) << in.frequency_MHz;
        EXPECT_EQ(row.model->r, model.r_f);
        EXPECT_EQ(row.model->x, model.x_f);
        EXPECT_NEAR(*row.dr_pct, 0, 1e-10);
        EXPECT_NEAR(*row.dx_pct, 0, 1e-10);
    }

    // The deviation is the model's in per cent of NEC-2. The frequency of the inputs is not
    // used: the row is at NEC-2's frequency.
    const AntennaInput bare{.frequency_MHz = 12345, .cfoot_pF = 0, .aeloss_Ohm = 0};
    const Impedance rod = ModelRod({.frequency_MHz = 7.1});
    const NecComparisonRow row = CompareWithModel(NecPoint{7.1, {rod.r / 1.25, rod.x / 0.8}}, bare);
    EXPECT_EQ(row.frequency_MHz, 7.1);
    EXPECT_NEAR(*row.dr_pct, 25, 1e-9);
    EXPECT_NEAR(*row.dx_pct, -20, 1e-9);

    const NecComparisonRow zero = CompareWithModel(NecPoint{7.1, {0, -400}}, bare);
    EXPECT_FALSE(zero.dr_pct) << "no percentage of a NEC-2 value of 0";
    EXPECT_TRUE(zero.dx_pct);

    AntennaInput broken = bare;
    broken.length_m = 0;
    const std::vector<NecComparisonRow> rows =
        CompareWithModel(std::vector<NecPoint>{{0.1, {1, -9}}, {0.2, {2, -8}}}, broken);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[1].model);
    EXPECT_FALSE(rows[1].dx_pct);
    EXPECT_EQ(rows[1].nec->r, 2);
}

// The CSV has every row, with empty fields for missing values.
TEST(NecComparison, RowsAreWrittenAsCsvAndAsAStatusLine) {
    const NecComparisonRow rows[] = {
        {0.1, Impedance{9.698204371234, -413.52}, Impedance{8.25, -409.2}, 1.0 / 3, -2e-7},
        {30, std::nullopt, Impedance{480.01, -159.11}, std::nullopt, std::nullopt},
        {7.2, Impedance{1e15, 0}, std::nullopt, std::nullopt, std::nullopt}};
    EXPECT_EQ(ComparisonCsv(rows),
              "f_MHz,R_model_Ohm,X_model_Ohm,R_nec_Ohm,X_nec_Ohm,dR_pct,dX_pct\r\n"
              "0.1,9.698204371,-413.52,8.25,-409.2,0.3333333333,-2e-07\r\n"
              "30,,,480.01,-159.11,,\r\n"
              "7.2,1e+15,0,,,,\r\n");

    // The status line names both values and the deviation.
    const Impedance model{9.6982, -413.5211};
    const Impedance nec{9.1, -431.2};
    const std::tuple<NecComparisonRow, const char*> cases[] = {
        {{7.1, model, nec, 6.57, -4.1},
         "NEC-2 at 7.1 MHz: R_f 9.10 Ohm (model 9.70, +6.6 %), "
         "X_f -431.2 Ohm (model -413.5, -4.1 %)"},
        {{0.1, model, Impedance{-0.001, 0.04}, std::nullopt, -0.04},
         "NEC-2 at 0.1 MHz: R_f 0.00 Ohm (model 9.70), X_f 0.0 Ohm (model -413.5, +0.0 %)"},
        {{30, std::nullopt, nec, std::nullopt, std::nullopt},
         "NEC-2 at 30 MHz: R_f 9.10 Ohm, X_f -431.2 Ohm (the model has no value here)"},
        {{7.1, model, std::nullopt, std::nullopt, std::nullopt},
         "NEC-2 at 7.1 MHz: no feed-point impedance"}};
    for (const auto& [row, line] : cases) EXPECT_EQ(ComparisonStatusLine(row), line);
}

TEST(NecComparison, NearestPointWithinHalfAStep) {
    std::vector<NecPoint> points;
    for (int i = 0; i < kNecFrequencyCount; ++i) points.push_back({NecFrequency_MHz(i), {}});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The frequency asked for and the one found (0: none).
    const std::tuple<double, double> cases[] = {{7.1, 7.1},  {7.14, 7.1}, {7.16, 7.2},
                                                {0.05, 0.1}, {0.04, 0},   {30.05, 30},
                                                {30.06, 0},  {-7.1, 0},   {nan, 0}};
    for (const auto& [f, expected] : cases) {
        const NecPoint* found = NearestNecPoint(points, f);
        EXPECT_EQ(found ? found->frequency_MHz : 0, expected) << f;
    }
}

}  // namespace
