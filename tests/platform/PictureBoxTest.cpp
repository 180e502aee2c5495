#include "platform/PictureBox.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <random>
#include <tuple>

#include "platform/PixelLines.h"
#include "tests/support/Pixels.h"

namespace {

const QColor kInk(0x20, 0xC0, 0x60);

}  // namespace

TEST(PictureBox, OnePixelLinesSetThePixelsOfQtsOnePixelPen) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(-6, 54), y(-6, 38);
    std::uniform_int_distribution<int> halfSteps(-8, 104), nudge(0, 2);
    for (int i = 0; i < 4000; ++i) {
        // Anywhere; curve steps half a pixel wide; whole pixels; (nearly) single points.
        QPointF from(x(random), y(random)), to(x(random), y(random));
        if (i % 4 == 1) {
            from.setX(halfSteps(random) / 2.0f);
            to.setX(from.x() + 0.5f);
        } else if (i % 4 == 2) {
            from = from.toPoint();
            to = to.toPoint();
        } else if (i % 4 == 3) {
            to = from + QPointF(nudge(random) * 0.37f, nudge(random) * 0.41f);
        }
        QImage expected(48, 32, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QImage drawn = expected.copy();
        {
            QPainter painter(&expected);
            QPen pen(kInk, 1);
            pen.setCosmetic(true);
            painter.setPen(pen);
            from == to ? painter.drawPoint(from) : painter.drawLine(from, to);
        }
        DrawPixelLine(drawn, from, to, kInk.rgb());
        ASSERT_EQ(drawn, expected) << from.x() << "," << from.y() << " " << to.x() << "," << to.y();
    }
    // An end that is not a number draws nothing; one far off draws the part that shows.
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (const double end : {std::nan(""), -HUGE_VAL, 1e300}) {
        DrawPixelLine(image, QPointF(end, 3), QPointF(5, 5), kInk.rgb());
        DrawPixelPoint(image, QPointF(5, end), kInk.rgb());
    }
    EXPECT_EQ(InkOf(image, kInk).bounds, QRect(5, 5, 43, 1));
}

// A dot of width w covers a w x w block at any ratio; a wide arc meets a wide line without a
// step.
TEST(PictureBox, WideDotsArcsAndLinesCoverWholeBlocks) {
    QWidget parent;
    const std::tuple<qreal, int, int> cases[] = {{1, 1, 1}, {1, 2, 2},   {1, 3, 3},  {1, 4, 4},
                                                 {1, 5, 5}, {1, 7, 7},   {2, 1, 2},  {2, 2, 4},
                                                 {2, 4, 8}, {1.5, 2, 3}, {1.5, 4, 6}};
    for (const auto& [ratio, width, deviceSize] : cases) {
        for (const QPointF at :
             {QPointF(20, 12), QPointF(20.3, 12.6), QPointF(20.5, 12.5), QPointF(21.7, 11.2)}) {
            PictureBox box("Picture", 48, 32, &parent);
            box.SetPixelRatio(ratio);
            box.SetScale(0, 32, 48, -32);  // y up, as in the impedance plane
            box.SetForeColor(kInk);
            box.SetDrawWidth(width);
            box.PSet(at.x(), at.y());
            const Ink dot = InkOf(box.image(), kInk);
            EXPECT_EQ(dot.count, deviceSize * deviceSize)
                << width << " at " << ratio << "x, " << at.x() << "," << at.y();
            EXPECT_EQ(dot.bounds.size(), QSize(deviceSize, deviceSize));
            // The dot holds the pixel a one-pixel dot would take.
            EXPECT_TRUE(
                dot.bounds.contains(PixelOf(at.x() * ratio), PixelOf((32 - at.y()) * ratio)));
        }
    }

    PictureBox box("Picture", 120, 80, &parent);
    box.SetForeColor(kInk);
    box.SetDrawWidth(2);
    // A wide circle's arc coming down to x = 70.3 at row 40, a line going on from there.
    box.Arc(70.3 - 1e4, 40, 1e4, -0.001, 0);
    box.Line(70.3, 40, 70.3, 50);
    for (int y = 31; y < 50; ++y) {
        EXPECT_EQ(ColumnsOf(box.image(), y, kInk), QList<int>({70, 71})) << "row " << y;
    }
}

TEST(PictureBox, RatioOfAHiddenBoxScalesWhatWasDrawnAndAsksForARedraw) {
    QWidget parent;
    PictureBox box("Picture9", 600, 4, &parent);
    QSignalSpy redraws(&box, &PictureBox::pixelRatioChanged);
    box.SetForeColor(kInk);
    box.Line(100, 0, 100, 4);

    box.SetPixelRatio(2);
    box.SetPixelRatio(2);
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_EQ(box.image().size(), QSize(1200, 8));
    EXPECT_EQ(box.image().devicePixelRatio(), 2);
    EXPECT_EQ(InkOf(box.image(), kInk).bounds, QRect(200, 0, 2, 8)) << "the mark survives";
    // Drawn at the new ratio: a line of width 1 is two device pixels wide.
    box.Line(300, 0, 300, 4);
    EXPECT_EQ(InkOf(box.image(), kInk).count, 2 * 16);

    // A copy keeps its size in units; back at 1x every pixel is as drawn there.
    PictureBox copy("Picture10", 600, 4, &parent);
    copy.SetImage(box.image());
    EXPECT_EQ(copy.image().size(), QSize(600, 4));
    box.SetPixelRatio(1);
    EXPECT_EQ(InkOf(box.image(), kInk).bounds, QRect(100, 0, 201, 4));
    EXPECT_EQ(copy.image(), box.image());
}
