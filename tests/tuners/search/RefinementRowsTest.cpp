#include <gtest/gtest.h>

#include <vector>

#include "tests/tuners/search/FakeTuner.h"
#include "tuners/search/TunerSearch.h"

using namespace fake;

namespace {

struct Row {
    TunerKind kind;
    IndexRange range;
    Setting best;
    double swr;
    int lLow, lHigh, lStep, cLow, cHigh;  // the first pass, at capacitor step 6
};

}  // namespace

TEST(Refinement, FirstPassWindowByBestSwr) {
    const Row rows[] = {
        // HP-CL around (63, 255): 10 and more, 3 to below 10, below 3.
        {TunerKind::HpCl, {127, 511}, {63, 255}, 10, 169, 384, 6, 41, 96},
        {TunerKind::HpCl, {127, 511}, {63, 255}, 3, 190, 341, 6, 46, 85},
        {TunerKind::HpCl, {127, 511}, {63, 255}, 2.99, 203, 320, 6, 49, 80},
        // LP-LC around (64, 16): always, below 10 (elsewhere), below 3.
        {TunerKind::LpLc, {1023, 511}, {64, 16}, 10, 7, 33, 6, 31, 129},
        {TunerKind::LpLc, {1023, 511}, {64, 16}, 2.99, 11, 22, 6, 47, 86},
        // LP-CL around (38, 20): the first row spans up to the top of the capacitor bank.
        {TunerKind::LpCl, {127, 31}, {38, 20}, 3, 9, 31, 1, 3, 127},
        {TunerKind::LpCl, {127, 31}, {38, 20}, 2.99, 17, 23, 1, 12, 115},
    };
    for (const Row& row : rows) {
        RecordingHost host([&row](int16_t c, int16_t l) -> std::optional<double> {
            return Setting{c, l} == row.best ? row.swr : 20;
        });
        BestSetting best;
        RunSearch(row.kind, host, row.range, best);
        ASSERT_EQ(host.coarse().size(), 1u);
        ASSERT_EQ(host.coarse()[0].best, row.best);
        const std::vector<Setting> pass =
            Grid(Span(row.lLow, row.lHigh, row.lStep), Span(row.cLow, row.cHigh, 6));
        const auto first = host.evaluated().begin() + host.coarse()[0].shownAfter;
        ASSERT_GE(host.evaluated().end() - first, static_cast<std::ptrdiff_t>(pass.size()));
        EXPECT_EQ(std::vector<Setting>(first, first + static_cast<std::ptrdiff_t>(pass.size())),
                  pass)
            << static_cast<int>(row.kind) << " at " << row.swr;
    }
}

TEST(Refinement, WindowProductsOfLargeIndicesDoNotOverflow) {
    // Around (14563, 10) below SWR 3 the upper capacitor edge 14563 * 3 + 1 exceeds 16 bits;
    // it is clamped to the top of the bank, so the pass still starts at 14563 / 3 - 1.
    const IndexRange range{32767, 30};
    RecordingHost host([](int16_t c, int16_t l) -> std::optional<double> {
        return c == 14563 && l == 10 ? 2.5 : 20;
    });
    BestSetting best;
    RunSearch(TunerKind::LpCl, host, range, best);
    ASSERT_EQ(host.coarse().size(), 1u);
    const size_t coarse = static_cast<size_t>(host.coarse()[0].shownAfter);
    ASSERT_GT(host.evaluated().size(), coarse + 2);
    EXPECT_EQ(host.evaluated()[coarse], (Setting{4853, 8}));
    EXPECT_EQ(host.evaluated()[coarse + 1], (Setting{4859, 8}));
    EXPECT_EQ(host.Operations(), 1202);
}
