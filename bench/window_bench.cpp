// The main window's recalculation and drawing, on a shown window (offscreen platform).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "bench/BenchWindow.h"
#include "mainwindow/Form1.h"
#include "platform/PictureBox.h"

namespace {

void SetDiagramType(bool impedancePlane) {
    auto* option = BenchWindow().findChild<QRadioButton*>(impedancePlane ? "Option8" : "Option7");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, 8));
}

void BM_StartUp(benchmark::State& state) {
    BenchWindow();
    for (auto _ : state) {
        Form1 form;
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_RecalculateWithSweepDiagram(benchmark::State& state) {
    SetDiagramType(false);
    for (auto _ : state) BenchWindow().Recalculate();
}
BENCHMARK(BM_RecalculateWithSweepDiagram)->Unit(benchmark::kMicrosecond);

// The pass alone: each pass is timed with its diagram, the diagram once more on its own,
// and the difference counts.
void BM_RecalculatePassWithoutDiagram(benchmark::State& state) {
    SetDiagramType(false);
    Form1& form = BenchWindow();
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.Recalculate();
        const auto passEnd = Clock::now();
        form.DrawSweepDiagram();
        const auto diagramEnd = Clock::now();
        const std::chrono::duration<double> pass = (passEnd - start) - (diagramEnd - passEnd);
        state.SetIterationTime(std::max(0.0, pass.count()));
    }
}
BENCHMARK(BM_RecalculatePassWithoutDiagram)->UseManualTime()->Unit(benchmark::kMicrosecond);

// At the pixel ratio of a 100 % and a 200 % screen.
void BM_SweepDiagramAllCurves(benchmark::State& state) {
    SetDiagramType(false);
    auto* picture = BenchWindow().findChild<PictureBox*>("Picture1");
    picture->SetPixelRatio(state.range(0) / 100.0);
    for (auto _ : state) BenchWindow().DrawSweepDiagram();
    picture->SetPixelRatio(1);
}
BENCHMARK(BM_SweepDiagramAllCurves)
    ->ArgName("ratio%")
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);

// Both impedance-plane views, the locus, the inner recalculation and the path.
void BM_ImpedancePlaneRedraw(benchmark::State& state) {
    SetDiagramType(true);
    for (auto _ : state) BenchWindow().DrawSweepDiagram();
    SetDiagramType(false);
}
BENCHMARK(BM_ImpedancePlaneRedraw)->Unit(benchmark::kMicrosecond);

// From a new rod in the length field (after the field's pause) to NEC-2's curves on screen,
// with a run of nec2c each time. The longest wait of a 1 ms timer meanwhile is the longest
// an input event could have waited.
void BM_NecOverlayAfterGeometryChange(benchmark::State& state) {
    SetDiagramType(false);
    Form1& form = BenchWindow();
    auto* necSwitch = form.findChild<QAction*>("NecCompare");
    auto* status = form.findChild<QLabel*>("StatusLine");
    auto* length = form.findChild<QLineEdit*>("Text1");
    necSwitch->setChecked(true);
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double, std::milli> longestGap{};
    int rod = 0;
    for (auto _ : state) {
        auto last = Clock::now();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            longestGap =
                std::max(longestGap, std::chrono::duration<double, std::milli>(now - last));
            last = now;
        });
        tick.start(1);
        length->setText(QString::number(4.5 + 0.001 * ++rod));
        // The note follows the part stress in the status line.
        while (!status->text().contains("NEC-2 at")) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        // The repaint that puts the new picture on screen.
        QCoreApplication::processEvents();
    }
    state.counters["longest_event_gap_ms"] = longestGap.count();
    necSwitch->setChecked(false);
    length->setText("4.5");
}
BENCHMARK(BM_NecOverlayAfterGeometryChange)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// A spin button held for two seconds: the pauses between its steps must sleep.
void BM_HeldSpinButtonTwoSeconds(benchmark::State& state) {
    Form1& form = BenchWindow();
    form.repeatDelay = 0.15f;
    QPushButton* plus = form.findChild<QPushButton*>("Command24");
    for (auto _ : state) {
        const double cpuBefore = CpuSeconds();
        QTimer::singleShot(2000, plus, [plus] { QTest::mouseRelease(plus, Qt::LeftButton); });
        QTest::mousePress(plus, Qt::LeftButton);
        state.counters["cpu_ms"] = 1000 * (CpuSeconds() - cpuBefore);
    }
}
BENCHMARK(BM_HeldSpinButtonTwoSeconds)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
