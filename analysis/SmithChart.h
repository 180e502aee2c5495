#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "analysis/core/AnalysisScene.h"
#include "analysis/core/SmithMapping.h"

class PointerGestures;
class QPainter;

// Draws the scene's Smith chart into `area` of any paint device: the resistance and reactance
// circles with their values, SWR circles of 1.5, 2 and 3, the antenna's locus over the shown
// span with frequency ticks, the locus through the selected network, the set frequency and the
// markers. Without a scene the chart alone.
void PaintSmithChart(QPainter& painter, const QRectF& area, const AnalysisScene* scene);

// Where the unit circle lies when the chart is painted into `area`.
ChartFrame SmithFrameIn(const QRectF& area);

// The Smith chart of the analysis window.
class SmithChart : public QWidget {
    Q_OBJECT
public:
    explicit SmithChart(QWidget* parent = nullptr);

    // The scene stays the caller's; null: nothing to draw but the chart.
    void SetScene(const AnalysisScene* scene);
    PointerGestures& gestures() { return *gestures_; }

    // The point of the widget where an impedance is drawn.
    QPointF PixelOf(Impedance z) const;
    // What the pointer reads at a point of the widget; empty outside the chart.
    QString ReadoutAt(QPointF at) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> FrequencyAt(QPointF at) const;
    int MarkerAt(QPointF at) const;
    std::optional<std::pair<double, double>> SpanWithin(const QRectF& rect) const;

    const AnalysisScene* scene_ = nullptr;
    PointerGestures* gestures_;
    QImage face_;  // the chart without the scene, at the widget's size and pixel ratio
};
