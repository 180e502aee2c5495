// The main window as a desktop window: the menu bar, the help and the tooltips.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <tuple>
#include <vector>

#include "core/Version.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/TempDir.h"

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
