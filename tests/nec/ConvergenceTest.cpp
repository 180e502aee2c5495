#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "NecData.h"
#include "nec/Convergence.h"

namespace {

// The points of a stored report of real nec2c runs at the check frequencies, and the
// segments it used.
struct StoredRun {
    std::vector<NecPoint> points;
    int segments = 0;
};

StoredRun Stored(const std::string& name) {
    const std::string text = NecData(name);
    StoredRun run{ReadNecReport(text).points, 0};
    const std::string key = "TOTAL SEGMENTS USED:";
    const std::size_t at = text.find(key);
    if (at != std::string::npos) run.segments = std::stoi(text.substr(at + key.size()));
    return run;
}

// For the default rod and a thin 2.5 m rod, the segmentation chosen is within 2 % of a run
// with 1.5 times the segments at the bands that matter, and the estimate from the run at half
// the segments is no smaller than what is still left to converge.
TEST(NecConvergence, ChosenSegmentationAgainstRealRunsWithMoreSegments) {
    const struct {
        double length_m, diameter_mm;
        const char* rod;
        const char* note;
    } rods[] = {{4.5, 5, "4.5m_5mm", "NEC-2, 100 segments, about +-7 % below 25 MHz"},
                {2.5, 1, "2.5m_1mm", "NEC-2, 100 segments, about +-3 % below 25 MHz"}};
    for (const auto& rod : rods) {
        SCOPED_TRACE(rod.rod);
        const NecDeck deck = WriteNecDeck(rod.length_m, rod.diameter_mm);
        const StoredRun chosen = Stored(std::string("rod_") + rod.rod + "_100seg.out");
        const StoredRun half = Stored(std::string("rod_") + rod.rod + "_50seg.out");
        const StoredRun more = Stored(std::string("rod_") + rod.rod + "_150seg.out");
        ASSERT_EQ(chosen.points.size(), std::size(kConvergenceCheck_MHz));
        EXPECT_EQ(chosen.segments, deck.segmentation.segments);
        EXPECT_EQ(half.segments,
                  WriteNecDeck(rod.length_m, rod.diameter_mm, 2).segmentation.segments);
        EXPECT_EQ(more.segments * 2, chosen.segments * 3);

        const std::optional<ConvergedNec> run =
            EstimateConvergence(rod.length_m, rod.diameter_mm, deck.segmentation, half.segments,
                                chosen.points, half.points);
        ASSERT_TRUE(run);
        EXPECT_EQ(ConvergenceNote(*run), rod.note);
        for (std::size_t i = 0; i < chosen.points.size(); ++i) {
            const double f = chosen.points[i].frequency_MHz;
            const Impedance a = chosen.points[i].base, b = more.points[i].base;
            ASSERT_EQ(f, more.points[i].frequency_MHz);
            const double dr = std::abs(a.r - b.r) / std::abs(b.r);
            const double dx = std::abs(a.x - b.x) / std::abs(b.x);
            if (f == 3.7 || f == 7.1 || f == 14.2 || f == 21.3) {
                EXPECT_LT(dr, 0.02) << f;
                EXPECT_LT(dx, 0.02) << f;
            }
            EXPECT_GE(run->error_pct, 100 * dr) << f;
        }
    }
}

// The cache gives back exactly the run it was written from, and nothing for another rod,
// segmentation or a damaged text.
TEST(NecConvergence, CacheTextReadsBackOnlyForItsRod) {
    ConvergedNec run{4.5, 5, {100, false}, 50, {}, 2.71828};
    for (int i = 0; i < kNecFrequencyCount; ++i) {
        run.points.push_back({NecFrequency_MHz(i), {0.1 * i + 1.0 / 3, -1000.0 / (i + 1)}});
    }
    const std::string text = NecCacheText(run);
    const std::optional<ConvergedNec> back = ReadNecCache(text, 4.5, 5, {100, false});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->checkSegments, 50);
    EXPECT_EQ(back->error_pct, run.error_pct);
    ASSERT_EQ(back->points.size(), run.points.size());
    for (std::size_t i = 0; i < run.points.size(); ++i) {
        EXPECT_EQ(back->points[i].frequency_MHz, run.points[i].frequency_MHz);
        EXPECT_EQ(back->points[i].base.r, run.points[i].base.r);
        EXPECT_EQ(back->points[i].base.x, run.points[i].base.x);
    }

    std::string cut = text.substr(0, text.size() - 4);
    std::string changed = text;
    changed.replace(changed.find("\n3 "), 3, "\n3.5 ");
    const struct {
        std::string text;
        double length_m, diameter_mm;
        RodSegmentation segmentation;
    } misses[] = {
        {text, 4.6, 5, {100, false}}, {text, 4.5, 6, {100, false}},
        {text, 4.5, 5, {101, false}}, {text, 4.5, 5, {100, true}},
        {cut, 4.5, 5, {100, false}},  {changed, 4.5, 5, {100, false}},
        {"", 4.5, 5, {100, false}},   {"Orvane NEC-2 run 1\nrod x", 4.5, 5, {100, false}}};
    for (const auto& miss : misses) {
        EXPECT_FALSE(ReadNecCache(miss.text, miss.length_m, miss.diameter_mm, miss.segmentation));
    }
    EXPECT_NE(NecCacheFileName(4.5, 5, {100, false}), NecCacheFileName(4.5, 5, {100, true}));
    EXPECT_NE(NecCacheFileName(4.5, 5, {100, false}), NecCacheFileName(4.5, 50, {100, false}));
}

}  // namespace
