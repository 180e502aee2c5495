// The Antenna menu: a measured file or NEC-2 in place of the closed-form model, everywhere the
// window shows the antenna, and back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QRadioButton>
#include <QSettings>

#include "core/NumberFormat.h"
#include "nec/Comparison.h"
#include "nec/Runner.h"
#include "platform/PictureBox.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/nec/NecData.h"
#include "tests/support/NecStandIn.h"

namespace {

const char* const kAntennaFields[] = {"Text5", "Text6", "Text9", "Text15", "Text44"};
const char* const kNetworkFields[] = {"Text11", "Text12", "Text13", "Text14", "Text30",
                                      "Text31", "Text32", "Text34", "Text35", "Text36",
                                      "Text37", "Text38", "Text39", "Text40"};
const char* const kBaseElements[] = {"Text45", "Text17", "Text4"};

struct Window : MainWindow {
    QString status() const { return TextOf<QLabel>(form, "StatusLine"); }
    QAction* action(const char* name) const { return Find<QAction>(form, name); }
    // Reads the file in the background as the menu does, and waits for it to be used or
    // refused.
    void open(const std::string& path) {
        const QString title = form.windowTitle();
        const QString name = QFileInfo(QString::fromStdString(path)).fileName();
        form.OpenMeasuredFile(QString::fromStdString(path));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return form.windowTitle() != title || status().contains(name + ":") ||
                       status().contains(name + " line");
            },
            30000));
    }
    QStringList results() const {
        QStringList all;
        for (const char* name : kAntennaFields) all << TextOf(form, name);
        for (const char* name : kNetworkFields) all << TextOf(form, name);
        return all;
    }
    // The main window's own picture, not a tuner window's of the same name.
    QImage picture(const char* name) const {
        for (PictureBox* box : form.findChildren<PictureBox*>(name)) {
            if (box->window() == &form) return box->image();
        }
        return {};
    }
};

// The model's own feed point every 0.1 MHz, as an analyser file of Z in Ohm.
std::string ModelAsMeasured() {
    std::string text = "! the closed-form model\n# MHz Z RI R 1\n";
    AntennaInput in;
    for (int i = 1; i <= 300; ++i) {
        in.frequency_MHz = i / 10.0;
        const AntennaResult a = FeedPointImpedance(in).value();
        text += ShortestText(in.frequency_MHz) + " " + ShortestText(a.r_f) + " " +
                ShortestText(a.x_f) + "\n";
    }
    return text;
}

}  // namespace

// A file of the model's own impedances gives the model's results at its points and close to
// them between; the efficiencies are empty, the base elements out of use with a reason, and
// the tuner takes the same feed point. Choosing the model again gives today's window back,
// pixel for pixel.
TEST(AntennaSource, MeasuredModelEqualsTheModel) {
    Window plain, w;
    WriteBytes(w.dir.file("model.s1p"), ModelAsMeasured());
    const QImage sweep = plain.picture("Picture1");
    w.open(w.dir.file("model.s1p"));
    EXPECT_EQ(w.form.windowTitle(), "ORVANE - measured: model.s1p");
    EXPECT_TRUE(w.status().startsWith("Measured model.s1p, as measured"))
        << w.status().toStdString();
    EXPECT_EQ(w.form.antennaSource().kind(), SourceKind::Measured);

    for (const char* f : {"7.1", "14.2", "3.7"}) {
        for (Window* each : {&plain, &w}) each->field("Text8")->setText(f);
        EXPECT_EQ(w.results(), plain.results()) << f;
        EXPECT_EQ(TextOf(w.form, "Text10"), "");
        EXPECT_EQ(TextOf(w.form, "Text42"), "");
    }
    for (const char* f : {"7.15", "21.37"}) {
        for (Window* each : {&plain, &w}) each->field("Text8")->setText(f);
        for (const char* name : kAntennaFields) {
            const double model = TextOf(plain.form, name).toDouble();
            EXPECT_NEAR(TextOf(w.form, name).toDouble(), model, 0.01 * std::abs(model) + 0.002)
                << name << " at " << f;
        }
    }
    EXPECT_TRUE(Find(w.form, "Text10")->toolTip().contains("cannot tell"));
    for (const char* name : kBaseElements) {
        EXPECT_FALSE(Find(w.form, name)->isEnabled()) << name;
        EXPECT_TRUE(Find(w.form, name)->toolTip().contains("already in it")) << name;
    }

    QStringList feed;
    for (Window* each : {&plain, &w}) {
        each->field("Text8")->setText("7.1");
        QWidget* tuner = OpenTuner(each->form);
        ASSERT_TRUE(tuner);
        feed << TextOf(*tuner, "Text2") + " " + TextOf(*tuner, "Text3");
        tuner->close();
    }
    EXPECT_EQ(feed[0], feed[1]);
    EXPECT_NE(feed[0], " ");

    w.action("AntennaModel")->trigger();
    EXPECT_EQ(w.form.windowTitle(), "ORVANE");
    EXPECT_EQ(w.results(), plain.results());
    EXPECT_EQ(TextOf(w.form, "Text10"), TextOf(plain.form, "Text10"));
    for (const char* name : kBaseElements) {
        EXPECT_TRUE(Find(w.form, name)->isEnabled()) << name;
        EXPECT_EQ(Find(w.form, name)->toolTip(), Find(plain.form, name)->toolTip()) << name;
    }
    EXPECT_EQ(w.picture("Picture1"), sweep);
    for (Window* each : {&plain, &w}) each->click("Option8");
    for (const char* view : {"Picture5_1", "Picture5_10"})
        EXPECT_EQ(w.picture(view), plain.picture(view));
    EXPECT_EQ(w.status(), plain.status());
}

// Outside the measured span nothing is shown, and the curves stay inside it; the bare-rod
// check adds the base elements as the model adds them.
TEST(AntennaSource, OnlyInsideTheMeasuredSpan) {
    Window w;
    WriteBytes(w.dir.file("whip-40m.s1p"),
               "# MHz Z RI R 50\n6.9 0.3 -0.5\n7.1 0.35 0.01\n7.4 0.4 0.6\n");
    w.open(w.dir.file("whip-40m.s1p"));
    EXPECT_EQ(TextOf(w.form, "Text5"), "17.5");
    w.field("Text8")->setText("20");
    for (const char* name : kAntennaFields) EXPECT_EQ(TextOf(w.form, name), "") << name;
    for (const char* name : kNetworkFields) EXPECT_EQ(TextOf(w.form, name), "") << name;
    EXPECT_TRUE(w.status().startsWith("20 MHz is outside the measured 6.90 to 7.40 MHz"))
        << w.status().toStdString();
    // The curves' pixels lie between 6.9 and 7.4 MHz (20 pixels per MHz), nowhere else.
    const QImage sweep = w.picture("Picture1");
    const int ratio = sweep.width() / 600;
    const QRect inside((int(6.9 * 20) - 2) * ratio, 0, (int(0.5 * 20) + 5) * ratio, 400 * ratio);
    const QImage empty = [&] {
        Window none;
        none.form.SetAntennaSource(std::make_shared<TabulatedSource>(
            std::make_shared<const ImpedanceTable>(std::vector<ImpedancePoint>{}),
            TabulatedSource::Meaning::FeedPoint, TabulatedSource::Label{}));
        none.field("Text8")->setText("20");
        return none.picture("Picture1");
    }();
    EXPECT_TRUE(ColoursApart(sweep, empty, inside).empty());
    EXPECT_FALSE(ColoursApart(sweep, empty).empty());

    // As after a failed pass: the tuner gets no feed point, and TUNE refuses.
    QWidget* tuner = OpenTuner(w.form);
    ASSERT_TRUE(tuner);
    EXPECT_EQ(TextOf(*tuner, "Text2"), "");
    tuner->close();

    // The base coil's Q counts only where Orvane adds the coil.
    const auto coilTip = [&] {
        w.action("Losses")->trigger();
        return Find(w.form, "QCoil")->toolTip();
    };
    EXPECT_TRUE(coilTip().startsWith("The antenna in use is measured as fed"));
    w.field("Text8")->setText("7.1");
    w.action("AntennaBareRod")->setChecked(true);
    EXPECT_FALSE(coilTip().startsWith("The antenna in use is measured"));
    for (const char* name : kBaseElements) EXPECT_TRUE(Find(w.form, name)->isEnabled()) << name;
    AntennaInput in;
    const AntennaResult bare = FeedPointOfRod({17.5, 0.5}, in).value();
    EXPECT_NEAR(TextOf(w.form, "Text5").toDouble(), bare.r_f, 0.001);
    EXPECT_NE(TextOf(w.form, "Text5"), "17.5");
    EXPECT_TRUE(w.status().contains("the bare rod with coil")) << w.status().toStdString();
}

// A file that cannot be read leaves the source in use and says why; the file menu's last
// files and the source come back at the program's own start.
TEST(AntennaSource, BadFilesKeepTheSourceAndTheChoiceIsKept) {
    QSettings().clear();
    {
        Window w;
        w.form.KeepViewState();
        WriteBytes(w.dir.file("bad.s1p"), "# MHz S RI R 50\n7 0 0\n7.1 0\n");
        WriteBytes(w.dir.file("whip.s1p"), "# MHz Z RI R 50\n7 0.3 -0.5\n7.2 0.35 0.01\n");
        w.open(w.dir.file("whip.s1p"));
        const QStringList before = w.results();
        w.open(w.dir.file("bad.s1p"));
        EXPECT_TRUE(w.status().startsWith("bad.s1p line 3: 3 numbers expected, found 2"))
            << w.status().toStdString();
        EXPECT_EQ(w.form.windowTitle(), "ORVANE - measured: whip.s1p");
        EXPECT_EQ(w.results(), before);
        w.open(w.dir.file("missing.s1p"));
        EXPECT_TRUE(w.status().contains("missing.s1p: cannot be opened"))
            << w.status().toStdString();
        w.action("AntennaBareRod")->setChecked(true);
        EXPECT_EQ(w.action("AntennaRecent1")->toolTip(),
                  QString::fromStdString(w.dir.file("whip.s1p")));
        EXPECT_FALSE(w.form.findChild<QAction*>("AntennaRecent2"));
        const QStringList shown = w.results();
        w.form.close();

        Window plain;
        EXPECT_EQ(plain.form.windowTitle(), "ORVANE") << "only the program's own start restores";
        Window restored;
        restored.form.KeepViewState();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return restored.form.windowTitle() != "ORVANE"; }, 30000));
        EXPECT_EQ(restored.form.windowTitle(), "ORVANE - measured: whip.s1p");
        EXPECT_TRUE(restored.action("AntennaBareRod")->isChecked());
        EXPECT_EQ(restored.results(), shown);
    }
    QSettings().clear();
}

// NEC-2 as the source: the converged run's values with the base elements added, its
// error estimate in the status line, and the comparison from the same run.
TEST(AntennaSource, Nec2IsTheConvergedRun) {
    ASSERT_TRUE(NecAvailable()) << "nec2c is missing; scripts/setup.sh installs it";
    const QTemporaryDir cache;
    const ScopedEnv cacheHome("XDG_CACHE_HOME", cache.path());
    Window w;
    ASSERT_TRUE(w.action("AntennaNec")->isEnabled());
    w.action("AntennaNec")->trigger();
    EXPECT_EQ(w.form.windowTitle(), "ORVANE - NEC-2 model");
    EXPECT_TRUE(w.status().startsWith("NEC-2: computing the rod of 4.5 m, 5 mm in 100 segments"))
        << w.status().toStdString();
    EXPECT_EQ(TextOf(w.form, "Text5"), "");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return w.status().startsWith("NEC-2: checking the rod of 4.5 m, 5 mm in 50"); },
        60000))
        << w.status().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !TextOf(w.form, "Text5").isEmpty(); }, 60000));
    EXPECT_TRUE(w.status().startsWith("NEC-2, 100 segments, about +-7 % below 25 MHz"))
        << w.status().toStdString();
    const NecPoint recorded = ReadNecReport(NecData("rod_4.5m_5mm_100seg.out")).points.at(2);
    const AntennaResult expected = FeedPointOfRod(recorded.base, AntennaInput{}).value();
    EXPECT_NEAR(TextOf(w.form, "Text5").toDouble(), expected.r_f, 0.002);
    EXPECT_NEAR(TextOf(w.form, "Text10").toDouble(), expected.eta_f, 0.01);
    EXPECT_TRUE(Find(w.form, "Text17")->isEnabled());

    Find<QAction>(w.form, "NecCompare")->setChecked(true);
    EXPECT_TRUE(w.status().contains("NEC-2 at 7.1 MHz: rod R ")) << "no second run";
}
