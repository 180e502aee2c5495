// The main window as a desktop window: its size on each screen, the menu bar, the help and
// the tooltips.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <tuple>
#include <vector>

#include "core/Version.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/TempDir.h"

// The test's screens (screens.json): the primary one of 1920 x 1200, 1920 x 1080 at 200 % and
// 1024 x 600.
TEST(Window, FitsEveryScreenAndEveryControlCanBeScrolledTo) {
    ASSERT_EQ(QGuiApplication::screens().size(), 3) << "run it with the screens of screens.json";
    for (QScreen* screen : QGuiApplication::screens()) {
        SCOPED_TRACE(screen->name().toStdString());
        MainWindow w;
        w.form.setScreen(screen);
        w.form.move(screen->availableGeometry().topLeft());
        w.form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form));

        EXPECT_TRUE(screen->availableGeometry().contains(w.form.frameGeometry()));
        auto* scroll = Find<QScrollArea>(w.form, "DesignScroll");
        const bool large = screen->name() == "Big";
        if (large) {
            EXPECT_EQ(w.form.size(), QSize(1262, 690 + w.form.menuBar()->height()))
                << "a large screen shows the design as it is";
        }
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), !large);
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), !large);

        QWidget* design = Find<QWidget>(w.form, "Design");
        QWidget* viewport = scroll->viewport();
        for (QWidget* control : w.form.findChildren<QWidget*>()) {
            // Fields and buttons, but for those of the hidden impedance-plane frame.
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QAbstractButton*>(control))
                continue;
            if (!control->isVisible()) continue;
            const QPoint centre = control->mapTo(design, control->rect().center());
            scroll->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1,
                                  control->height() / 2 + 1);
            const QRect shown(control->mapTo(viewport, QPoint(0, 0)), control->size());
            EXPECT_TRUE(viewport->rect().contains(shown)) << control->objectName().toStdString();
        }
    }
}

// The Help menu opens the using page and the about box once each; the README carries the page
// word for word; fields and pictures explain themselves in their tooltips.
TEST(Window, HelpMenuReadmeAndTooltipsExplainTheWindow) {
    MainWindow w;
    QMenu* help = Find<QMenu>(w.form, "HelpMenu");
    EXPECT_EQ(w.form.menuBar()->actions().back(), help->menuAction()) << "Help comes last";

    for (int time = 0; time < 2; ++time) {
        MenuAction(*help, "Using Orvane")->trigger();
        MenuAction(*help, "About Orvane")->trigger();
    }
    const QList<QDialog*> pages = w.form.findChildren<QDialog*>("UsingOrvane");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages.front()->isVisible());
    const QString page = Find<QTextBrowser>(*pages.front(), "")->toPlainText();
    for (const char* topic : {"red", "schematic", "SWEEP again", "Ctrl+T", "Enter"}) {
        EXPECT_TRUE(page.contains(topic)) << topic;
    }

    const QList<QMessageBox*> abouts = w.form.findChildren<QMessageBox*>("AboutOrvane");
    ASSERT_EQ(abouts.size(), 1);
    EXPECT_FALSE(abouts.front()->isModal()) << "the main window stays usable";
    const QString about = abouts.front()->text();
    for (const QString& part :
         {QString(kOrvaneVersion), QString("GPL-3.0-or-later"), QString(qVersion())}) {
        EXPECT_TRUE(about.contains(part)) << part.toStdString();
    }

    QFile source(":/help/using-orvane.md");
    QFile readme(ORVANE_SOURCE_DIR "/README.md");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QByteArray text = source.readAll();
    EXPECT_GT(text.size(), 1000);
    EXPECT_TRUE(readme.readAll().contains("## Using Orvane\n\n" + text));

    for (QLineEdit* field : w.form.findChildren<QLineEdit*>()) {
        EXPECT_FALSE(field->toolTip().isEmpty()) << field->objectName().toStdString();
    }
    const std::tuple<const char*, std::vector<const char*>> cases[] = {
        {"Text1", {"Rod length in m", "1 to 30", "0.1"}},
        {"Text5", {"R_f", "Red: the last calculation failed"}},
        {"Text35",
         {"L_m of LP-CL", "outside the matching limits", "calculation failed", "no solution"}},
        {"Text44", {"U_f", "Red: the last calculation failed"}},
        {"Picture6", {"LP-CL", "opens its tuner"}}};
    for (const auto& [control, says] : cases) {
        const QString tip = Find<QWidget>(w.form, control)->toolTip();
        for (const char* part : says) {
            EXPECT_TRUE(tip.contains(QString::fromUtf8(part))) << control << ": " << part;
        }
    }
    EXPECT_FALSE(Find<QWidget>(w.form, "Picture3")->toolTip().contains("tuner"))
        << "HP-LC has no tuner";
}
