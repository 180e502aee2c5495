// Why the analysis window's plots use QCustomPlot: the same two plots, each with two curves of
// 1000 points over a span, drawn at 1150 x 1000 by QCustomPlot and by Qt Charts, as a redraw
// after the span changed (new data, new axis ranges) would draw them.
//   build/bench/bench_plot_libraries   (built where Qt Charts, qt6-charts-dev, is installed)
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QImage>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace {

constexpr int kPoints = 1000;
const QSize kSize(1150, 1000);

// Two curves per plot that change with every redraw, as a zoom step changes them.
QList<QPointF> Curve(int plot, int curve, int step) {
    QList<QPointF> points;
    points.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double f = 7 + 0.3 * i / (kPoints - 1) + step * 1e-4;
        points.append({f, 2 + plot + curve + std::sin(f * 40 + curve) * (1 + plot)});
    }
    return points;
}

void BM_QCustomPlot(benchmark::State& state) {
    QCustomPlot plot;
    plot.resize(kSize);
    plot.plotLayout()->clear();
    QCPGraph* graphs[2][2];
    for (int p = 0; p < 2; ++p) {
        auto* rect = new QCPAxisRect(&plot);
        plot.plotLayout()->addElement(p, 0, rect);
        for (int c = 0; c < 2; ++c) {
            graphs[p][c] =
                plot.addGraph(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
        }
    }
    plot.show();
    QImage screen(kSize, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        ++step;
        for (int p = 0; p < 2; ++p) {
            for (int c = 0; c < 2; ++c) {
                QVector<double> keys, values;
                for (const QPointF& point : Curve(p, c, step)) {
                    keys << point.x();
                    values << point.y();
                }
                graphs[p][c]->setData(keys, values, true);
            }
            graphs[p][0]->rescaleAxes();
        }
        plot.replot(QCustomPlot::rpImmediateRefresh);
        plot.render(&screen);
    }
}
BENCHMARK(BM_QCustomPlot)->Unit(benchmark::kMillisecond);

void BM_QtCharts(benchmark::State& state) {
    QWidget window;
    window.resize(kSize);
    auto* layout = new QVBoxLayout(&window);
    QLineSeries* series[2][2];
    QValueAxis* axes[2][2];
    for (int p = 0; p < 2; ++p) {
        auto* chart = new QChart;
        chart->legend()->hide();
        for (int a = 0; a < 2; ++a) {
            axes[p][a] = new QValueAxis;
            chart->addAxis(axes[p][a], a == 0 ? Qt::AlignBottom : Qt::AlignLeft);
        }
        for (int c = 0; c < 2; ++c) {
            series[p][c] = new QLineSeries;
            chart->addSeries(series[p][c]);
            series[p][c]->attachAxis(axes[p][0]);
            series[p][c]->attachAxis(axes[p][1]);
        }
        auto* view = new QChartView(chart);
        view->setRenderHint(QPainter::Antialiasing);
        layout->addWidget(view);
    }
    window.show();
    QImage screen(kSize, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        ++step;
        for (int p = 0; p < 2; ++p) {
            double low = INFINITY, high = -INFINITY;
            for (int c = 0; c < 2; ++c) {
                const QList<QPointF> points = Curve(p, c, step);
                for (const QPointF& point : points) {
                    low = std::min(low, point.y());
                    high = std::max(high, point.y());
                }
                series[p][c]->replace(points);
            }
            axes[p][0]->setRange(7 + step * 1e-4, 7.3 + step * 1e-4);
            axes[p][1]->setRange(low, high);
        }
        window.render(&screen);
    }
}
BENCHMARK(BM_QtCharts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
