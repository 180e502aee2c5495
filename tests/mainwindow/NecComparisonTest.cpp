// The comparison with NEC-2 in the window: the overlay beside the model's pictures, and what
// a missing or failing nec2c leaves.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <tuple>

#include "nec/Runner.h"
#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/NecStandIn.h"
#include "tests/support/Pixels.h"

namespace {

const char* const kPictures[] = {"Picture1", "Picture5_1", "Picture5_10"};
const QRgb kResistance = 0xE0E000, kPositiveX = 0xFF6000, kNegativeX = 0x0080FF;

struct Window : MainWindow {
    QAction* necSwitch() { return Find<QAction>(form, "NecCompare"); }
    QString status() { return TextOf<QLabel>(form, "StatusLine"); }
    // The status line's last note, which follows the part stress.
    QString necNote() { return status().section("   |   ", -1); }
    QImage picture(const char* name) { return Find<PictureBox>(form, name)->image(); }
    void awaitStatus(const QString& text) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return status().contains(text); }, 30000))
            << status().toStdString();
    }
};

}  // namespace

TEST(NecComparison, ShowsNec2BesideTheModelAndLeavesNoTraceWhenOff) {
    ASSERT_TRUE(NecAvailable()) << "nec2c is missing; scripts/setup.sh installs it";
    // No run of an earlier test from the cache.
    const QTemporaryDir cache;
    const ScopedEnv cacheHome("XDG_CACHE_HOME", cache.path());
    Window plain, w;
    w.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
    QTest::keyClick(Find(w.form, "Text1"), Qt::Key_F7);
    ASSERT_TRUE(w.necSwitch()->isChecked());
    EXPECT_EQ(w.necNote(),
              "NEC-2: computing the rod of 4.5 m, 5 mm in 100 segments (run 1 of 2) ...");
    // The rod's own resistance and reactance, and eta_f, beside the model's.
    w.awaitStatus("NEC-2 at 7.1 MHz: rod R ");
    for (const char* model : {" Ohm (model 7.06, ", " Ohm (model -507.0, ", " % (model 48.4 %)"}) {
        EXPECT_TRUE(w.necNote().contains(model)) << model << " in " << w.status().toStdString();
    }

    // Each of NEC-2's curves while the model's is shown, in its colours.
    const std::tuple<bool, bool, std::set<QRgb>> curves[] = {
        {true, false, {kResistance}}, {false, true, {kPositiveX, kNegativeX}}};
    for (const auto& [resistance, reactance, colours] : curves) {
        for (Window* each : {&plain, &w}) {
            Find<QCheckBox>(each->form, "Check1")->setChecked(resistance);
            Find<QCheckBox>(each->form, "Check2")->setChecked(reactance);
        }
        const std::vector<QRgb> apart =
            ColoursApart(w.picture("Picture1"), plain.picture("Picture1"));
        const std::set<QRgb> added(apart.begin(), apart.end());
        EXPECT_TRUE(Within(added, colours) && !added.empty()) << resistance;
    }
    for (Window* each : {&plain, &w}) Find<QRadioButton>(each->form, "Option8")->click();
    for (const char* view : {"Picture5_1", "Picture5_10"}) {
        EXPECT_GT(InkOf(w.picture(view), Qt::white).count, 30) << view;
        EXPECT_EQ(InkOf(plain.picture(view), Qt::white).count, 0) << view;
    }

    // Another frequency needs no run; another rod does.
    for (Window* each : {&plain, &w}) Find(each->form, "Text8")->setText("14.2");
    EXPECT_TRUE(w.necNote().startsWith("NEC-2 at 14.2 MHz: rod R ")) << w.status().toStdString();
    Find(w.form, "Text1")->setText("5");
    EXPECT_EQ(w.necNote(),
              "NEC-2: computing the rod of 5 m, 5 mm in 100 segments (run 1 of 2) ...");
    Find(w.form, "Text1")->setText("4.5");

    QTest::keyClick(Find(w.form, "Text1"), Qt::Key_F7);
    EXPECT_FALSE(w.status().contains("NEC-2"));
    for (const char* mode : {"Option8", "Option7"}) {
        for (Window* each : {&plain, &w}) Find<QRadioButton>(each->form, mode)->click();
        for (const char* picture : kPictures) {
            EXPECT_EQ(w.picture(picture), plain.picture(picture)) << mode << " " << picture;
        }
    }
}

TEST(NecComparison, WindowKeepsWorkingWhateverBecomesOfNec2c) {
    // A script of nullptr: no nec2c on the PATH.
    const std::tuple<const char*, const char*> cases[] = {
        {nullptr, "NEC-2: nec2c is not installed (Debian package nec2c)"},
        {"exit 1", "NEC-2: nec2c failed with exit code 1"},
        {"exec /bin/sleep 30", "NEC-2: nec2c took longer than 0.3 s and was stopped"}};
    for (const auto& [script, status] : cases) {
        SCOPED_TRACE(status);
        const StandIn standIn(script);
        const QTemporaryDir cache;
        const ScopedEnv cacheHome("XDG_CACHE_HOME", cache.path());
        Window plain, w;
        w.form.necTimeout_ms = 300;
        // The Antenna menu's NEC-2 source follows nec2c as the switch does.
        for (QAction* action : {w.necSwitch(), Find<QAction>(w.form, "AntennaNec")}) {
            EXPECT_EQ(action->isEnabled(), script != nullptr);
            EXPECT_EQ(action->toolTip().contains("Debian package nec2c"), !script);
        }
        // As a switch left on by an earlier run comes back.
        w.necSwitch()->setChecked(true);
        w.awaitStatus(status);
        EXPECT_TRUE(w.necSwitch()->isEnabled()) << "a switch that is on can be turned off";
        for (const char* picture : kPictures) {
            EXPECT_EQ(w.picture(picture), plain.picture(picture)) << picture;
        }
        const int passes = w.form.recalculationCount();
        Find(w.form, "Text8")->setText("14.2");
        EXPECT_EQ(w.form.recalculationCount(), passes + 1);
        EXPECT_EQ(TextOf(w.form, "Text5"), "29.564");
        EXPECT_TRUE(w.status().contains(status));
    }
}
