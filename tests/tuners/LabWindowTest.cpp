// "Compare searches": the tuner lab of each tuner window, run over the band in the
// background or at the set frequency, against the run without a window and the sweep-tune.
#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <cmath>

#include "app/SweepTuneRun.h"
#include "app/TunerLabRun.h"
#include "core/NumberFormat.h"
#include "platform/FileDialogs.h"
#include "tests/tuners/TunerSession.h"
#include "tuners/search/lab/TunerLab.h"

using namespace tuner_test;

namespace {

QWidget& OpenLab(Session& s, TunerKind kind) {
    QWidget& tuner = s.Open(kind);
    Session::Click(tuner, "CompareSearches");
    auto* lab = tuner.findChild<QWidget*>("TunerLab");
    if (!lab || !lab->isVisible()) qFatal("the lab did not open");
    return *lab;
}

// Clicks and waits until the run has handed back its results.
void RunLab(QWidget& lab, const char* button) {
    Session::Click(lab, button);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Find<QPushButton>(lab, "LabHere")->isEnabled(); }, 120000));
}

QString Note(const QWidget& lab) {
    return TextOf<QLabel>(lab, "LabNote");
}

QStringList Cells(const QWidget& lab, int row) {
    const auto* table = Find<QTableWidget>(lab, "LabTable");
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

QStringList Words(const QString& text) {
    return text.split(QRegularExpression(R"(\s+)"), Qt::SkipEmptyParts);
}

std::string Exported(Session& s, QWidget& lab, const char* name) {
    const std::string path = s.dir.file(name);
    SetFileAsker([&](const FileQuestion&) { return QString::fromStdString(path); });
    Session::Click(lab, "LabExport");
    SetFileAsker(nullptr);
    return ReadBytes(path);
}

// The records of a CSV text, its header first; lines starting with '#' are comments.
std::vector<QStringList> Records(const std::string& csv) {
    std::vector<QStringList> records;
    for (const QString& line : QString::fromStdString(csv).split("\r\n", Qt::SkipEmptyParts)) {
        if (!line.startsWith('#')) records.push_back(line.split(','));
    }
    return records;
}

}  // namespace

// What came after the design goes where the window has room: inside it, over none of its
// other controls.
TEST(TunerLab, CompareSearchesAndTheLossLineSitBesideTheWindowsOwnControls) {
    Session s;
    for (const TunerKind kind : kAllKinds) {
        QWidget& tuner = s.Open(kind);
        for (const char* added : {"CompareSearches", "LossLine"}) {
            const QRect place = Find<QWidget>(tuner, added)->geometry();
            EXPECT_TRUE(tuner.rect().contains(place)) << added;
            for (const QWidget* control :
                 tuner.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (control->isWindow() || control->objectName() == added) continue;
                EXPECT_FALSE(control->geometry().intersects(place))
                    << added << " over " << control->objectName().toStdString();
            }
        }
    }
}

// Over the band the lab runs in the background: progress comes through the window's event
// loop. Its results are those of the run without a window, the file byte for byte and the
// table as the printed summary; the run's TUNE rows are the sweep-tune's, row for row.
TEST(TunerLab, OverTheBandEqualsTheRunWithoutAWindowAndTheSweepTune) {
    for (const TunerKind kind : kAllKinds) {
        SCOPED_TRACE(EntryOf(kind).form);
        Session s(SmallBanks());
        QWidget& lab = OpenLab(s, kind);
        int progressed = 0;
        QObject context;
        QObject::connect(Find<QProgressBar>(lab, "LabProgress"), &QProgressBar::valueChanged,
                         &context, [&](int value) { progressed = std::max(progressed, value); });
        RunLab(lab, "LabBand");
        EXPECT_EQ(progressed, 299);
        const std::string window = Exported(s, lab, "window.csv");

        testing::internal::CaptureStdout();
        ASSERT_EQ(RunTunerLab(kind, s.dir.file("headless.csv"), {}), 0);
        const QStringList printed = QString::fromStdString(testing::internal::GetCapturedStdout())
                                        .split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(ReadBytes(s.dir.file("headless.csv")), window);
        for (const Strategy strategy : kStrategies) {
            const QString title = StrategyTitle(strategy);
            const auto line = std::find_if(printed.begin(), printed.end(),
                                           [&](const QString& l) { return l.startsWith(title); });
            ASSERT_NE(line, printed.end()) << title.toStdString();
            EXPECT_EQ(Words(*line),
                      Words(title) + Words(Cells(lab, static_cast<int>(strategy)).join(' ')));
        }
        const auto* plot = Find<QCustomPlot>(lab, "LabPlot");
        ASSERT_EQ(plot->graphCount(), static_cast<int>(kStrategyCount));
        for (int i = 0; i < plot->graphCount(); ++i) EXPECT_EQ(plot->graph(i)->dataCount(), 299);

        const std::vector<QStringList> lab_ = Records(window);
        ASSERT_EQ(lab_.size(), 1 + 299 * kStrategyCount);
        testing::internal::CaptureStdout();
        ASSERT_EQ(RunSweepTune(kind, s.dir.file("sweep.csv"), {}, {}), 0);
        testing::internal::GetCapturedStdout();
        const std::vector<QStringList> sweep = Records(ReadBytes(s.dir.file("sweep.csv")));
        ASSERT_EQ(sweep.size(), 300u);
        for (std::size_t k = 1; k <= 299; ++k) {
            const QStringList& tune = lab_[1 + (k - 1) * kStrategyCount];
            ASSERT_EQ(tune[1], "tune");
            EXPECT_EQ(tune[0], sweep[k][0]);
            EXPECT_EQ(tune[2], sweep[k][1]) << k;
            EXPECT_EQ(tune[3], sweep[k][2]) << k;
            // The sweep-tune gives the SWR as the tuner shows it.
            EXPECT_EQ(std::floor(tune[4].toDouble() * 100) / 100, sweep[k][3].toDouble()) << k;
        }
    }
}

// At the set frequency the lab tunes the tuner's own antenna fields. The time follows the
// relay times of its fields. Banks TUNE refuses, missing antenna values and a relay time
// that is not one are said in its note.
TEST(TunerLab, AtTheSetFrequencyTheTimeFollowsTheRelayTimes) {
    Session s(SmallBanks());
    Find(*s.form, "Text8")->setText("7.1");
    QWidget& lab = OpenLab(s, TunerKind::LpCl);
    RunLab(lab, "LabHere");
    EXPECT_TRUE(Note(lab).startsWith("LP-CL at 7.1 MHz")) << Note(lab).toStdString();
    // With no relay times, each setting takes its measurement only.
    for (const char* field : {"LabOperate", "LabRelease"}) {
        Find(lab, field)->clear();
        QTest::keyClicks(Find(lab, field), "0");
    }
    QTest::keyClicks(Find(lab, "LabMeasure"), "0");  // 100 ms
    for (int row = 0; row < static_cast<int>(kStrategyCount); ++row) {
        const QStringList cells = Cells(lab, row);
        EXPECT_EQ(cells[6].toStdString(), FixedText(cells[4].toDouble() * 100 / 1000, 2));
    }
    Find(lab, "LabMeasure")->clear();
    QTest::keyClicks(Find(lab, "LabMeasure"), "-");
    EXPECT_EQ(TextOf(lab, "LabMeasure"), "") << "no negative times";
    RunLab(lab, "LabHere");
    EXPECT_TRUE(Note(lab).contains("Give each relay time")) << Note(lab).toStdString();
    QTest::keyClicks(Find(lab, "LabMeasure"), "10");

    QWidget& tuner = *TopLevel("Form3");
    Find(tuner, "Text4")->setText("0");
    RunLab(lab, "LabHere");
    EXPECT_TRUE(Note(lab).contains("refused: Cstep is 0")) << Note(lab).toStdString();
    Find(*s.form, "Text8")->setText("0");
    s.Open(TunerKind::LpCl);
    Find(tuner, "Text4")->setText("100");
    RunLab(lab, "LabHere");
    EXPECT_TRUE(Note(lab).contains("No antenna values")) << Note(lab).toStdString();
}

// A stopped run keeps the frequencies it tuned and says it stopped; closing the tuner window
// ends a run, which then hands nothing back, and takes the lab with it.
TEST(TunerLab, StopsOnRequestAndWithItsTuner) {
    Session s;
    QWidget& lab = OpenLab(s, TunerKind::LpCl);
    Session::Click(lab, "LabBand");
    EXPECT_FALSE(Find<QPushButton>(lab, "LabExport")->isEnabled());
    RunLab(lab, "LabStop");
    EXPECT_TRUE(Note(lab).contains("Stopped before the end")) << Note(lab).toStdString();
    const int tuned = Find<QCustomPlot>(lab, "LabPlot")->graph(0)->dataCount();
    EXPECT_LT(tuned, 299);
    EXPECT_TRUE(Find<QPushButton>(lab, "LabExport")->isEnabled() == (tuned > 0));

    Session::Click(lab, "LabBand");
    TopLevel("Form3")->close();
    EXPECT_FALSE(lab.isVisible());
    QTest::qWait(200);
    EXPECT_EQ(Find<QCustomPlot>(lab, "LabPlot")->graph(0)->dataCount(), 0);
    EXPECT_EQ(Cells(lab, 0).join(""), "");
    EXPECT_TRUE(Find<QPushButton>(lab, "LabHere")->isEnabled());
}
