#include <gtest/gtest.h>

#include <cmath>

#include "antenna/MeasuredSource.h"
#include "antenna/ShownResults.h"
#include "antenna/SourceText.h"

namespace {

std::shared_ptr<const ImpedanceTable> Table(std::vector<ImpedancePoint> points) {
    return std::make_shared<const ImpedanceTable>(std::move(points));
}

// Exact at the measured points, nothing outside the span; inside a step a resonance moves
// along its circle: X crosses 0 once and smoothly, R stays finite and positive.
TEST(ImpedanceTable, InterpolatesTheReflectionBetweenPoints) {
    const ImpedanceTable table({{6.9, {20, -300}}, {7.3, {20, 300}}, {7.4, {25.5, 310.25}}});
    EXPECT_EQ(table.span().low_MHz, 6.9);
    EXPECT_EQ(table.span().high_MHz, 7.4);
    for (const ImpedancePoint& p : table.points()) {
        const std::optional<Impedance> z = table.At(p.f_MHz);
        ASSERT_TRUE(z);
        EXPECT_EQ(z->r, p.z.r);
        EXPECT_EQ(z->x, p.z.x);
    }
    for (const double outside : {6.8999, 7.4001, 0.0, -7.1, std::nan("")}) {
        EXPECT_FALSE(table.At(outside)) << outside;
    }

    double previousX = -300;
    int signChanges = 0;
    for (int i = 1; i < 400; ++i) {
        const double f = 6.9 + 0.4 * i / 400;
        const std::optional<Impedance> z = table.At(f);
        ASSERT_TRUE(z) << f;
        EXPECT_GT(z->r, 0) << f;
        EXPECT_LT(z->r, 1e4) << f;
        // Through the reflection coefficient every small step of f is a small step of X.
        EXPECT_LT(std::abs(z->x - previousX), 60) << f;
        if ((z->x > 0) != (previousX > 0)) ++signChanges;
        previousX = z->x;
    }
    EXPECT_EQ(signChanges, 1);
    // The two ends mirror each other: the reflection is real half way, so X is 0 there.
    EXPECT_NEAR(table.At(7.1)->x, 0, 1e-9);
}

// As measured the file's impedance is the feed point, R and X to the last bit; as the bare
// rod the model's chain adds coil, base capacitance and losses.
TEST(TabulatedSource, FollowsTheMeaningOfItsTable) {
    const AntennaInput input{.frequency_MHz = 7.1, .cfoot_pF = 10, .lcoil_uH = 2, .aeloss_Ohm = 5};
    MeasuredAntenna measured{Table({{7.0, {30, -20}}, {7.1, {30, -20}}, {7.2, {31, -19}}}),
                             "/x/whip.s1p"};
    const auto asMeasured = MeasuredSource(measured, false);
    const std::optional<AntennaResult> a = asMeasured->FeedPoint(input);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->r_f, 30);
    EXPECT_EQ(a->x_f, -20);
    EXPECT_DOUBLE_EQ(a->z_f, std::hypot(30, -20));
    Checked c;
    EXPECT_DOUBLE_EQ(a->swr_f, StandingWaveRatio({30, -20}, c));
    EXPECT_EQ(asMeasured->kind(), SourceKind::Measured);
    EXPECT_FALSE(asMeasured->knowsEfficiency());
    EXPECT_FALSE(asMeasured->usesBaseElements());

    const auto bare = MeasuredSource(measured, true);
    const std::optional<AntennaResult> b = bare->FeedPoint(input);
    const std::optional<AntennaResult> chain = FeedPointOfRod({30, -20}, input);
    ASSERT_TRUE(b && chain);
    EXPECT_EQ(b->r_f, chain->r_f);
    EXPECT_EQ(b->x_f, chain->x_f);
    EXPECT_TRUE(bare->usesBaseElements());
    EXPECT_FALSE(bare->knowsEfficiency());

    const TabulatedSource nec(measured.table, TabulatedSource::Meaning::NecRod, {"NEC-2", "", ""});
    EXPECT_EQ(nec.kind(), SourceKind::Nec2);
    EXPECT_TRUE(nec.knowsEfficiency());
    EXPECT_EQ(nec.FeedPoint(input)->eta_f, chain->eta_f);

    AntennaInput out = input;
    out.frequency_MHz = 7.3;
    EXPECT_FALSE(asMeasured->FeedPoint(out));
    EXPECT_FALSE(bare->FeedPoint(out));

    EXPECT_TRUE(ShowAntenna(*asMeasured, input, false).efficiencyUnknown);
}

TEST(SourceText, NamesEachSourceAndTheSpan) {
    MeasuredAntenna measured{Table({{6.9, {30, -20}}, {7.4, {31, -19}}}), "/home/ham/whip-40m.s1p",
                             true, 2};
    const auto file = MeasuredSource(measured, false);
    const TabulatedSource nec(measured.table, TabulatedSource::Meaning::NecRod,
                              {"NEC-2", "", "NEC-2, 100 segments, about +-3 % below 25 MHz"});
    const struct {
        const AntennaSource& source;
        const char *word, *comment, *title, *note;
    } cases[] = {
        {ClosedFormModel(), "model", "# source: model", "", ""},
        {*file, "measured", "# source: measured /home/ham/whip-40m.s1p", "measured: whip-40m.s1p",
         "Measured whip-40m.s1p, as measured; S11 of the two-port file is the antenna; 2 points "
         "have R below 0 (a calibration error?), kept as measured"},
        {nec, "nec2", "# source: nec2", "NEC-2 model",
         "NEC-2, 100 segments, about +-3 % below 25 MHz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SourceWord(c.source), c.word);
        EXPECT_EQ(SourceCommentLine(c.source), c.comment);
        EXPECT_EQ(SourceTitle(c.source), c.title);
        EXPECT_EQ(SourceNote(c.source), c.note);
    }
    EXPECT_EQ(OutsideSpanNote(*file, 7.5), "7.5 MHz is outside the measured 6.90 to 7.40 MHz");
    EXPECT_EQ(OutsideSpanNote(*file, 7.1), "");
    EXPECT_EQ(OutsideSpanNote(ClosedFormModel(), 70), "");
}

}  // namespace
