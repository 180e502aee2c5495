// The analysis window at 1920 x 1080: a redraw with the Smith chart and two plots of 1000
// points each (SWR, R and X), a zoom step with its recompute and redraw, and the matched
// bandwidth of all six networks. The screen's pixel ratio is Qt's: for 2x
//   QT_SCALE_FACTOR=2 build/bench/bench_analysis
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QImage>

#include "analysis/Analysis.h"
#include "analysis/FrequencyPlots.h"
#include "analysis/SmithChart.h"
#include "bench/BenchWindow.h"
#include "exports/Networks.h"
#include "mainwindow/Form1.h"

namespace {

Analysis& Window() {
    Analysis& analysis = BenchWindow().ShowAnalysis();
    if (analysis.size() != QSize(1920, 1080)) {
        analysis.resize(1920, 1080);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    return analysis;
}

// What the screen shows after a redraw: the plots drawn anew into their buffer, then the
// whole window painted at the screen's pixel ratio.
QImage Screen(const QWidget& widget) {
    const qreal ratio = widget.devicePixelRatioF();
    QImage screen(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(ratio);
    return screen;
}

void Redraw(Analysis& analysis, QImage& screen) {
    analysis.frequencyPlots().plot().replot(QCustomPlot::rpImmediateRefresh);
    analysis.render(&screen);
}

void BM_AnalysisRedraw(benchmark::State& state) {
    Analysis& analysis = Window();
    QImage screen = Screen(analysis);
    for (auto _ : state) Redraw(analysis, screen);
    state.counters["points"] = static_cast<double>(analysis.scene().points.size());
    state.counters["ratio"] = analysis.devicePixelRatioF();
}
BENCHMARK(BM_AnalysisRedraw)->Unit(benchmark::kMillisecond);

// The parts of a redraw: the Smith chart painted, the plots drawn into their buffer.
void BM_SmithChartPaint(benchmark::State& state) {
    Analysis& analysis = Window();
    QImage screen = Screen(analysis.smithChart());
    for (auto _ : state) analysis.smithChart().render(&screen);
}
BENCHMARK(BM_SmithChartPaint)->Unit(benchmark::kMillisecond);

void BM_PlotsReplot(benchmark::State& state) {
    Analysis& analysis = Window();
    for (auto _ : state) analysis.frequencyPlots().plot().replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(BM_PlotsReplot)->Unit(benchmark::kMillisecond);

// One wheel notch in and one out about 7.1 MHz: each recomputes the 1000 points from the
// source and redraws.
void BM_AnalysisZoomStep(benchmark::State& state) {
    Analysis& analysis = Window();
    QImage screen = Screen(analysis);
    bool in = true;
    for (auto _ : state) {
        analysis.ZoomAbout(7.1, in ? 0.8 : 1.25);
        Redraw(analysis, screen);
        in = !in;
    }
}
BENCHMARK(BM_AnalysisZoomStep)->Unit(benchmark::kMillisecond);

// The bandwidth of the six networks at the main window's inputs (the default antenna at
// 7.1 MHz: three networks with a solution) and on 160 m and 20 m.
void BM_BandwidthOfAllSixNetworks(benchmark::State& state) {
    AnalysisSetup setup;
    setup.source = &ClosedFormModel();
    setup.input.frequency_MHz = static_cast<double>(state.range(0)) / 1000;
    for (auto _ : state) {
        for (const ExportNetwork& n : kExportNetworks) {
            benchmark::DoNotOptimize(FindMatchedBandwidth(setup, n.network));
        }
    }
}
BENCHMARK(BM_BandwidthOfAllSixNetworks)
    ->Arg(1850)
    ->Arg(7100)
    ->Arg(14200)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
