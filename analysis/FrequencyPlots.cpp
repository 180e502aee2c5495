#include "analysis/FrequencyPlots.h"

#include <qcustomplot.h>

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis/AnalysisLook.h"
#include "analysis/PointerGestures.h"

namespace {

using Load = AnalysisPoint::Load;
using Value = std::optional<double> (*)(const AnalysisPoint&);

// One curve of a panel: its name in the legend, its colour and where its values come from.
struct Curve {
    const char* name;
    QColor colour;
    Value value;
};

template <double Load::*member>
std::optional<double> Antenna(const AnalysisPoint& p) {
    return p.antenna ? std::optional<double>((*p.antenna).*member) : std::nullopt;
}
template <double Load::*member>
std::optional<double> Matched(const AnalysisPoint& p) {
    return p.matched ? std::optional<double>((*p.matched).*member) : std::nullopt;
}
std::optional<double> EtaF(const AnalysisPoint& p) {
    return p.eta_f;
}
std::optional<double> EtaTot(const AnalysisPoint& p) {
    return p.eta_tot;
}

struct PanelSpec {
    PlotKind kind;
    const char* name;
    const char* axis;
    std::vector<Curve> curves;
};

const std::vector<PanelSpec>& Specs() {
    static const std::vector<PanelSpec> specs = {
        {PlotKind::Swr,
         "SWR",
         "SWR",
         {{"Antenna", look::kAntenna, &Antenna<&Load::swr>},
          {"Matched", look::kMatched, &Matched<&Load::swr>}}},
        {PlotKind::ResistanceReactance,
         "R and X",
         "R, X (Ohm)",
         {{"R", look::kAntenna, &Antenna<&Load::r>}, {"X", look::kReactance, &Antenna<&Load::x>}}},
        {PlotKind::Magnitude,
         "|Z|",
         "|Z| (Ohm)",
         {{"Antenna", look::kAntenna, &Antenna<&Load::z>},
          {"Matched", look::kMatched, &Matched<&Load::z>}}},
        {PlotKind::ReturnLoss,
         "Return loss",
         "Return loss (dB)",
         {{"Antenna", look::kAntenna, &Antenna<&Load::returnLoss_dB>},
          {"Matched", look::kMatched, &Matched<&Load::returnLoss_dB>}}},
        {PlotKind::Efficiency,
         "Efficiency",
         "Efficiency (%)",
         {{"eta_f", look::kAntenna, &EtaF}, {"eta_tot", look::kEfficiencyTotal, &EtaTot}}},
    };
    return specs;
}

const PanelSpec& SpecOf(PlotKind kind) {
    return Specs()[static_cast<std::size_t>(kind)];
}

// The value range a panel shows, padded a little; SWR from 1 up.
QCPRange ValueRange(PlotKind kind, bool logarithmic, double low, double high) {
    if (kind == PlotKind::Swr) {
        if (logarithmic) return {1, std::max(10.0, high * 1.3)};
        return {1, std::clamp(high * 1.05, 3.0, 10.0)};
    }
    if (!(high >= low)) return {0, 1};
    if (kind == PlotKind::Efficiency) return {0, std::max(1.0, high * 1.05)};
    const double pad = std::max((high - low) * 0.05, 1e-9);
    if (kind == PlotKind::ReturnLoss || kind == PlotKind::Magnitude) {
        return {std::min(0.0, low), high + pad};
    }
    return {low - pad, high + pad};
}

QPen Hairline(const QColor& colour) {
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    return pen;
}

}  // namespace

const char* PlotKindName(PlotKind kind) {
    return SpecOf(kind).name;
}

FrequencyPlots::FrequencyPlots(QWidget* parent) : QWidget(parent) {
    setObjectName("FrequencyPlots");
    setMinimumSize(320, 240);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    plot_ = new QCustomPlot(this);
    plot_->setAutoAddPlottableToLegend(false);
    // One paint buffer instead of a second for the overlay layer, which nothing here uses:
    // each buffer costs a clear and a blend of the whole plot per redraw.
    plot_->layer("overlay")->setMode(QCPLayer::lmLogical);
    plot_->setToolTip(
        "Wheel: zoom about the pointer. Drag: pan. Right or Shift drag: zoom to a rectangle. "
        "Click: a marker (drag it along, right click takes it away). Double click: set the main "
        "window's frequency.");
    layout->addWidget(plot_);
    gestures_ = new PointerGestures(
        plot_, {[this](QPointF at) { return FrequencyAt(at); },
                [this](QPointF at) { return MarkerAt(at); },
                [this](const QRectF& rect) { return SpanWithin(rect); },
                [this](double dx) {
                    return panels_.empty() ? 0.0 : -dx / std::max(1, panels_.front().rect->width());
                }});
    Rebuild();
}

void FrequencyPlots::SetShown(PlotKind kind, bool shown) {
    shown_[static_cast<std::size_t>(kind)] = shown;
    Rebuild();
}

bool FrequencyPlots::isShown(PlotKind kind) const {
    return shown_[static_cast<std::size_t>(kind)];
}

void FrequencyPlots::SetLogarithmicSwr(bool logarithmic) {
    logarithmicSwr_ = logarithmic;
    Rebuild();
}

void FrequencyPlots::SetScene(const AnalysisScene* scene) {
    scene_ = scene;
    Fill();
}

void FrequencyPlots::Rebuild() {
    // Graphs and items hang on the axes of the panels: they go first.
    plot_->clearItems();
    plot_->clearPlottables();
    plot_->plotLayout()->clear();
    panels_.clear();
    auto* margins = new QCPMarginGroup(plot_);
    for (PlotKind kind : kPlotKinds) {
        if (!isShown(kind)) continue;
        const PanelSpec& spec = SpecOf(kind);
        auto* rect = new QCPAxisRect(plot_);
        plot_->plotLayout()->addElement(static_cast<int>(panels_.size()), 0, rect);
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        // Room for wide tick labels from the start, so that the frequency axis keeps its
        // place while the values change under a zoom or a drag.
        rect->setMinimumMargins(QMargins(90, 8, 16, 8));
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        y->setLabel(spec.axis);
        if (kind == PlotKind::Swr && logarithmicSwr_) {
            y->setScaleType(QCPAxis::stLogarithmic);
            QSharedPointer<QCPAxisTickerLog> ticker(new QCPAxisTickerLog);
            ticker->setSubTickCount(8);
            y->setTicker(ticker);
            y->grid()->setSubGridVisible(true);
        }
        rect->axis(QCPAxis::atBottom)->grid()->setSubGridVisible(true);
        // Solid hairlines: dotted ones go through the painter's dash stroker, which costs
        // more than all the curves.
        for (QCPAxis* axis : {rect->axis(QCPAxis::atBottom), y}) {
            axis->grid()->setPen(Hairline(QColor(215, 219, 225)));
            axis->grid()->setSubGridPen(Hairline(QColor(236, 238, 241)));
            axis->grid()->setZeroLinePen(Hairline(QColor(170, 176, 184)));
        }
        auto* legend = new QCPLegend;
        rect->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
        legend->setLayer("legend");
        legend->setFont(look::SmallFont());
        legend->setBrush(QColor(255, 255, 255, 220));
        Panel panel{kind, rect, {}};
        for (const Curve& curve : spec.curves) {
            QCPGraph* graph = plot_->addGraph(rect->axis(QCPAxis::atBottom), y);
            graph->setName(curve.name);
            // One pixel wide, as the Smith chart's loci and for the same speed.
            graph->setPen(QPen(curve.colour, 1));
            graph->addToLegend(legend);
            panel.graphs.push_back(graph);
        }
        panels_.push_back(panel);
    }
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        QCPAxis* x = panels_[i].rect->axis(QCPAxis::atBottom);
        // One frequency axis for all: its label under the lowest panel only.
        if (i + 1 == panels_.size()) x->setLabel("Frequency (MHz)");
    }
    Fill();
}

void FrequencyPlots::Fill() {
    plot_->clearItems();
    for (const Panel& panel : panels_) {
        FillPanel(panel);
        if (scene_) AddItems(panel);
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void FrequencyPlots::FillPanel(const Panel& panel) {
    const PanelSpec& spec = SpecOf(panel.kind);
    const std::size_t n = scene_ ? scene_->points.size() : 0;
    QVector<double> keys(static_cast<qsizetype>(n));
    double low = INFINITY, high = -INFINITY;
    for (std::size_t i = 0; i < n; ++i) keys[static_cast<qsizetype>(i)] = scene_->points[i].f_MHz;
    for (std::size_t c = 0; c < spec.curves.size(); ++c) {
        QVector<double> values(static_cast<qsizetype>(n));
        for (std::size_t i = 0; i < n; ++i) {
            const std::optional<double> v = spec.curves[c].value(scene_->points[i]);
            // NaN leaves a gap where the source has nothing.
            values[static_cast<qsizetype>(i)] = v ? *v : std::nan("");
            if (v) {
                low = std::min(low, *v);
                high = std::max(high, *v);
            }
        }
        panel.graphs[c]->setData(keys, values, true);
        if (scene_ && spec.curves[c].colour == look::kMatched) {
            panel.graphs[c]->setName(QString("Through ") + NetworkName(scene_->setup.network));
        }
    }
    const bool logarithmic = panel.kind == PlotKind::Swr && logarithmicSwr_;
    panel.rect->axis(QCPAxis::atLeft)->setRange(ValueRange(panel.kind, logarithmic, low, high));
    if (scene_) {
        panel.rect->axis(QCPAxis::atBottom)
            ->setRange(scene_->shown.low_MHz, scene_->shown.high_MHz);
    }
}

void FrequencyPlots::AddItems(const Panel& panel) {
    QCPAxis* x = panel.rect->axis(QCPAxis::atBottom);
    QCPAxis* y = panel.rect->axis(QCPAxis::atLeft);
    auto vertical = [&](double f, const QPen& pen) {
        auto* line = new QCPItemStraightLine(plot_);
        line->setClipAxisRect(panel.rect);
        line->point1->setAxes(x, y);
        line->point2->setAxes(x, y);
        line->point1->setTypeY(QCPItemPosition::ptAxisRectRatio);
        line->point2->setTypeY(QCPItemPosition::ptAxisRectRatio);
        line->point1->setAxisRect(panel.rect);
        line->point2->setAxisRect(panel.rect);
        line->point1->setCoords(f, 0);
        line->point2->setCoords(f, 1);
        line->setPen(pen);
    };
    const MatchedBandwidth& b = scene_->bandwidth;
    for (const BandEdges* edges : {&b.swr2, &b.swr1_5}) {
        if (!b.swrAtSet || edges->aboveAtSet) continue;
        auto* band = new QCPItemRect(plot_);
        band->setClipAxisRect(panel.rect);
        band->setLayer("grid");
        for (QCPItemPosition* corner : {band->topLeft, band->bottomRight}) {
            corner->setAxes(x, y);
            corner->setAxisRect(panel.rect);
            corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        band->topLeft->setCoords(edges->low_MHz.value_or(b.range.low_MHz), 0);
        band->bottomRight->setCoords(edges->high_MHz.value_or(b.range.high_MHz), 1);
        band->setPen(Qt::NoPen);
        band->setBrush(edges == &b.swr2 ? look::kBandSwr2 : look::kBandSwr15);
    }
    if (scene_->atSet) vertical(scene_->atSet->f_MHz, QPen(look::kSetFrequency, 1.2));
    for (std::size_t i = 0; i < scene_->markers.size(); ++i) {
        const double f = scene_->markers[i].f_MHz;
        vertical(f, QPen(look::kMarker, 1, Qt::DashLine));
        auto* label = new QCPItemText(plot_);
        label->setClipAxisRect(panel.rect);
        label->position->setAxes(x, y);
        label->position->setAxisRect(panel.rect);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(f, 0);
        label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setText(QString::number(i + 1));
        label->setFont(look::SmallFont());
        label->setColor(look::kMarker);
        label->setBrush(Qt::white);
        label->setPen(QPen(look::kMarker));
        label->setPadding(QMargins(3, 0, 3, 0));
    }
}

void FrequencyPlots::Render(QCPPainter& painter, int width, int height) {
    plot_->toPainter(&painter, width, height);
}

const FrequencyPlots::Panel* FrequencyPlots::PanelAt(QPointF at) const {
    for (const Panel& panel : panels_) {
        if (panel.rect->rect().contains(at.toPoint())) return &panel;
    }
    return nullptr;
}

double FrequencyPlots::XOf(double f_MHz) const {
    if (panels_.empty()) return 0;
    return panels_.front().rect->axis(QCPAxis::atBottom)->coordToPixel(f_MHz) +
           plot_->geometry().left();
}

std::optional<double> FrequencyPlots::FrequencyAt(QPointF at) const {
    if (!scene_ || !PanelAt(at)) return std::nullopt;
    const double f = panels_.front().rect->axis(QCPAxis::atBottom)->pixelToCoord(at.x());
    return std::clamp(f, scene_->shown.low_MHz, scene_->shown.high_MHz);
}

int FrequencyPlots::MarkerAt(QPointF at) const {
    if (!scene_ || panels_.empty() || !PanelAt(at)) return -1;
    const QCPAxis* x = panels_.front().rect->axis(QCPAxis::atBottom);
    for (std::size_t i = 0; i < scene_->markers.size(); ++i) {
        if (std::abs(x->coordToPixel(scene_->markers[i].f_MHz) - at.x()) <= look::kMarkerReach) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::pair<double, double>> FrequencyPlots::SpanWithin(const QRectF& rect) const {
    if (!scene_ || panels_.empty()) return std::nullopt;
    const QCPAxis* x = panels_.front().rect->axis(QCPAxis::atBottom);
    const double low = std::max(x->pixelToCoord(rect.left()), scene_->shown.low_MHz);
    const double high = std::min(x->pixelToCoord(rect.right()), scene_->shown.high_MHz);
    if (!(high > low)) return std::nullopt;
    return std::pair{low, high};
}

QString FrequencyPlots::ReadoutAt(QPointF at) const {
    const std::optional<double> f = FrequencyAt(at);
    if (!f) return {};
    const AnalysisPoint point = scene_->PointAt(*f);
    QString text = QString("f %1 MHz").arg(*f, 0, 'f', 4);
    if (!point.antenna) return text + ": the source has no value here";
    text += ": " + look::ImpedanceText({point.antenna->r, point.antenna->x});
    if (point.matched) text += QString(", matched SWR %1").arg(point.matched->swr, 0, 'g', 4);
    return text;
}
