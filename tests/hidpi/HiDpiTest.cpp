// Pictures on a screen of 150 % or 200 % (run with QT_SCALE_FACTOR), and a main window
// moved between screens of 100 % and 200 % (run on two offscreen screens).
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "diagrams/Schematics.h"
#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/Pixels.h"

namespace {

struct ShownWindow : MainWindow {
    ShownWindow() {
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
    QTest::mouseClick(w.picture("Picture2"), Qt::LeftButton);
    PictureBox* tunerSchematic = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Form2") tunerSchematic = window->findChild<PictureBox*>();
    }
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
