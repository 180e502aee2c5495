// The report's words and numbers.
#include <gtest/gtest.h>

#include "analysis/core/MatchedBandwidth.h"
#include "analysis/core/ReportText.h"
#include "losses/LossText.h"

TEST(ReportText, NamesEveryNetworkWithItsVerdictAndBand) {
    AnalysisSetup setup;
    setup.source = &ClosedFormModel();
    const ReportText report = MakeReportText(setup, "2026-12-07", {7.0, 7.3});
    ASSERT_EQ(report.inputs.size(), 11u);
    ASSERT_EQ(report.networks.size(), 7u);
    const char* names[] = {"HP-CL", "HP-LC", "HP-CLC", "LP-CL", "LP-LC", "LP-CLC"};
    // The default antenna at 7.1 MHz: HP-CL, LP-CL and LP-CLC solve (outside the limits).
    const char* verdicts[] = {"outside the limits", "no solution", "no solution",
                              "outside the limits", "no solution", "outside the limits"};
    for (std::size_t i = 0; i < 6; ++i) {
        const std::vector<std::string>& row = report.networks[i + 1];
        ASSERT_EQ(row.size(), report.networks.front().size());
        EXPECT_EQ(row[0], names[i]);
        EXPECT_EQ(row[4], verdicts[i]) << names[i];
        // A solved network has a band around 7.1 MHz; one without solution none.
        const bool solved = row[4] != std::string("no solution");
        EXPECT_EQ(row[6].find("7.") == 0, solved) << names[i] << ": " << row[6];
        EXPECT_EQ(row[5] == "-", !solved) << names[i];
    }
    EXPECT_EQ(report.selected, BandwidthText(FindMatchedBandwidth(setup, Network::HpCl)));
    EXPECT_TRUE(report.antennaFault.empty());
    // Built from real parts: a line per network in the status line's words; no coil, no
    // line of its own.
    ASSERT_EQ(report.realParts.size(), 6u);
    const AntennaResult a = FeedPointImpedance(setup.input).value();
    const Losses losses = LossesAt(ClosedFormModel(), setup.input, a, setup.limits, setup.losses);
    EXPECT_EQ(report.realParts[0],
              "HP-CL " + RealNetworkText(Network::HpCl, *losses.of(Network::HpCl), setup.losses,
                                         setup.input.ptx_W));
    EXPECT_EQ(report.realParts[1], "HP-LC no solution");
    setup.input.lcoil_uH = 20;
    const ReportText coiled = MakeReportText(setup, "2026-12-07", {7.0, 7.3});
    ASSERT_EQ(coiled.realParts.size(), 7u);
    EXPECT_EQ(coiled.realParts[0].rfind("Antenna with its base coil Q 200: R_f ", 0), 0u)
        << coiled.realParts[0];
    setup.input.lcoil_uH = 0;

    // An antenna the model cannot compute: no results, and every network says why.
    setup.input.length_m = 0;
    const ReportText failed = MakeReportText(setup, "2026-12-07", {0.1, 30});
    EXPECT_TRUE(failed.antenna.empty());
    EXPECT_FALSE(failed.antennaFault.empty());
    for (std::size_t i = 1; i < failed.networks.size(); ++i) {
        EXPECT_EQ(failed.networks[i][4], "no feed point");
    }
}
