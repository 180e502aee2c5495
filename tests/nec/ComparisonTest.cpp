#include <gtest/gtest.h>

#include <cmath>
#include <complex>
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
        ASSERT_TRUE(row.nec && row.model && row.etaNec_pct) << in.frequency_MHz;
        EXPECT_NEAR(row.nec->x, model.x_f, 1e-12 * std::abs(model.x_f)) << in.frequency_MHz;
        EXPECT_EQ(row.model->r, model.r_f);
        // The rods compared are the bare ones, and so eta_f from NEC-2 is the model's.
        for (const auto deviation : {row.dr_pct, row.dx_pct, row.drRod_pct, row.dxRod_pct}) {
            EXPECT_NEAR(*deviation, 0, 1e-10) << in.frequency_MHz;
        }
        EXPECT_EQ(*row.etaModel_pct, model.eta_f);
        EXPECT_NEAR(*row.etaNec_pct, model.eta_f, 1e-10 * model.eta_f) << in.frequency_MHz;
    }

    // With the base capacitance and AEloss a rod resistance 52 % too high shows as a far
    // smaller error of R_f; eta_f is NEC-2's rod through the same capacitance, over the loss.
    {
        const AntennaInput in{.frequency_MHz = 7.1, .cfoot_pF = 10, .aeloss_Ohm = 5};
        const Impedance rod = ModelRod(in);
        const Impedance nec{rod.r / 1.52, rod.x};
        const NecComparisonRow row = CompareWithModel(NecPoint{7.1, nec}, in);
        EXPECT_NEAR(*row.drRod_pct, 52, 1e-9);
        EXPECT_LT(*row.dr_pct, 20);
        const std::complex<double> jwC(0, 2 * 3.14159265 * 7.1e6 * 10e-12);
        const double r_ant = (1.0 / (1.0 / std::complex<double>(nec.r, nec.x) + jwC)).real();
        EXPECT_NEAR(*row.etaNec_pct, 100 * r_ant / (r_ant + 5), 1e-9);
        EXPECT_LT(*row.etaNec_pct, *row.etaModel_pct);
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
    EXPECT_FALSE(rows[1].modelRod || rows[1].drRod_pct || rows[1].etaModel_pct);
    EXPECT_EQ(rows[1].nec->r, 2);
    EXPECT_TRUE(rows[1].etaNec_pct);
}

// The CSV has every row, with empty fields for missing values. The status line names the
// rod's own values beside the model's, and eta_f.
TEST(NecComparison, RowsAreWrittenAsCsvAndAsAStatusLine) {
    const Impedance rod{2.18, -1198.74}, necRod{1.43, -1234.5};
    NecComparisonRow rows[3];
    rows[0] = {0.1,
               Impedance{9.698204371234, -413.52},
               Impedance{8.25, -409.2},
               1.0 / 3,
               -2e-7,
               rod,
               necRod,
               52.4,
               -2.9,
               18.7,
               13.2};
    rows[1].frequency_MHz = 30;
    rows[1].nec = Impedance{480.01, -159.11};
    rows[1].necRod = {475, -150};
    rows[1].etaNec_pct = 98.9;
    rows[2].frequency_MHz = 7.2;
    rows[2].model = Impedance{1e15, 0};
    rows[2].modelRod = rod;
    rows[2].necRod = necRod;
    EXPECT_EQ(ComparisonCsv(rows),
              "f_MHz,R_model_Ohm,X_model_Ohm,R_nec_Ohm,X_nec_Ohm,dR_pct,dX_pct,Rrod_model_Ohm,"
              "Rrod_nec_Ohm,eta_f_model_pct,eta_f_nec_pct\r\n"
              "0.1,9.698204371,-413.52,8.25,-409.2,0.3333333333,-2e-07,2.18,1.43,18.7,13.2\r\n"
              "30,,,480.01,-159.11,,,,475,,98.9\r\n"
              "7.2,1e+15,0,,,,,2.18,1.43,,\r\n");

    NecComparisonRow tiny;
    tiny.frequency_MHz = 7.1;
    tiny.modelRod = rod;
    tiny.necRod = {-0.001, 0.04};
    tiny.dxRod_pct = -0.04;
    const std::tuple<NecComparisonRow, const char*> cases[] = {
        {rows[0],
         "NEC-2 at 0.1 MHz: rod R 1.43 Ohm (model 2.18, +52 %), X -1234.5 Ohm (model -1198.7, "
         "-2.9 %), eta_f 13.2 % (model 18.7 %)"},
        {tiny, "NEC-2 at 7.1 MHz: rod R 0.00 Ohm (model 2.18), X 0.0 Ohm (model -1198.7, +0.0 %)"},
        {rows[1],
         "NEC-2 at 30 MHz: rod R 475.00 Ohm, X -150.0 Ohm, eta_f 98.9 % (the model has no value "
         "here)"}};
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
