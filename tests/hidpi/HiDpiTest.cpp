// Pictures on a screen of 150 % or 200 % (run with QT_SCALE_FACTOR), a main window moved
// between screens of 100 % and 200 % (run on two offscreen screens), and the window's fit on
// screens of 100 to 200 % (run on the screens of fit-screens.json).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <set>
#include <tuple>

#include "diagrams/Schematics.h"
#include "mainwindow/WindowFit.h"
#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/Pixels.h"

namespace {

struct ShownWindow : MainWindow {
    // Shown on that screen, if given, asked for at that offset from its available area's corner.
    explicit ShownWindow(QScreen* screen = nullptr, QPoint offset = {}) {
        if (screen) {
            form.setScreen(screen);
            form.move(screen->availableGeometry().topLeft() + offset);
        }
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    PictureBox* picture(const char* name) { return Find<PictureBox>(form, name); }
};

}  // namespace

TEST(HiDpi, EveryPictureIsDrawnInTheScreensDevicePixels) {
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_GT(ratio, 1) << "run with a scale factor above 1";
    ShownWindow w;
    w.click("Option8");  // the impedance plane, drawn in full
    QWidget* tuner = OpenTuner(w.form);
    ASSERT_TRUE(tuner);
    PictureBox* tunerSchematic = tuner->findChild<PictureBox*>();
    ASSERT_TRUE(tunerSchematic);

    std::vector<PictureBox*> pictures = {tunerSchematic};
    for (const char* name : {"Picture1", "Picture5_1", "Picture5_10", "Picture2", "Picture3",
                             "Picture4", "Picture6", "Picture7", "Picture8"}) {
        pictures.push_back(w.picture(name));
    }
    // What each picture shows at this ratio, and the same drawing at 1x.
    auto drawAll = [&](qreal r) {
        for (PictureBox* picture : pictures) picture->SetPixelRatio(r);
        w.form.DrawSweepDiagram();
        std::vector<QImage> images;
        for (PictureBox* picture : pictures) images.push_back(picture->image());
        return images;
    };
    const std::vector<QImage> at1x = drawAll(1);
    const std::vector<QImage> drawn = drawAll(ratio);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QString name = pictures[i]->objectName();
        const QImage shown = pictures[i]->grab().toImage();
        EXPECT_EQ(shown.size(), pictures[i]->size() * ratio) << name.toStdString();
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_EQ(shown, drawn[i]) << name.toStdString() << ": shown as drawn";
        // Finer than the 1x picture blown up, and with no colour it did not have.
        EXPECT_NE(drawn[i],
                  at1x[i].scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation))
            << name.toStdString();
        EXPECT_TRUE(Within(ColoursOf(drawn[i]), ColoursOf(at1x[i]))) << name.toStdString();
    }

    // The strips: a mark one unit wide covers the ratio's share of device pixels.
    w.form.MarkTuningStrip(100.5f, Qt::green);
    const QImage strip = w.picture("Picture9")->grab().toImage();
    EXPECT_EQ(strip.size(), QSize(600, 4) * ratio);
    EXPECT_EQ(ColumnsOf(strip, 0, Qt::green).size(), qRound(ratio));
}

TEST(ScreenChange, PicturesFollowTheWindowToAScreenOfAnotherRatio) {
    QScreen *normal = nullptr, *doubled = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        (screen->devicePixelRatio() == 2 ? doubled : normal) = screen;
    }
    ASSERT_TRUE(normal && doubled) << "run on two offscreen screens of 100 % and 200 %";
    ASSERT_EQ(normal->devicePixelRatio(), 1);
    ShownWindow w;
    auto moveTo = [&w](QScreen* screen) {
        w.form.windowHandle()->setScreen(screen);
        QApplication::processEvents();
        QApplication::processEvents();
    };
    moveTo(normal);
    w.form.MarkTuningStrip(100, Qt::green);
    w.form.RetireTuningStrip();
    w.form.MarkTuningStrip(200, Qt::green);
    const QImage diagramAt1x = w.picture("Picture1")->image();
    auto marks = [&w](const char* strip) {
        return ColumnsOf(w.picture(strip)->grab().toImage(), 0, Qt::green);
    };

    moveTo(doubled);
    PictureBox* diagram = w.picture("Picture1");
    const QImage moved = diagram->image();
    EXPECT_EQ(moved.size(), QSize(1200, 800));
    w.form.DrawSweepDiagram();
    EXPECT_EQ(diagram->image(), moved) << "drawn afresh, not blown up";
    QWidget parent;
    PictureBox schematic("Picture2", 120, 72, &parent);
    schematic.setFont(w.picture("Picture2")->font());
    schematic.SetPixelRatio(2);
    DrawSchematic(schematic, Network::HpCl);
    EXPECT_EQ(w.picture("Picture2")->grab().toImage(), schematic.image());
    EXPECT_EQ(marks("Picture9"), QList<int>({200, 201, 400, 401}));
    EXPECT_EQ(marks("Picture10"), QList<int>({200, 201}));

    moveTo(normal);
    EXPECT_EQ(diagram->grab().toImage(), diagramAt1x);
    EXPECT_EQ(marks("Picture9"), QList<int>({100, 200}));
    EXPECT_EQ(marks("Picture10"), QList<int>({100}));
}

namespace {

bool WholeDevicePixels(const QSize& size, qreal ratio) {
    for (const int length : {size.width(), size.height()}) {
        if (std::abs(length * ratio - std::round(length * ratio)) > 1e-9) return false;
    }
    return true;
}

}  // namespace

// Each screen has the design shown whole in whole device pixels where its available area
// holds it with the frame; the one too small keeps the window within it and scrolls to every
// control. The
// window is asked for partly above each screen, as one kept from a larger screen may be.
TEST(ScreenFit, DesignShowsWholeAtEveryScaleWhereTheAreaHoldsIt) {
    std::set<qreal> ratios;
    for (QScreen* screen : QGuiApplication::screens()) {
        SCOPED_TRACE(screen->name().toStdString());
        const qreal ratio = screen->devicePixelRatio();
        ratios.insert(ratio);
        ShownWindow w(screen, QPoint(30, -40));
        const QRect area = screen->availableGeometry();
        EXPECT_TRUE(area.contains(w.form.frameGeometry()));
        EXPECT_TRUE(WholeDevicePixels(w.form.size(), ratio))
            << w.form.size().width() << "x" << w.form.size().height();
        const QSize design = Find<QWidget>(w.form, "Design")->size();
        const QSize frame = w.form.frameGeometry().size() - w.form.size();
        const QSize needed = design + QSize(0, w.form.menuBar()->height()) + frame;
        const bool holds = area.width() >= needed.width() && area.height() >= needed.height();
        auto* scroll = Find<QScrollArea>(w.form, "DesignScroll");
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), !holds);
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), !holds);
        if (holds) {
            EXPECT_TRUE(QRect(QPoint(), scroll->viewport()->size()).contains(QRect({}, design)));
        }
        if (ratio == 1) {
            EXPECT_EQ(w.form.size(), QSize(1262, 690 + w.form.menuBar()->height()))
                << "a large screen shows the design as it is";
        }
        // Every field and button (but for the hidden impedance-plane frame's) can be scrolled to.
        for (QWidget* control : w.form.findChildren<QWidget*>()) {
            if (!control->isVisible() ||
                (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control)))
                continue;
            const QPoint centre = control->mapTo(scroll->widget(), control->rect().center());
            scroll->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1,
                                  control->height() / 2 + 1);
            const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
            EXPECT_TRUE(scroll->viewport()->rect().contains(shown))
                << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(ratios, std::set<qreal>({1, 1.25, 1.5, 1.75, 2}));
}

// Before the window manager has framed the window the frame is an estimate; wherever it
// lies, the client area leaves room for it within the available area, in whole device pixels.
TEST(ScreenFit, FrameAndTitleBarStayWithinTheAvailableArea) {
    const QSize design(1262, 709);
    const std::tuple<QRect, QMargins, qreal, QPoint> cases[] = {
        {{0, 0, 853, 480}, {2, 30, 2, 2}, 1.5, {0, 0}},
        {{0, 27, 1920, 1053}, {1, 37, 1, 1}, 1.5, {100, 10}},
        {{0, 27, 1920, 1053}, {1, 37, 1, 1}, 1.5, {100, 80}},
        {{1920, 0, 1600, 900}, {4, 24, 4, 4}, 1.75, {2000, 30}},
        {{0, 0, 1268, 716}, {2, 2, 2, 2}, 1.25, {2, 2}},
        {{0, 0, 2304, 1296}, {2, 2, 2, 2}, 1.25, {500, 300}}};
    for (const auto& [area, frame, ratio, at] : cases) {
        SCOPED_TRACE(
            QString("%1x%2 at %3").arg(area.width()).arg(area.height()).arg(ratio).toStdString());
        const QRect client = FitWindow(design, {area, frame, ratio, 15}, at);
        EXPECT_TRUE(area.contains(client.marginsAdded(frame)));
        const QSize room = area.size().shrunkBy(frame);
        const bool holds = room.width() >= design.width() && room.height() >= design.height();
        EXPECT_EQ(client.width() >= design.width() && client.height() >= design.height(), holds);
        EXPECT_TRUE(WholeDevicePixels(client.size(), ratio) || !holds);
        // A window that lay within the area stays where it was.
        if (area.contains(QRect(at, design).marginsAdded(frame)) && holds) {
            EXPECT_EQ(client.topLeft(), at);
        }
    }
}
