#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "analysis/core/AnalysisScene.h"

class PointerGestures;
class QCPAxisRect;
class QCPGraph;
class QCPPainter;
class QCustomPlot;

// What the plots against frequency can show, each in its own panel, top to bottom.
enum class PlotKind { Swr, ResistanceReactance, Magnitude, ReturnLoss, Efficiency };
inline constexpr std::array<PlotKind, 5> kPlotKinds = {PlotKind::Swr, PlotKind::ResistanceReactance,
                                                       PlotKind::Magnitude, PlotKind::ReturnLoss,
                                                       PlotKind::Efficiency};
// "SWR", "R and X", ...: how the window's switches name them.
const char* PlotKindName(PlotKind kind);

// The plots of the analysis window against frequency over the shown span: the antenna and,
// where it makes sense, what the transmitter sees through the selected network, on the same
// axes, with the matched bandwidth shaded, the set frequency and the markers.
class FrequencyPlots : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyPlots(QWidget* parent = nullptr);

    void SetShown(PlotKind kind, bool shown);
    bool isShown(PlotKind kind) const;
    void SetLogarithmicSwr(bool logarithmic);
    bool logarithmicSwr() const { return logarithmicSwr_; }

    // The scene stays the caller's; null: empty axes.
    void SetScene(const AnalysisScene* scene);
    PointerGestures& gestures() { return *gestures_; }
    QCustomPlot& plot() { return *plot_; }

    // The plots as they are now, drawn width x height into the painter at its origin.
    void Render(QCPPainter& painter, int width, int height);

    // Where a frequency lies across the widget; what the pointer reads at a point.
    double XOf(double f_MHz) const;
    QString ReadoutAt(QPointF at) const;

private:
    struct Panel {
        PlotKind kind;
        QCPAxisRect* rect;
        std::vector<QCPGraph*> graphs;
    };

    void Rebuild();
    void Fill();
    void FillPanel(const Panel& panel);
    void AddItems(const Panel& panel);
    const Panel* PanelAt(QPointF at) const;

    std::optional<double> FrequencyAt(QPointF at) const;
    int MarkerAt(QPointF at) const;
    std::optional<std::pair<double, double>> SpanWithin(const QRectF& rect) const;

    QCustomPlot* plot_;
    PointerGestures* gestures_;
    std::array<bool, kPlotKinds.size()> shown_{true, true, false, false, false};
    bool logarithmicSwr_ = true;
    const AnalysisScene* scene_ = nullptr;
    std::vector<Panel> panels_;
};
