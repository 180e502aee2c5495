// The main window with a measured source: the sweep diagram's redraw against the model's,
// and a file of a million points read while the window goes on handling events.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <fstream>

#include "antenna/MeasuredSource.h"
#include "bench/BenchWindow.h"
#include "core/NumberFormat.h"
#include "mainwindow/Form1.h"

namespace {

// CPU time of the calling thread alone: the window's, not the reader's.
double ThreadCpu_ms() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The model's own feed point at `points` frequencies over the whole sweep, as a file.
std::string ModelFile(int points) {
    std::string text = "# MHz Z RI R 1\n";
    AntennaInput in;
    for (int i = 0; i < points; ++i) {
        in.frequency_MHz = 0.1 + 29.9 * i / (points - 1);
        const AntennaResult a = FeedPointImpedance(in).value();
        text += ShortestText(in.frequency_MHz) + " " + ShortestText(a.r_f) + " " +
                ShortestText(a.x_f) + "\n";
    }
    return text;
}

std::shared_ptr<const AntennaSource> Measured(int points) {
    ImpedanceFileRead read = ParseImpedanceFile(ModelFile(points), "model.s1p");
    return MeasuredSource(MeasuredFrom(std::move(*read.file), "model.s1p"), false);
}

void BM_SweepDiagram(benchmark::State& state) {
    Form1& form = BenchWindow();
    form.SetAntennaSource(state.range(0) == 0 ? std::shared_ptr<const AntennaSource>(
                                                    std::shared_ptr<void>(), &ClosedFormModel())
                                              : Measured(static_cast<int>(state.range(0))));
    for (auto _ : state) form.DrawSweepDiagram();
    form.UseClosedFormModel();
}
// 0: the closed-form model; else a measured file of that many points.
BENCHMARK(BM_SweepDiagram)->Arg(0)->Arg(300)->Arg(10001)->Unit(benchmark::kMicrosecond);

// From the request to the file in use, with the longest pause of the event loop meanwhile.
void BM_OpenLargeFileInWindow(benchmark::State& state) {
    Form1& form = BenchWindow();
    const QString path = "/tmp/orvane-bench-window.s1p";
    std::ofstream(path.toStdString(), std::ios::binary)
        << ModelFile(static_cast<int>(state.range(0)));
    qint64 longestGap_ms = 0;
    double windowCpu_ms = 0;
    for (auto _ : state) {
        form.UseClosedFormModel();
        const double cpuBefore = ThreadCpu_ms();
        form.OpenMeasuredFile(path);
        QElapsedTimer gap;
        gap.start();
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestGap_ms = std::max(longestGap_ms, gap.restart()); });
        tick.start(5);
        while (form.antennaSource().kind() != SourceKind::Measured) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        windowCpu_ms += ThreadCpu_ms() - cpuBefore;
    }
    state.counters["longest_event_gap_ms"] = static_cast<double>(longestGap_ms);
    state.counters["window_cpu_ms"] = windowCpu_ms / static_cast<double>(state.iterations());
    form.UseClosedFormModel();
    QFile::remove(path);
}
BENCHMARK(BM_OpenLargeFileInWindow)
    ->Arg(1000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
