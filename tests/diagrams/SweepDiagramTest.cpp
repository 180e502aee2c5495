#include "diagrams/SweepDiagram.h"

#include <gtest/gtest.h>

#include <set>

#include "core/Antenna.h"
#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/Pixels.h"

namespace {

const QColor kMarker(0x80, 0x60, 0x40);
const QColor kOperating(0xB0, 0xD0, 0x80);
const QColor kRf(0xE0, 0xE0, 0x00);
const QColor kPositiveX(0xFF, 0x60, 0x00);
const QColor kNegativeX(0x00, 0x80, 0xFF);
const QColor kCm(0x00, 0xB0, 0xB0);
// Grid, markers and the operating-frequency line.
const std::set<QRgb> kFrame = {0x000000, 0x606060, 0x808080, 0xA0A0A0,
                               0xD0D0D0, 0x806040, 0xB0D080};

SweepDiagramInput Defaults() {
    SweepDiagramInput input;
    input.range = {1000, 1000, 1000, 100, 1000, 100, 1000, 100, 100};
    input.shown.fill(false);
    input.markers_MHz = {1.9, 3.7, 7.15, 10.15, 14.2, 18.15, 21.3, 24.95, 28.3, 29.6};
    input.operating_MHz = 7.1;
    return input;
}

QImage Drawn(const SweepDiagramInput& input, bool* completed = nullptr) {
    QWidget parent;
    PictureBox picture("Picture1", 600, 400, &parent);
    const bool done = DrawSweepDiagram(picture, input);
    if (completed) *completed = done;
    return picture.grab().toImage();
}

// Whether the colour appears in the column within `rows` of row y.
bool ColourNear(const QImage& image, int x, double y, const QColor& colour, int rows = 2) {
    for (int row = static_cast<int>(y) - rows; row <= static_cast<int>(y) + rows; ++row) {
        if (row >= 0 && row < image.height() && image.pixelColor(x, row) == colour) return true;
    }
    return false;
}

bool ColumnHas(const QImage& image, int x, const QColor& colour) {
    return ColourNear(image, x, 200, colour, 200);
}

double RfAt(double f_MHz) {
    AntennaInput antenna;
    antenna.frequency_MHz = f_MHz;
    return FeedPointImpedance(antenna)->r_f;
}

}  // namespace

TEST(SweepDiagram, GridMarkersAndOperatingLineStandWhereTheyBelong) {
    const QImage image = Drawn(Defaults());
    // Vertical lines every 1, 5 and 10 MHz, black between them; horizontal lines every 1 %,
    // 5 %, 10 % and 50 % of full scale, also across a marker.
    const struct {
        int x, y;
        QRgb colour;
    } probes[] = {{20, 2, 0x808080},  {100, 2, 0xA0A0A0},  {200, 2, 0xD0D0D0},
                  {10, 2, 0x000000},  {10, 4, 0x606060},   {10, 20, 0x808080},
                  {10, 40, 0xA0A0A0}, {10, 200, 0xD0D0D0}, {37, 4, 0x606060}};
    for (const auto& p : probes) {
        EXPECT_EQ(image.pixel(p.x, p.y) & 0xFFFFFF, p.colour) << p.x << "," << p.y;
    }
    // The marker at 1.9 MHz is a bar 7 pixels wide under the 2 MHz line; 7.1 MHz is a line
    // 3 pixels wide at x = 142, over the grid.
    EXPECT_EQ(ColumnsOf(image, 2, kMarker).mid(0, 6), QList<int>({35, 36, 37, 38, 39, 41}));
    EXPECT_EQ(ColumnsOf(image, 2, kOperating), QList<int>({141, 142, 143}));
    EXPECT_EQ(ColumnsOf(image, 4, kOperating), QList<int>({141, 142, 143}));

    SweepDiagramInput hidden = Defaults();
    hidden.markersShown = false;
    EXPECT_TRUE(ColumnsOf(Drawn(hidden), 2, kMarker).isEmpty());
}

TEST(SweepDiagram, CurvesLandOnTheirScale) {
    SweepDiagramInput input = Defaults();
    input.shown[kCurveRf] = true;
    QImage image = Drawn(input);
    for (double f : {5.0, 10.0, 20.0}) {
        const double y = 399 - 400 * RfAt(f) / 1000;
        EXPECT_TRUE(ColourNear(image, static_cast<int>(20 * f), y, kRf)) << f << " MHz";
    }
    // A range of 100 instead of 1 K lifts the curve tenfold.
    input.range[kCurveRf] = 100;
    image = Drawn(input);
    const double y = 399 - 400 * RfAt(5) / 100;
    EXPECT_TRUE(ColourNear(image, 100, y, kRf));

    // The reactance is plotted by magnitude, blue while capacitive, orange above resonance.
    input = Defaults();
    input.shown[kCurveXf] = true;
    image = Drawn(input);
    EXPECT_TRUE(ColumnHas(image, 100, kNegativeX));
    EXPECT_FALSE(ColumnHas(image, 100, kPositiveX));
    EXPECT_TRUE(ColumnHas(image, 400, kPositiveX));
    EXPECT_FALSE(ColumnHas(image, 400, kNegativeX));
}

TEST(SweepDiagram, MatchingCurveLeavesOutWhatCannotBeBuilt) {
    SweepDiagramInput input = Defaults();
    input.shown[kCurveCm] = true;
    input.network = Network::HpCl;
    const QImage image = Drawn(input);
    // HP-CL needs a parallel resistance of at least 50 Ohm and a positive coil: gaps where
    // it has none, at the frequency and its neighbours.
    auto buildable = [](double f_MHz, MatchValues* values = nullptr) {
        AntennaInput antenna;
        antenna.frequency_MHz = f_MHz;
        const AntennaResult a = *FeedPointImpedance(antenna);
        const MatchValues m = MatchHpCl(a.r_f, a.x_f, f_MHz * 1e6);
        if (values) *values = m;
        return m.c_pF > 0 && m.l_uH > 0;
    };
    int realisable = 0, gaps = 0;
    for (int x = 4; x < 596; x += 4) {
        MatchValues m;
        if (buildable(x / 20.0, &m)) {
            if (m.c_pF >= 1000) continue;
            ++realisable;
            EXPECT_TRUE(ColourNear(image, x, 399 - 400 * m.c_pF / 1000, kCm, 3)) << x;
        } else if (!buildable(x / 20.0 - 0.1) && !buildable(x / 20.0 + 0.1)) {
            ++gaps;
            EXPECT_FALSE(ColumnHas(image, x, kCm)) << x;
        }
    }
    EXPECT_GT(gaps, 0);
    EXPECT_GT(realisable, 0);
}

TEST(SweepDiagram, FaultsAndSwitchesLeaveOnlyTheFrame) {
    SweepDiagramInput input = Defaults();
    input.shown.fill(true);
    input.antenna.diameter_mm = 0;
    bool completed = true;
    const QImage failed = Drawn(input, &completed);
    EXPECT_FALSE(completed);

    EXPECT_EQ(ColoursOf(Drawn(Defaults())), kFrame);
    EXPECT_EQ(ColoursOf(failed), kFrame) << "a diameter of 0 draws no curve";

    input = Defaults();
    input.range[kCurveRf] = 0;  // a range of 0 is a fault too
    input.shown[kCurveRf] = true;
    Drawn(input, &completed);
    EXPECT_FALSE(completed);
}

TEST(SweepDiagram, MainWindowDrawsWhatItsControlsSay) {
    MainWindow w;
    auto* picture = w.form.findChild<QWidget*>("Picture1");
    QImage image = picture->grab().toImage();
    EXPECT_EQ(image.size(), QSize(600, 400));
    EXPECT_TRUE(ColumnHas(image, 100, kNegativeX));
    EXPECT_EQ(image.pixelColor(142, 2), kOperating);

    for (int number : {1, 2, 3, 4, 5, 7, 8, 9, 10}) w.click(QString("Check%1").arg(number));
    EXPECT_EQ(ColoursOf(picture->grab().toImage()), kFrame);

    // A marker edit redraws at once.
    w.field("Text18")->setText("2.5");
    image = picture->grab().toImage();
    EXPECT_EQ(image.pixelColor(50, 2), kMarker);
    EXPECT_EQ(image.pixelColor(38, 2), QColor(Qt::black));
}
