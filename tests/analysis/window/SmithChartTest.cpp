// The Smith chart's pixels: known impedances land where the drawn chart has them, at two
// sizes and two device pixel ratios.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "analysis/AnalysisLook.h"
#include "analysis/SmithChart.h"

namespace {

// An antenna of 50 + j50 Ohm at every frequency: its locus is one point where the r = 1
// circle meets the x = +1 arc.
class FixedLoad final : public AntennaSource {
public:
    SourceKind kind() const override { return SourceKind::Measured; }
    std::optional<AntennaResult> FeedPoint(const AntennaInput&) const override {
        AntennaResult a;
        a.r_f = 50;
        a.x_f = 50;
        return a;
    }
};

int Distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

// What a pixel shows: the rim is the darkest line, the grid a light one, the locus blue.
using Ink = bool (*)(QColor);
bool Rim(QColor c) {
    return c.red() + c.green() + c.blue() < 3 * 175;
}
bool Grid(QColor c) {
    const int sum = c.red() + c.green() + c.blue();
    return sum > 3 * 150 && sum < 3 * 242 && std::abs(c.red() - c.blue()) < 30;
}
bool Locus(QColor c) {
    return Distance(c, look::kAntenna) < 90;
}

// Whether that ink lies within a pixel or two of a point given in pixels.
bool InkNear(const QImage& image, QPointF at, Ink ink) {
    const double ratio = image.devicePixelRatio();
    const int cx = static_cast<int>(std::lround(at.x() * ratio));
    const int cy = static_cast<int>(std::lround(at.y() * ratio));
    const int reach = static_cast<int>(std::ceil(ratio)) + 1;
    for (int y = cy - reach; y <= cy + reach; ++y) {
        for (int x = cx - reach; x <= cx + reach; ++x) {
            if (image.rect().contains(x, y) && ink(image.pixelColor(x, y))) return true;
        }
    }
    return false;
}

// Where the rim crosses a row, from both sides, in device pixels.
std::pair<int, int> RimOnRow(const QImage& image, int row) {
    int left = -1, right = -1;
    for (int x = 0; x < image.width() && left < 0; ++x) {
        if (Distance(image.pixelColor(x, row), look::kRim) < 60) left = x;
    }
    for (int x = image.width() - 1; x >= 0 && right < 0; --x) {
        if (Distance(image.pixelColor(x, row), look::kRim) < 60) right = x;
    }
    return {left, right};
}

}  // namespace

TEST(SmithChartPixels, KnownImpedancesLandOnTheChartAtEverySizeAndRatio) {
    auto source = std::make_shared<FixedLoad>();
    AnalysisSetup setup;
    // No set frequency: no network to match, nothing drawn but the chart and the locus.
    setup.input.frequency_MHz = 0;
    const AnalysisScene scene = MakeScene(source, setup, AnalysisSpan({7, 7.2}), {});
    for (const QSize size : {QSize(420, 360), QSize(700, 760)}) {
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(QString("%1 x %2 at %3")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(ratio)
                             .toStdString());
            SmithChart chart;
            chart.resize(size);
            chart.SetScene(&scene);
            QImage image(size * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            chart.render(&image);

            // The drawn rim, measured on two rows of the lower half, gives centre and radius.
            const int row1 = static_cast<int>(image.height() * 0.62);
            const int row2 = static_cast<int>(image.height() * 0.80);
            const auto [l1, r1] = RimOnRow(image, row1);
            const auto [l2, r2] = RimOnRow(image, row2);
            ASSERT_TRUE(l1 >= 0 && l2 >= 0);
            const double cx = (l1 + r1 + l2 + r2) / 4.0 / ratio;
            const double c1 = (r1 - l1) / 2.0 / ratio, c2 = (r2 - l2) / 2.0 / ratio;
            const double y1 = row1 / ratio, y2 = row2 / ratio;
            // c1^2 + (y1 - cy)^2 = c2^2 + (y2 - cy)^2
            const double cy = (c2 * c2 - c1 * c1 + y2 * y2 - y1 * y1) / (2 * (y2 - y1));
            const double radius = std::hypot(c1, y1 - cy);
            EXPECT_NEAR(cx, size.width() / 2.0, 1.5);
            EXPECT_NEAR(cy, size.height() / 2.0, 1.5);
            EXPECT_GT(radius, std::min(size.width(), size.height()) * 0.4) << "fills the view";

            const struct {
                Impedance z;
                double gx, gy;  // where the picture has it, in radii from the centre, y up
                Ink ink;
            } landmarks[] = {
                {{50, 0}, 0, 0, Grid},         // centre, on r = 1 and the real axis
                {{0, 0}, -1, 0, Rim},          // short
                {{0, 50}, 0, 1, Rim},          // +j50 at the top
                {{0, -50}, 0, -1, Rim},        // -j50 at the bottom
                {{50, -50}, 0.2, -0.4, Grid},  // r = 1 and x = -1
                {{100, 0}, 1.0 / 3, 0, Grid},  // r = 2 on the axis
                {{50, 50}, 0.2, 0.4, Locus},   // the locus: r = 1 and x = +1
            };
            for (const auto& [z, gx, gy, ink] : landmarks) {
                const QPointF expected(cx + gx * radius, cy - gy * radius);
                const QPointF mapped = chart.PixelOf(z);
                EXPECT_NEAR(mapped.x(), expected.x(), 1.5) << z.r << " " << z.x;
                EXPECT_NEAR(mapped.y(), expected.y(), 1.5) << z.r << " " << z.x;
                EXPECT_TRUE(InkNear(image, expected, ink)) << z.r << " " << z.x;
            }
            // The mirror image of the locus is empty: up is inductive.
            EXPECT_FALSE(InkNear(image, QPointF(cx + 0.2 * radius, cy + 0.4 * radius), Locus));
        }
    }
}
