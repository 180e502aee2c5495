// SWEEP: tuning over the band, the marks on the main window's strip, the average time, and
// every way of stopping a sweep, each of which gives the main window its frequency back.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "app/SweepTuneRun.h"
#include "exports/CsvText.h"
#include "platform/FieldText.h"
#include "platform/FileDialogs.h"
#include "platform/PictureBox.h"
#include "tests/support/SimulatedTime.h"
#include "tests/tuners/TunerSession.h"
#include "tuners/AllSettingsPass.h"

using namespace tuner_test;

namespace {

// The frequency text of the sweep's step k: .1, .2, ..., .9, 1, 1.1, ...
QString StepText(int k) {
    return FieldText(k / 10.0);
}

// What the sweep leaves behind at each frequency it writes into the main window, that is,
// at the start of each step: the tuner's state after the step before.
struct StepRecord {
    QString frequency;
    QColor indicator;
    QStringList shown;  // C, L, SWR, OPs and time (Text10 to Text14) of the step before
    QString average;    // HP-CL Text8
    QString tunerFrequency;
    QColor sweepButton;
    QString comparison;
};

class SweepWatch {
public:
    SweepWatch(Session& s, QWidget& tuner, QWidget& starter) : tuner_(tuner), starter_(starter) {
        QObject::connect(Find(*s.form, "Text8"), &QLineEdit::textChanged, &context_,
                         [this](const QString& f) { Record(f); });
        QObject::connect(Find(tuner, "Text13"), &QLineEdit::textChanged, &context_,
                         [this](const QString& ops) { tunings += ops == "1"; });
    }
    // Also called once the sweep has ended, for the state after its last step.
    void Record(const QString& f) {
        QStringList shown;
        for (const char* field : {"Text10", "Text11", "Text12", "Text13", "Text14"}) {
            shown << TextOf(tuner_, field);
        }
        steps.push_back({f, FillOf(tuner_), shown, TextOf(tuner_, "Text8"), TextOf(tuner_, "Text1"),
                         BackOf(starter_, "Command32"), TextOf<QLabel>(tuner_, "SweepComparison")});
    }

    std::vector<StepRecord> steps;
    int tunings = 0;

private:
    QWidget& tuner_;
    QWidget& starter_;
    QObject context_;
};

PictureBox& Strip(Session& s, const char* name) {
    return *Find<PictureBox>(*s.form, name);
}

bool Marked(Session& s, int x) {
    return Strip(s, "Picture9").image().pixelColor(x, 2) != QColor(Qt::black);
}

}  // namespace

// The sweep's frequency changes arrive inside the pause of a change typed just before; they
// still recalculate at once, so each step tunes its own antenna.
TEST(Sweep, StartedDuringAFrequencyPauseTunesEachStepsAntenna) {
    Session s(SmallBanks());
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    SimulatedTime time;
    s.form->repeatDelay = 0.15f;
    std::map<QString, QString> handedOver;
    QObject context;
    QObject::connect(Find(hpcl, "Text2"), &QLineEdit::textChanged, &context,
                     [&](const QString& r) { handedOver[TextOf(hpcl, "Text1")] = r; });
    QObject::connect(Find(*s.form, "Text8"), &QLineEdit::textChanged, &context,
                     [&](const QString& f) {
                         if (f == "3") s.Soon([&] { hpcl.close(); });
                     });
    time.At(0, [&] { QTest::keyClick(Find(*s.form, "Text8"), Qt::Key_Backspace); });
    time.At(0.05, [&] { Session::Click(hpcl, "Command32"); });
    time.Run();
    for (const char* f : {".5", "1", "2.5"}) {
        Find(*s.form, "Text8")->setText(f);
        EXPECT_EQ(handedOver[f], TextOf(*s.form, "Text5")) << f;
    }
}

// A sweep started from another tuner window sweeps the main window's network, HP-CL: the
// HP-CL window's own SWEEP is refused meanwhile and its AVG stays its own.
TEST(Sweep, EveryStopPathEndsItAtItsNextStep) {
    const struct {
        const char* name;
        std::function<void(Session&, QWidget& starter)> stop;
        bool fromLpLc = false;
    } paths[] = {
        {"a second SWEEP click", [](Session&, QWidget& w) { Session::Click(w, "Command32"); }},
        {"R/X mode", [](Session& s, QWidget&) { s.Choose("Option8"); }},
        {"closing the main window", [](Session& s, QWidget&) { s.form->close(); }},
        {"closing the LP-LC window", [](Session&, QWidget& w) { w.close(); }, true},
    };
    // The stop arrives at 1 MHz, the tenth step: before its TUNE, which then does not run,
    // or during the fifth evaluation of its TUNE, which it ends.
    for (const bool duringTune : {false, true}) {
        for (const auto& path : paths) {
            SCOPED_TRACE(std::string(path.name) + (duringTune ? " during TUNE" : ""));
            Session s(SmallBanks());
            QWidget* starter = path.fromLpLc ? &s.Open(TunerKind::LpLc) : nullptr;
            // The main window's choice changes without its handler, which would close the tuners.
            if (starter) Find<QRadioButton>(*s.form, "Option4")->setChecked(true);
            QWidget& hpcl = s.Open(TunerKind::HpCl);
            if (!starter) starter = &hpcl;
            Find(hpcl, "Text8")->setText("7");
            SweepWatch watch(s, hpcl, *starter);
            bool stopped = false;
            QString refusal;
            auto stepStarted = [&] {
                if (TextOf(*s.form, "Text8") == ".5" && path.fromLpLc) {
                    s.Soon([&] {
                        Session::Click(hpcl, "Command32");
                        refusal = TextOf<QLabel>(hpcl, "StatusLine");
                    });
                }
                if (stopped || TextOf(*s.form, "Text8") != "1") return;
                stopped = true;
                s.Soon([&] { path.stop(s, *starter); });
            };
            QObject context;
            if (duringTune) {
                QObject::connect(Find(hpcl, "Text13"), &QLineEdit::textChanged, &context,
                                 [&](const QString& ops) {
                                     if (ops == "5") stepStarted();
                                 });
            } else {
                QObject::connect(Find(*s.form, "Text8"), &QLineEdit::textChanged, &context,
                                 stepStarted);
            }
            Session::Click(*starter, "Command32");

            ASSERT_TRUE(stopped);
            ASSERT_EQ(watch.steps.size(), 10u);
            EXPECT_EQ(watch.steps.back().frequency, "1");
            EXPECT_EQ(watch.steps[4].sweepButton, kRunning);
            for (const TunerKind kind : kAllKinds) {
                const QWidget* window = TopLevel(EntryOf(kind).form);
                EXPECT_FALSE(window && window->isVisible()) << "all tuners closed";
            }
            EXPECT_EQ(watch.tunings, duringTune ? 10 : 9);
            EXPECT_TRUE(Marked(s, 18));
            for (int x = 20; x < 600; x += 2) ASSERT_FALSE(Marked(s, x)) << x;
            EXPECT_EQ(BackOf(*starter, "Command32"), kIdle);
            EXPECT_EQ(Find<QPushButton>(*starter, "Command32")->text(), "SWEEP");
            EXPECT_EQ(refusal.contains("refused"), path.fromLpLc);
            EXPECT_TRUE(!path.fromLpLc || TextOf(hpcl, "Text8") == "7") << "AVG stays its own";
            // The user's frequency is back, recalculated; closing kept it, not the sweep's.
            EXPECT_EQ(TextOf(*s.form, "Text8"), "7.1");
            EXPECT_EQ(TextOf(*s.form, "Text5"), "9.698");
            EXPECT_NE(ReadBytes(s.dir.file("ORVANE.INI")).find("FREQUMHZ 7.1\r\n"),
                      std::string::npos);
        }
    }
}

// A sweep tunes at every tenth of a megahertz and marks each tuning on the strip, at
// x = 20 f over its full height, in the colour its indicator showed; whatever the strip
// showed moves to the strip above it. HP-CL's AVG (s) is the tuning times so far over the
// number of runs, 10 f. The sweep-tune without a window tunes as the window does: its CSV
// equals the window's export, and its first seven columns what the window showed after
// each step's TUNE (a TUNE refused for want of antenna values shows no setting and leaves
// no mark). The window compares with every bank setting only after the sweep and says what
// the run without a window prints.
TEST(Sweep, RunWithoutAWindowEqualsTheWindowsSweepAndItsComparison) {
    const struct {
        TunerKind kind;
        std::vector<std::pair<std::size_t, std::string>> settings;
    } cases[] = {{TunerKind::HpCl, {}},
                 {TunerKind::LpCl, {}},
                 {TunerKind::LpLc, {}},
                 {TunerKind::LpLc, {{0, "ANTENLEN 0"}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(EntryOf(c.kind).form + std::string(c.settings.empty() ? "" : " refused"));
        Session s(SmallBanks(c.settings));
        const bool refused = !c.settings.empty();
        QWidget& tuner = s.Open(c.kind);
        QImage old(600, 4, QImage::Format_RGB32);
        old.fill(QColor(10, 20, 30));
        for (int x = 0; x < 600; x += 7) old.setPixelColor(x, x % 4, QColor(200, 0, 200));
        Strip(s, "Picture9").SetImage(old);
        SweepWatch watch(s, tuner, tuner);
        Session::Click(tuner, "Command32");
        watch.Record("after");
        EXPECT_EQ(Strip(s, "Picture10").image(), old);
        EXPECT_EQ(watch.tunings, refused ? 0 : 299);
        EXPECT_EQ(watch.steps[0].sweepButton, kRunning);
        EXPECT_TRUE(c.kind != TunerKind::HpCl || watch.steps[0].average == "0");
        EXPECT_TRUE(tuner.isVisible()) << "a sweep that ends leaves its window open";
        EXPECT_EQ(TextOf(*s.form, "Text8"), "7.1") << "and the user's frequency";
        EXPECT_EQ(BackOf(tuner, "Command32"), kIdle);
        const QImage marks = Strip(s, "Picture9").image();
        EXPECT_TRUE(!refused || marks == old) << "a refused TUNE leaves no mark";
        auto* exportButton = Find<QPushButton>(tuner, "ExportSweepTune");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !exportButton->isHidden(); }, 60000));

        QString asked = QString::fromStdString(s.dir.file("window.csv"));
        SetFileAsker([&](const FileQuestion&) { return asked; });
        Session::Click(tuner, "ExportSweepTune");
        testing::internal::CaptureStdout();
        ASSERT_EQ(RunSweepTune(c.kind, s.dir.file("headless.csv"), {}, {}), 0);
        const std::string summary = testing::internal::GetCapturedStdout();
        const std::string headless = ReadBytes(s.dir.file("headless.csv"));
        EXPECT_EQ(ReadBytes(s.dir.file("window.csv")), headless);
        // A write that fails says so in the window.
        asked = QString::fromStdString(s.dir.file("missing/window.csv"));
        Session::Click(tuner, "ExportSweepTune");
        SetFileAsker(nullptr);
        EXPECT_TRUE(TextOf<QLabel>(tuner, "StatusLine").contains("missing/window.csv: cannot"));

        const QStringList lines = QString::fromStdString(headless).split("\r\n");
        ASSERT_EQ(lines.size(), 302);
        ASSERT_EQ(watch.steps.size(), 300u);
        double total = 0;
        int compared = 0, unmatchedSteps = 0;
        for (int k = 1; k <= 299; ++k) {
            const QStringList row = lines[k + 1].split(',');
            ASSERT_EQ(row.size(), 16);
            const StepRecord& after = watch.steps[k];
            EXPECT_EQ(watch.steps[k - 1].frequency, StepText(k));
            EXPECT_EQ(after.tunerFrequency, StepText(k));
            for (int y = 0; y < 4 && !refused; ++y) {
                EXPECT_EQ(marks.pixelColor(2 * k, y), after.indicator) << k;
            }
            total += FieldValue(after.shown[4]);
            if (c.kind == TunerKind::HpCl) {
                EXPECT_EQ(FieldValue(after.average),
                          std::nearbyint(total / (10 * FieldValue(after.tunerFrequency))))
                    << k;
            }
            // A TUNE that matched nothing shows the setting of an earlier one, which the
            // file does not give as this step's.
            const bool matched = after.shown[2] != "9999";
            unmatchedSteps += !matched && !refused;
            const QStringList shown = QStringList{StepText(k)} + after.shown;
            for (int i = 0; i < 6; ++i) {
                const bool setting = i == 1 || i == 2;
                EXPECT_EQ(row[i].toStdString(), shown[i].isEmpty() || (setting && !matched)
                                                    ? ""
                                                    : ExportNumber(FieldValue(shown[i])))
                    << k << " " << i;
            }
            EXPECT_EQ(row[6], after.indicator.name());
            // The found setting's real parts at the main window's 100 W: what they lose is
            // what does not reach the antenna.
            EXPECT_EQ(row[14].isEmpty(), !matched || refused) << k;
            EXPECT_NEAR(row[14].toDouble() + row[15].toDouble(), row[14].isEmpty() ? 0 : 100, 1e-6)
                << k;
            EXPECT_EQ(watch.steps[k - 1].comparison, "") << "no comparison between the steps";
            compared += !row[9].isEmpty();
            // The best of the settings TUNE can set is no better than the best of all.
            EXPECT_TRUE(row[9].isEmpty() || row[13].toDouble() >= row[9].toDouble()) << k;
        }
        EXPECT_TRUE(refused || total > 299) << "the times are not all zero";
        const QString comparison = TextOf<QLabel>(tuner, "SweepComparison");
        // The tooltip says what the comparison is, then its details.
        const QString details =
            Find<QLabel>(tuner, "SweepComparison")->toolTip().section("\n\n", 1);
        EXPECT_EQ(summary, (comparison + "\n" + details + "\n").toStdString())
            << "the run without a window says the same";
        EXPECT_EQ(compared, refused ? 0 : 299);
        EXPECT_EQ(comparison.startsWith("No tuning"), refused) << comparison.toStdString();
        EXPECT_TRUE(c.kind != TunerKind::HpCl || unmatchedSteps > 0) << "some step matches nothing";
    }
}

// A comparison still running when the window closes hands nothing back; one that runs out
// of its budget leaves the rest without a best and says so.
TEST(Sweep, ComparisonStopsWithTheWindowAndAtItsBudget) {
    Session s(SmallBanks());
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    Session::Click(hpcl, "Command32");
    hpcl.close();
    QTest::qWait(200);
    EXPECT_EQ(TextOf<QLabel>(hpcl, "SweepComparison"), "");
    EXPECT_TRUE(Find<QPushButton>(hpcl, "ExportSweepTune")->isHidden());

    std::vector<SweepTuneRow> rows(3);
    for (SweepTuneRow& row : rows) {
        row.load = TunerLoad{7.1e6, {9.698, -413.522}};
        row.banks = BankSetup{.cStep = 7.5, .lStep = 0.25, .range = {1023, 511}};
    }
    QObject receiver;
    AllSettingsPass pass(&receiver);
    std::optional<bool> complete;
    pass.Start(
        TunerKind::LpCl, rows, 0, [](int, int) {},
        [&](std::vector<SweepTuneRow> compared, bool whole) {
            complete = whole;
            EXPECT_FALSE(compared[0].best.has_value());
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return complete.has_value(); }, 10000));
    EXPECT_FALSE(*complete);
}
