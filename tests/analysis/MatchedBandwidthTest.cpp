// The matched bandwidth against a scan in 1 Hz steps, and the cases without an edge.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/core/MatchedBandwidth.h"
#include "tests/analysis/SpanSource.h"

namespace {

// The first frequency from the set one outward, in 1 Hz steps, where the SWR is above the
// threshold; nothing when `limit_MHz` comes first.
std::optional<double> ScannedEdge(const AnalysisSetup& setup, Network network,
                                  const MatchValues& parts, double threshold, double direction,
                                  double limit_MHz) {
    const long long f0_Hz = std::llround(setup.input.frequency_MHz * 1e6);
    for (long long f = f0_Hz;; f += static_cast<long long>(direction)) {
        const double f_MHz = static_cast<double>(f) / 1e6;
        if ((f_MHz - limit_MHz) * direction > 0) return std::nullopt;
        const std::optional<double> swr = MatchedSwr(setup, network, parts, f_MHz);
        if (!swr || *swr > threshold) return f_MHz;
    }
}

void ExpectEdge(const std::optional<double>& found, const std::optional<double>& scanned,
                const char* what) {
    ASSERT_EQ(found.has_value(), scanned.has_value()) << what;
    if (found) {
        EXPECT_NEAR(*found * 1e6, *scanned * 1e6, kEdgeTolerance_Hz) << what;
    }
}

AnalysisSetup Antenna(double length_m, double f_MHz, double aeloss_Ohm,
                      const AntennaSource& source = ClosedFormModel()) {
    AnalysisSetup setup;
    setup.source = &source;
    setup.input.length_m = length_m;
    setup.input.frequency_MHz = f_MHz;
    setup.input.aeloss_Ohm = aeloss_Ohm;
    return setup;
}

}  // namespace

TEST(MatchedBandwidth, EdgesAgreeWithAScanInHertzSteps) {
    const struct {
        AnalysisSetup setup;
        Network network;
    } cases[] = {
        {Antenna(4.5, 7.05, 5), Network::HpCl}, {Antenna(4.5, 7.1, 5), Network::LpCl},
        {Antenna(4.5, 3.6, 5), Network::LpClc}, {Antenna(8, 1.85, 5), Network::LpCl},
        {Antenna(12, 1.85, 5), Network::HpClc}, {Antenna(20, 3.6, 5), Network::HpClc},
        {Antenna(20, 3.6, 5), Network::HpLc},
    };
    for (const auto& [setup, network] : cases) {
        const std::string what = std::string(NetworkName(network)) + " at " +
                                 std::to_string(setup.input.frequency_MHz) + " MHz";
        const std::optional<MatchValues> parts = PartsAtSetFrequency(setup, network);
        ASSERT_TRUE(parts) << what;
        const MatchedBandwidth b = FindMatchedBandwidth(setup, network);
        ASSERT_TRUE(b.swrAtSet) << what;
        for (const BandEdges* edges : {&b.swr2, &b.swr1_5}) {
            ASSERT_FALSE(edges->aboveAtSet) << what;
            // Both edges lie near the set frequency: the scan need not go far.
            ASSERT_TRUE(edges->low_MHz && edges->high_MHz) << what;
            EXPECT_LT(*edges->low_MHz, setup.input.frequency_MHz);
            EXPECT_GT(*edges->high_MHz, setup.input.frequency_MHz);
            ExpectEdge(edges->low_MHz,
                       ScannedEdge(setup, network, *parts, edges->threshold, -1, 0.1),
                       what.c_str());
            ExpectEdge(edges->high_MHz,
                       ScannedEdge(setup, network, *parts, edges->threshold, 1, 30), what.c_str());
        }
        // SWR 1.5 is the narrower band.
        EXPECT_GT(*b.swr1_5.low_MHz, *b.swr2.low_MHz) << what;
        EXPECT_LT(*b.swr1_5.high_MHz, *b.swr2.high_MHz) << what;
    }
}

TEST(MatchedBandwidth, CasesWithoutAnEdge) {
    // A network without solution at the set frequency, an antenna the model cannot compute,
    // and a set frequency outside a measured file's span have no band at all.
    const SpanSource span({7.099, 7.101});
    const struct {
        AnalysisSetup setup;
        Network network;
        const char* text;
    } none[] = {
        {Antenna(4.5, 7.1, 5), Network::HpLc,
         "HP-LC matched at 7.100 MHz: no solution at the set frequency"},
        {Antenna(0, 7.1, 5), Network::HpCl,
         "HP-CL matched at 7.100 MHz: no solution at the set frequency"},
        {Antenna(4.5, 7.2, 5, span), Network::HpCl,
         "HP-CL matched at 7.200 MHz: no solution at the set frequency"},
    };
    for (const auto& [setup, network, text] : none) {
        const MatchedBandwidth b = FindMatchedBandwidth(setup, network);
        EXPECT_FALSE(b.swrAtSet) << text;
        EXPECT_FALSE(b.swr2.low_MHz || b.swr2.high_MHz || b.swr1_5.low_MHz || b.swr1_5.high_MHz);
        EXPECT_EQ(BandwidthText(b), text);
    }

    // Parts off their values: the SWR is above both thresholds at the set frequency.
    const AnalysisSetup setup = Antenna(4.5, 7.1, 5);
    MatchValues detuned = *PartsAtSetFrequency(setup, Network::HpCl);
    detuned.c_pF *= 1.05;
    const MatchedBandwidth off = FindMatchedBandwidth(setup, Network::HpCl, detuned);
    ASSERT_TRUE(off.swrAtSet);
    EXPECT_GT(*off.swrAtSet, 2);
    EXPECT_TRUE(off.swr2.aboveAtSet && off.swr1_5.aboveAtSet);
    EXPECT_FALSE(off.swr2.low_MHz || off.swr2.high_MHz);
    EXPECT_NE(EdgesText(off.swr2, off).find("already at the set frequency, above 2"),
              std::string::npos);

    // A measured span narrower than the band: the SWR stays below 2 to both of its ends,
    // as a scan of every hertz shows, and the text says so.
    const AnalysisSetup narrow = Antenna(4.5, 7.1, 5, span);
    const std::optional<MatchValues> parts = PartsAtSetFrequency(narrow, Network::HpCl);
    ASSERT_TRUE(parts);
    const MatchedBandwidth b = FindMatchedBandwidth(narrow, Network::HpCl);
    ASSERT_TRUE(b.swrAtSet);
    EXPECT_FALSE(b.swr2.low_MHz);
    EXPECT_FALSE(b.swr2.high_MHz);
    EXPECT_FALSE(ScannedEdge(narrow, Network::HpCl, *parts, 2, -1, 7.099));
    EXPECT_FALSE(ScannedEdge(narrow, Network::HpCl, *parts, 2, 1, 7.101));
    EXPECT_EQ(EdgesText(b.swr2, b),
              "SWR <= 2 from below 7.0990 to beyond 7.1010 MHz (no edge inside the range)");
}
