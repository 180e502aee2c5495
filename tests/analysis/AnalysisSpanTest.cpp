// The span the analysis shows: zoom, pan, presets, and the points it is drawn from.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/core/AnalysisSpan.h"
#include "analysis/core/AnalysisSweep.h"
#include "tests/analysis/SpanSource.h"

TEST(AnalysisSpan, ZoomKeepsTheFrequencyUnderThePointer) {
    const struct {
        double low, high, pointer, factor;
    } steps[] = {
        {0.1, 30, 7.1, 0.8},   {0.1, 30, 0.15, 0.5},   {7.0, 7.3, 7.2999, 0.25},
        {1.8, 2.0, 1.85, 0.1}, {7.09, 7.11, 7.1, 0.9}, {7.0, 7.3, 7.1, 1.25},
    };
    for (const auto& [low, high, pointer, factor] : steps) {
        AnalysisSpan span;
        span.Show(low, high);
        const double share = (pointer - span.low()) / span.width();
        span.ZoomAbout(pointer, factor);
        EXPECT_NEAR(span.width(), (high - low) * factor, 1e-9) << low << " " << factor;
        EXPECT_NEAR((pointer - span.low()) / span.width(), share, 1e-9) << low << " " << factor;
    }
    // Out at the range's end the view stops there instead of leaving it.
    AnalysisSpan span;
    span.Show(0.1, 1);
    span.ZoomAbout(0.5, 4);
    EXPECT_DOUBLE_EQ(span.low(), 0.1);
    EXPECT_NEAR(span.high(), 3.7, 1e-12);
    span.ZoomAbout(15, 100);
    EXPECT_DOUBLE_EQ(span.low(), 0.1);
    EXPECT_DOUBLE_EQ(span.high(), 30);
    // And in no narrower than 100 Hz.
    for (int i = 0; i < 100; ++i) span.ZoomAbout(7.1, 0.5);
    EXPECT_NEAR(span.width(), AnalysisSpan::kNarrowest_MHz, 1e-12);
    EXPECT_NEAR(span.low(), 7.1 - span.width() * (7.1 - 0.1) / 29.9, 1e-6);
}

TEST(AnalysisSpan, PanStaysInsideTheRangeWithItsWidth) {
    AnalysisSpan span;
    span.Show(7.0, 7.3);
    span.Pan(0.5);
    EXPECT_NEAR(span.low(), 7.15, 1e-12);
    EXPECT_NEAR(span.high(), 7.45, 1e-12);
    span.Pan(-1000);
    EXPECT_DOUBLE_EQ(span.low(), 0.1);
    EXPECT_NEAR(span.width(), 0.3, 1e-12);
    span.Pan(1000);
    EXPECT_DOUBLE_EQ(span.high(), 30);
    EXPECT_NEAR(span.width(), 0.3, 1e-12);
}

TEST(AnalysisSpan, PresetsGiveTheirBandInsideTheSourcesRange) {
    const auto bands = AmateurBands();
    ASSERT_EQ(bands.size(), 10u);
    AnalysisSpan span;
    for (const AmateurBand& band : bands) {
        span.ZoomAbout(20, 0.01);
        EXPECT_TRUE(span.ShowBand(band)) << band.name;
        EXPECT_DOUBLE_EQ(span.low(), band.low_MHz) << band.name;
        EXPECT_NEAR(span.high(), band.high_MHz, 1e-12) << band.name;
    }
    span.ShowWholeRange();
    EXPECT_DOUBLE_EQ(span.low(), 0.1);
    EXPECT_DOUBLE_EQ(span.high(), 30);

    // A measured file over 7.05 to 14.1 MHz: 40 m in part, 20 m in part, 10 m not at all.
    const SpanSource measured({7.05, 14.1});
    AnalysisSpan part(AnalysisSpan::RangeOf(measured));
    EXPECT_DOUBLE_EQ(part.low(), 7.05);
    EXPECT_DOUBLE_EQ(part.high(), 14.1);
    EXPECT_TRUE(part.ShowBand(bands[3]));
    EXPECT_DOUBLE_EQ(part.low(), 7.05);
    EXPECT_DOUBLE_EQ(part.high(), 7.3);
    EXPECT_TRUE(part.ShowBand(bands[5]));
    EXPECT_DOUBLE_EQ(part.high(), 14.1);
    EXPECT_FALSE(part.ShowBand(bands[9]));
    EXPECT_DOUBLE_EQ(part.low(), 14.0);
    // A span reaching past 30 MHz is cut there.
    EXPECT_DOUBLE_EQ(AnalysisSpan::RangeOf(SpanSource({25, 54})).high_MHz, 30);
}

TEST(AnalysisSpan, NarrowSpanHasItsOwnPointsFromTheSource) {
    AnalysisSpan span;
    span.Show(7.095, 7.105);
    const std::vector<double> f = span.Frequencies();
    ASSERT_GE(f.size(), 400u);
    EXPECT_DOUBLE_EQ(f.front(), 7.095);
    EXPECT_DOUBLE_EQ(f.back(), 7.105);
    EXPECT_TRUE(std::is_sorted(f.begin(), f.end()));
    EXPECT_EQ(std::adjacent_find(f.begin(), f.end()), f.end());
    // Every point is asked of the source: no two share a feed point.
    AnalysisSetup setup;
    setup.source = &ClosedFormModel();
    const std::vector<AnalysisPoint> points = Sweep(setup, std::nullopt, f);
    for (std::size_t i = 1; i < points.size(); ++i) {
        ASSERT_TRUE(points[i].antenna);
        EXPECT_NE(points[i].antenna->x, points[i - 1].antenna->x) << f[i];
    }
}
