// The analysis window driven as a user drives it: it follows the main window, zooms, pans,
// places markers, and changes the main window only by a double click, which Ctrl+Z takes back.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QWheelEvent>

#include "analysis/Analysis.h"
#include "analysis/FrequencyPlots.h"
#include "analysis/SmithChart.h"
#include "tests/analysis/SpanSource.h"
#include "tests/mainwindow/FormAccess.h"

namespace {

struct Session : MainWindow {
    Session() : analysis(form.ShowAnalysis()) {
        form.show();
        analysis.resize(1200, 800);
        Settle();
    }
    // Queued work done, the plots laid out.
    void Settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        plot().replot();
    }
    QCustomPlot& plot() { return analysis.frequencyPlots().plot(); }
    // A point in the upper plot at a frequency.
    QPoint PlotPoint(double f_MHz) {
        const int x = static_cast<int>(std::lround(analysis.frequencyPlots().XOf(f_MHz)));
        return {x, plot().axisRect(0)->rect().center().y()};
    }
    double FrequencyAtX(int x) {
        return plot().axisRect(0)->axis(QCPAxis::atBottom)->pixelToCoord(x);
    }
    void Wheel(QWidget* view, QPoint at, int notches) {
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
        Settle();
    }
    void Drag(QWidget* view, Qt::MouseButton button, QPoint from, QPoint to) {
        QTest::mousePress(view, button, {}, from);
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = from + (to - from) * step / 4;
            QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, button,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(view, &move);
        }
        QTest::mouseRelease(view, button, {}, to);
        Settle();
    }
    void Activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    // Everything of the main window a user can see change, and how often it recalculated.
    QStringList MainState() {
        QStringList state;
        for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
            state << field->objectName() + "=" + field->text();
        }
        for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
            state << button->objectName() + (button->isChecked() ? " on" : " off");
        }
        state << QString::number(form.recalculationCount());
        return state;
    }
    Analysis& analysis;
};

}  // namespace

TEST(AnalysisWindow, FollowsTheMainWindowsInputsNetworkAndSource) {
    Session s;
    EXPECT_EQ(s.analysis.objectName(), "Analysis");
    EXPECT_EQ(s.analysis.scene().setup.input.frequency_MHz, 7.1);
    ASSERT_TRUE(s.analysis.scene().atSet);
    EXPECT_EQ(s.analysis.findChild<QLabel*>("MatchedBandwidth")->text().toStdString(),
              BandwidthText(FindMatchedBandwidth(s.analysis.scene().setup, Network::HpCl)));

    s.field("Text1")->setText("6");
    s.field("Text8")->setText("3.6");
    s.click("Option9");  // LP-CL
    s.Settle();
    const AnalysisSetup& setup = s.analysis.scene().setup;
    EXPECT_EQ(setup.input.length_m, 6);
    EXPECT_EQ(setup.input.frequency_MHz, 3.6);
    EXPECT_EQ(setup.network, Network::LpCl);
    EXPECT_TRUE(s.analysis.findChild<QLabel*>("MatchedBandwidth")
                    ->text()
                    .startsWith("LP-CL matched at 3.600 MHz: SWR <= 2 from 3.5"));

    // A source with a span of its own: the view stays inside it.
    s.form.SetAntennaSource(std::make_shared<SpanSource>(FrequencySpan{3.5, 3.8}));
    s.Settle();
    EXPECT_EQ(s.analysis.span().low(), 3.5);
    EXPECT_EQ(s.analysis.span().high(), 3.8);
    EXPECT_EQ(s.analysis.scene().source.get(), &s.form.antennaSource());
    for (const AnalysisPoint& point : s.analysis.scene().points) {
        EXPECT_TRUE(point.antenna) << point.f_MHz;
        EXPECT_FALSE(point.eta_f) << "a measurement cannot tell radiation from loss";
    }
}

TEST(AnalysisWindow, ZoomPanPresetsAndMarkersLeaveTheMainWindowAsItIs) {
    Session s;
    const QStringList before = s.MainState();
    QWidget* plot = &s.plot();

    // The wheel zooms about the pointer: the frequency under it stays there.
    const QPoint at = s.PlotPoint(7.2);
    const double under = s.FrequencyAtX(at.x());
    const double width = s.analysis.span().width();
    s.Wheel(plot, at, 2);
    EXPECT_NEAR(s.analysis.span().width(), width * 0.64, 1e-9);
    EXPECT_NEAR(s.analysis.frequencyPlots().XOf(under), at.x(), 0.01);
    ASSERT_GE(s.analysis.scene().points.size(), 400u);

    // A drag pans: the frequency under the pointer follows it.
    const QPoint from = s.PlotPoint(8);
    s.Drag(plot, Qt::LeftButton, from, from - QPoint(60, 0));
    EXPECT_NEAR(s.analysis.frequencyPlots().XOf(8), from.x() - 60, 1.5);
    EXPECT_NEAR(s.analysis.span().width(), width * 0.64, 1e-9);

    // A rectangle drawn with the right button zooms to it.
    const QPoint corner = s.PlotPoint(7.0), opposite = s.PlotPoint(7.3) + QPoint(0, 40);
    const double low = s.FrequencyAtX(corner.x()), high = s.FrequencyAtX(opposite.x());
    s.Drag(plot, Qt::RightButton, corner, opposite);
    EXPECT_NEAR(s.analysis.span().low(), low, 1e-9);
    EXPECT_NEAR(s.analysis.span().high(), high, 1e-9);

    // The band presets and the keys.
    auto* bands = s.analysis.findChild<QComboBox*>("BandPresets");
    bands->activated(1);  // 160 m
    EXPECT_DOUBLE_EQ(s.analysis.span().low(), 1.8);
    EXPECT_NEAR(s.analysis.span().high(), 2.0, 1e-12);
    bands->activated(4);  // 40 m
    s.Activate(&s.analysis);
    QTest::keyClick(&s.analysis, Qt::Key_Right);
    EXPECT_NEAR(s.analysis.span().low(), 7.03, 1e-9);
    QTest::keyClick(&s.analysis, Qt::Key_Minus);
    EXPECT_NEAR(s.analysis.span().width(), 0.3 / 0.8, 1e-9);
    QTest::keyClick(&s.analysis, Qt::Key_Home);
    EXPECT_EQ(s.analysis.span().width(), 29.9);
    bands->activated(4);
    s.Settle();

    // Markers: three clicks, one dragged, one taken away by a right click.
    for (double f : {7.05, 7.1, 7.2}) QTest::mouseClick(plot, Qt::LeftButton, {}, s.PlotPoint(f));
    s.Settle();
    ASSERT_EQ(s.analysis.markers().size(), 3u);
    EXPECT_NEAR(s.analysis.markers()[1], 7.1, 0.001);
    s.Drag(plot, Qt::LeftButton, s.PlotPoint(s.analysis.markers()[2]), s.PlotPoint(7.25));
    EXPECT_NEAR(s.analysis.markers()[2], 7.25, 0.001);
    QTest::mouseClick(plot, Qt::RightButton, {}, s.PlotPoint(s.analysis.markers()[0]));
    s.Settle();
    ASSERT_EQ(s.analysis.markers().size(), 2u);
    // The table holds each marker's values from the source.
    auto* table = s.analysis.findChild<QTableWidget*>("Markers");
    ASSERT_EQ(table->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const double f = s.analysis.markers()[static_cast<std::size_t>(row)];
        const AnalysisPoint point = s.analysis.scene().PointAt(f);
        EXPECT_NEAR(table->item(row, 0)->text().toDouble(), f, 1e-9);
        EXPECT_NEAR(table->item(row, 1)->text().toDouble(), point.antenna->r, 0.006);
        EXPECT_NEAR(table->item(row, 2)->text().toDouble(), point.antenna->x, 0.006);
        EXPECT_NEAR(table->item(row, 5)->text().toDouble(), point.matched->swr,
                    point.matched->swr * 1e-3);
    }
    // Over the whole range the locus spreads over the Smith chart: a click there puts a
    // marker on its nearest point, and the wheel zooms about that point's frequency.
    QTest::keyClick(&s.analysis, Qt::Key_Home);
    SmithChart& smith = s.analysis.smithChart();
    const AnalysisPoint onLocus = s.analysis.scene().points[300];
    const QPointF pixel = smith.PixelOf({onLocus.antenna->r, onLocus.antenna->x});
    QTest::mouseClick(&smith, Qt::LeftButton, {}, pixel.toPoint());
    ASSERT_EQ(s.analysis.markers().size(), 3u);
    const AnalysisPoint marker = s.analysis.scene().markers[2];
    const QPointF placed = smith.PixelOf({marker.antenna->r, marker.antenna->x});
    EXPECT_LT(std::hypot(placed.x() - pixel.x(), placed.y() - pixel.y()), 2);
    s.Wheel(&smith, pixel.toPoint(), 1);
    EXPECT_NEAR(s.analysis.span().width(), 29.9 * 0.8, 1e-9);
    EXPECT_TRUE(s.analysis.span().low() < marker.f_MHz && marker.f_MHz < s.analysis.span().high());

    EXPECT_EQ(s.MainState(), before);
}

TEST(AnalysisWindow, DoubleClickSetsTheFrequencyAndCtrlZInEitherWindowTakesItBack) {
    Session s;
    QWidget* plot = &s.plot();
    s.analysis.ShowBand(3);  // 40 m
    s.Settle();
    QTest::mouseDClick(plot, Qt::LeftButton, {}, s.PlotPoint(7.2));
    const QString chosen = s.field("Text8")->text();
    EXPECT_NEAR(chosen.toDouble(), 7.2, 1e-3);
    EXPECT_TRUE(s.analysis.markers().empty()) << "the double click's first click placed none";
    s.Settle();
    EXPECT_EQ(s.analysis.scene().setup.input.frequency_MHz, chosen.toDouble());

    s.Activate(&s.analysis);
    QTest::keyClick(&s.analysis, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.field("Text8")->text(), "7.1");

    s.Settle();
    QTest::mouseDClick(plot, Qt::LeftButton, {}, s.PlotPoint(7.25));
    EXPECT_NEAR(s.field("Text8")->text().toDouble(), 7.25, 1e-3);
    EXPECT_LE(s.field("Text8")->text().size(), 6) << "rounded to what the view shows apart";
    s.Activate(&s.form);
    // The field has no typing of its own to undo: Ctrl+Z there takes the change back.
    QTest::keyClick(s.field("Text1"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.field("Text8")->text(), "7.1");
    QTest::keyClick(s.field("Text1"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.field("Text8")->text(), "7.1") << "nothing more to take back";

    // A frequency the user set since stays.
    QTest::mouseDClick(plot, Qt::LeftButton, {}, s.PlotPoint(7.05));
    EXPECT_NEAR(s.field("Text8")->text().toDouble(), 7.05, 1e-3);
    s.field("Text8")->setText("7.08");
    QTest::keyClick(&s.analysis, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.field("Text8")->text(), "7.08");
}

TEST(AnalysisWindow, GeometryIsKeptInTheViewState) {
    WorkingFolder folder({});
    const QRect placed(140, 120, 900, 640);
    {
        Form1 form;
        form.KeepViewState();
        Analysis& analysis = form.ShowAnalysis();
        analysis.setGeometry(placed);
        form.close();
        EXPECT_FALSE(analysis.isVisible()) << "closes with the main window";
    }
    Form1 form;
    form.KeepViewState();
    EXPECT_EQ(form.ShowAnalysis().geometry().size(), placed.size());
    QSettings().remove("analysis/geometry");
}
