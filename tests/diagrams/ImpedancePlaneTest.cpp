#include "diagrams/ImpedancePlane.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/PictureBox.h"
#include "platform/PixelLines.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/Pixels.h"

namespace {

const QColor kShade(0x70, 0x00, 0x00);
const QColor kTarget(0xFF, 0xFF, 0x00);
const QColor kLocus(0xFF, 0x00, 0xFF);
const QColor kCapacitorPath(0x00, 0xB0, 0xB0);
const QColor kInductorPath(0xFF, 0x80, 0x00);

struct Views {
    QWidget parent;
    PictureBox fine{"Picture5_1", 276, 424, &parent};
    PictureBox coarse{"Picture5_10", 276, 424, &parent};
    Views() {
        SetImpedanceScale(fine);
        SetImpedanceScale(coarse);
    }
    ImpedanceViews views() { return {fine, coarse}; }
};

// Pixel of an impedance (Ohm) in view k.
QColor At(const QImage& image, double r, double x, double k = 1) {
    return image.pixelColor(static_cast<int>(r / k), static_cast<int>(212 - x / k));
}

bool Contains(const QImage& image, const QColor& colour) {
    return InkOf(image, colour).count > 0;
}

struct RxWindow : MainWindow {
    RxWindow(const char* network, const char* f_MHz) {
        click(network);
        field("Text8")->setText(f_MHz);
        click("Option8");
    }
    QImage fine() { return form.findChild<QWidget*>("Picture5_1")->grab().toImage(); }
    QImage coarse() { return form.findChild<QWidget*>("Picture5_10")->grab().toImage(); }
};

}  // namespace

TEST(ImpedancePlane, ShadingMarksWhatEachNetworkCannotMatch) {
    // Probe points clear of the grid: upper strip, disc, lower strip, outside all.
    const QPointF probes[] = {{20, 110}, {25, -12}, {30, -170}, {160, -130}};
    using Shaded = std::array<bool, 4>;
    const std::pair<Network, Shaded> cases[] = {{Network::HpCl, {true, true, false, false}},
                                                {Network::HpLc, {false, false, true, true}},
                                                {Network::LpLc, {false, true, true, false}},
                                                {Network::LpCl, {true, false, false, true}},
                                                {Network::HpClc, {false, false, false, false}},
                                                {Network::LpClc, {false, false, false, false}}};
    for (const auto& [network, shaded] : cases) {
        Views v;
        DrawImpedanceGrid(v.views(), network);
        const QImage fine = v.fine.grab().toImage();
        const QImage coarse = v.coarse.grab().toImage();
        const int n = static_cast<int>(network);
        for (std::size_t i = 0; i < std::size(probes); ++i) {
            EXPECT_EQ(At(fine, probes[i].x(), probes[i].y()) == kShade, shaded[i]) << n << " " << i;
        }
        // The coarse view scales the region by ten: R < 5 units.
        EXPECT_EQ(At(coarse, 20, 1100, 10) == kShade, shaded[0]) << n;
        EXPECT_EQ(At(coarse, 600, 1100, 10) == kShade, shaded[3]) << n;
        // The 50 Ohm point: x = 50 in the fine view, x = 5 in the coarse one.
        EXPECT_EQ(fine.pixelColor(50, 212), kTarget);
        EXPECT_EQ(coarse.pixelColor(5, 212), kTarget);
        EXPECT_NE(coarse.pixelColor(50, 212), kTarget);
    }
}

TEST(ImpedancePlane, LocusPointsGrowAtWholeAndFiveMegahertz) {
    const struct {
        double r, x, f_Hz;
        int size;
    } points[] = {
        {100, 50, 3.2e6, 2},           // an ordinary point
        {200, -100, 6.0e6 - 1e-9, 3},  // a whole MHz after the sweep's additions
        {150, 0, 10e6, 5},             // a multiple of 5 MHz, labelled
    };
    for (const auto& p : points) {
        Views v;
        PlotLocusPoint(v.views(), p.r, p.x, p.f_Hz);
        for (const auto& [view, k] : {std::pair(&v.fine, 1.0), std::pair(&v.coarse, 10.0)}) {
            const QImage image = view->grab().toImage();
            // Square dots on the point's pixel; the label starts right of the biggest.
            const QPoint at(PixelOf(p.r / k), PixelOf(212 - p.x / k));
            const QRect dot = InkOf(image, kLocus, QRect(at - QPoint(3, 3), QSize(6, 6))).bounds;
            EXPECT_EQ(dot, QRect(at - QPoint(1, 1) * ((p.size - 1) / 2), QSize(p.size, p.size)))
                << p.f_Hz << " Hz in view " << k;
        }
        const int labelPixels =
            InkOf(v.fine.grab().toImage(), kLocus, QRect(156, 212, 24, 14)).count;
        EXPECT_EQ(labelPixels > 5, p.size == 5) << "\" 10\" right of the dot";
    }
    Views v;
    EXPECT_FALSE(PlotLocusPoint(v.views(), 1e300, 0, 1e6)) << "beyond single precision";
}

TEST(ImpedancePlane, MainWindowDrawsGridLocusAndThePathOfItsNetworkInSetColours) {
    RxWindow w("Option4", "14.2");
    QImage fine = w.fine();
    EXPECT_EQ(fine.pixelColor(50, 212 - 50), kCapacitorPath) << "series C down to 50 Ohm";
    // The shunt coil runs along the antenna's circle through its right-most point.
    bool coil = false;
    for (int x = 220; x < 230; ++x) coil = coil || fine.pixelColor(x, 212) == kInductorPath;
    EXPECT_TRUE(coil);
    EXPECT_TRUE(Contains(fine, kLocus));
    EXPECT_TRUE(Contains(w.coarse(), kCapacitorPath));
    // Labels and letters included, nothing is smoothed into colours of its own.
    const std::set<QRgb> plane = {0x000000, 0x700000, 0x909090, 0xB0B0B0,
                                  0xFFFF00, 0xFF00FF, 0x00B0B0, 0xFF8000};
    const std::set<QRgb> schematic = {0xECECE4, 0x000000, 0x282828, 0x008080, 0xD06000};
    const std::pair<const char*, const std::set<QRgb>&> pictures[] = {
        {"Picture5_1", plane},   {"Picture5_10", plane},  {"Picture2", schematic},
        {"Picture3", schematic}, {"Picture4", schematic}, {"Picture6", schematic},
        {"Picture7", schematic}, {"Picture8", schematic}};
    for (const auto& [name, colours] : pictures) {
        const std::set<QRgb> drawn = ColoursOf(w.form.findChild<QWidget*>(name)->grab().toImage());
        EXPECT_TRUE(Within(drawn, colours)) << name << " has " << drawn.size() << " colours";
    }

    // Another network without a solution here: no path, but grid and locus.
    w.click("Option5");
    fine = w.fine();
    EXPECT_FALSE(Contains(fine, kCapacitorPath));
    EXPECT_FALSE(Contains(fine, kInductorPath));
    EXPECT_TRUE(Contains(fine, kLocus));

    // HP-CLC: dashes 4 units long every 8 below the antenna point (R = 29.565, X = -76.057).
    w.click("Option6");
    fine = w.fine();
    int dashed = 0, gaps = 0;
    for (int y = 212 + 80; y < 212 + 140; ++y) {
        const bool on =
            fine.pixelColor(29, y) == kCapacitorPath || fine.pixelColor(30, y) == kCapacitorPath;
        on ? ++dashed : ++gaps;
    }
    EXPECT_GT(dashed, 15);
    EXPECT_GT(gaps, 15);
    w.field("Text8")->setText("18.15");
    w.click("Option11");
    EXPECT_TRUE(Contains(w.fine(), kCapacitorPath));
    EXPECT_TRUE(Contains(w.fine(), kInductorPath));

    // Sweep mode leaves both views empty.
    w.click("Option7");
    EXPECT_FALSE(Contains(w.fine(), kLocus));
    EXPECT_FALSE(Contains(w.fine(), kCapacitorPath));
}
