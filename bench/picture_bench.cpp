// Drawing the sweep diagram's curves: the same strokes drawn three ways, at 1x and 2x.
//   0: one QPainter line call per one-pixel line, the pen set for each (the former way);
//   1: QPainter::drawLines, one batch per colour (curves no longer overdraw in sweep order);
//   2: the picture box, which writes the pixels of its one-pixel lines itself.
// The counter "unlike_2_px" tells in how many pixels a way's picture differs from way 2's:
// none for way 0 at 1x (the same pixels as before), and what the reordering changes for 1.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QWidget>
#include <map>

#include "bench/BenchWindow.h"
#include "diagrams/SweepDiagram.h"
#include "platform/PictureBox.h"
#include "platform/PixelLines.h"

namespace {

std::vector<CurveStroke> AllCurves() {
    SweepDiagramInput input;
    input.range = {1000, 1000, 1000, 100, 1000, 100, 1000, 100, 100};
    input.shown.fill(true);
    input.network = Network::HpClc;  // with the dotted second capacitor
    std::vector<CurveStroke> strokes;
    TraceSweepCurves(input, {}, strokes);
    return strokes;
}

// A curve of width 2 is two device-pixel lines per unit, side by side.
struct Passes {
    QPointF beside;
    int count;
};
Passes PassesOf(const CurveStroke& s, qreal ratio) {
    const bool flat = std::abs(s.x2 - s.x1) >= std::abs(s.y2 - s.y1);
    return {(flat ? QPointF(0, 1) : QPointF(1, 0)) / ratio, qRound(2 * ratio)};
}

// The device pixels the picture box gives a dot of width 2.
QRectF DotOf(const CurveStroke& s, qreal ratio) {
    return QRectF(PixelOf(s.x1 * ratio) / ratio, PixelOf(s.y1 * ratio) / ratio, 2, 2);
}

QImage Canvas(qreal ratio) {
    QImage image(QSize(600, 400) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    return image;
}

void DrawPerLine(QImage& image, const std::vector<CurveStroke>& strokes) {
    QPainter painter(&image);
    for (const CurveStroke& s : strokes) {
        if (s.dot) {
            painter.fillRect(DotOf(s, image.devicePixelRatio()), s.colour);
            continue;
        }
        QPen pen(s.colour, 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        const Passes passes = PassesOf(s, image.devicePixelRatio());
        for (int pass = 0; pass < passes.count; ++pass) {
            painter.drawLine(QPointF(s.x1, s.y1) + passes.beside * pass,
                             QPointF(s.x2, s.y2) + passes.beside * pass);
        }
    }
}

void DrawBatchedByColour(QImage& image, const std::vector<CurveStroke>& strokes) {
    std::map<QRgb, QVector<QLineF>> batches;
    QPainter painter(&image);
    for (const CurveStroke& s : strokes) {
        if (s.dot) {
            painter.fillRect(DotOf(s, image.devicePixelRatio()), s.colour);
            continue;
        }
        const Passes passes = PassesOf(s, image.devicePixelRatio());
        for (int pass = 0; pass < passes.count; ++pass) {
            batches[s.colour.rgb()] << QLineF(QPointF(s.x1, s.y1) + passes.beside * pass,
                                              QPointF(s.x2, s.y2) + passes.beside * pass);
        }
    }
    for (const auto& [colour, lines] : batches) {
        QPen pen(QColor::fromRgb(colour), 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLines(lines);
    }
}

void BM_CurveStrokes(benchmark::State& state) {
    const auto way = state.range(0);
    const qreal ratio = state.range(1) / 100.0;
    const std::vector<CurveStroke> strokes = AllCurves();
    QWidget parent;
    PictureBox picture("Picture1", 600, 400, &parent);
    picture.SetPixelRatio(ratio);
    QImage image = Canvas(ratio);
    for (auto _ : state) {
        if (way == 2) {
            picture.Clear();
            DrawCurveStrokes(picture, strokes);
            benchmark::DoNotOptimize(picture.image().constBits());
        } else {
            image.fill(Qt::black);
            way == 0 ? DrawPerLine(image, strokes) : DrawBatchedByColour(image, strokes);
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    if (way != 2) {
        picture.Clear();
        DrawCurveStrokes(picture, strokes);
        const QImage own = picture.image();
        int unlike = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) unlike += image.pixel(x, y) != own.pixel(x, y);
        }
        state.counters["unlike_2_px"] = unlike;
    }
    state.counters["strokes"] = static_cast<double>(strokes.size());
}
BENCHMARK(BM_CurveStrokes)
    ->ArgNames({"way", "ratio%"})
    ->ArgsProduct({{0, 1, 2}, {100, 200}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
