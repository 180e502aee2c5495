#include "analysis/SmithChart.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

#include "analysis/AnalysisLook.h"
#include "analysis/PointerGestures.h"
#include "analysis/core/ReportText.h"

namespace {

constexpr double kMargin = 30;  // room for the reactance labels round the rim
constexpr double kGrid[] = {0.2, 0.5, 1, 2, 5};
constexpr double kSwrCircles[] = {1.5, 2, 3};

// Ticks on the locus at round frequencies, some four to ten across the span.
double TickStep(double width) {
    const double decade = std::pow(10.0, std::floor(std::log10(width / 4)));
    for (double factor : {5.0, 2.0, 1.0}) {
        if (width / (decade * factor) >= 4) return decade * factor;
    }
    return decade;
}

class Painter {
public:
    Painter(QPainter& p, const QRectF& area) : p_(p), area_(area), frame_(SmithFrameIn(area)) {}

    QPointF At(Reflection g) const {
        const ChartFrame::Pixel px = frame_.ToPixel(g);
        return {px.x, px.y};
    }
    std::optional<QPointF> At(double r, double x) const {
        const std::optional<Reflection> g = ReflectionOf({r, x});
        if (!g) return std::nullopt;
        return At(*g);
    }
    QRectF Circle(double cx, double cy, double radius) const {
        return {At({cx - radius, cy + radius}), At({cx + radius, cy - radius})};
    }

    void Grid() {
        const QRectF rim = Circle(0, 0, 1);
        p_.setBrush(look::kChartFace);
        p_.setPen(Qt::NoPen);
        p_.drawEllipse(rim);
        p_.setBrush(Qt::NoBrush);
        p_.setPen(Hairline(look::kGrid));
        for (double v : kGrid) {
            const ChartCircle r = ResistanceCircle(v);
            p_.drawEllipse(Circle(r.cx, r.cy, r.radius));
            for (double sign : {1.0, -1.0}) p_.drawPolyline(ReactanceArc(sign * v));
        }
        p_.drawLine(At({-1, 0}), At({1, 0}));
        p_.setPen(QPen(look::kRim, 1.5));
        p_.drawEllipse(rim);

        p_.setFont(look::SmallFont());
        p_.setPen(look::kGridText);
        const QFontMetricsF metrics(p_.font());
        for (double v : kGrid) {
            // r on the real axis, just left of where its circle crosses it.
            const QPointF at = At({(v - 1) / (v + 1), 0});
            const QString text = Number(v);
            p_.drawText(at + QPointF(-metrics.horizontalAdvance(text) - 2, -3), text);
            for (double sign : {1.0, -1.0}) {
                // x outside the rim where its arc meets it.
                const double x = sign * v;
                const Reflection g{(x * x - 1) / (x * x + 1), 2 * x / (x * x + 1)};
                const QString label = (sign > 0 ? "+j" : "-j") + Number(v);
                RimLabel(g, label, metrics);
            }
        }
        RimLabel({-1, 0}, "0", metrics);
        RimLabel({1, 0}, QString::fromUtf8("\u221e"), metrics);
    }

    void SwrCircles() {
        p_.setFont(look::SmallFont());
        const QFontMetricsF metrics(p_.font());
        for (double swr : kSwrCircles) {
            QPen dashed = Hairline(look::kSwrCircle);
            dashed.setStyle(Qt::DashLine);
            p_.setPen(dashed);
            const double radius = SwrRadius(swr);
            p_.drawEllipse(Circle(0, 0, radius));
            const QRectF box = SwrLabelBox(swr, metrics);
            p_.fillRect(box, look::kChartFace);
            p_.setPen(look::kSwrCircle);
            p_.drawText(box, Qt::AlignCenter, SwrLabel(swr));
        }
    }

    // The SWR circles' labels are drawn with the face; labels of the scene keep clear of them.
    void ReserveSwrLabels() {
        const QFontMetricsF metrics(look::SmallFont());
        for (double swr : kSwrCircles) taken_.push_back(SwrLabelBox(swr, metrics));
    }

    void Locus(const std::vector<AnalysisPoint>& points, bool matched, const QColor& colour) {
        // A pixel wide at 1x; on a finer screen hairlines side by side make it as wide, which
        // the raster engine draws far faster than one wider line.
        p_.setPen(Hairline(colour));
        const double device = 1 / std::max(1.0, p_.device()->devicePixelRatioF());
        std::vector<QPointF> beside{{0, 0}};
        if (device < 1) beside.insert(beside.end(), {{device, 0}, {0, device}});
        QPolygonF line;
        auto flush = [&] {
            if (line.size() > 1) {
                for (const QPointF& shift : beside) p_.drawPolyline(line.translated(shift));
            }
            line.clear();
        };
        for (const AnalysisPoint& point : points) {
            const auto& load = matched ? point.matched : point.antenna;
            const std::optional<QPointF> at = load ? At(load->r, load->x) : std::nullopt;
            if (!at) {
                flush();
                continue;
            }
            // Points that crowd into one pixel (a locus that hardly moves) add nothing.
            if (!line.isEmpty() && QLineF(line.back(), *at).length() < 0.5) continue;
            line << *at;
        }
        flush();
    }

    void Ticks(const AnalysisScene& scene) {
        const double step = TickStep(scene.shown.high_MHz - scene.shown.low_MHz);
        p_.setFont(look::SmallFont());
        const QFontMetricsF metrics(p_.font());
        for (double k = std::ceil(scene.shown.low_MHz / step - 1e-9);
             k * step <= scene.shown.high_MHz * (1 + 1e-12); ++k) {
            const AnalysisPoint point = scene.PointAt(k * step);
            if (point.matched) Dot(*At(point.matched->r, point.matched->x), look::kMatched, 2.5);
            if (!point.antenna) continue;
            const std::optional<QPointF> at = At(point.antenna->r, point.antenna->x);
            if (!at) continue;
            Dot(*at, look::kAntenna, 3);
            Label(*at, FrequencyText(k * step, step), metrics, look::kAntenna);
        }
    }

    void SetFrequency(const AnalysisScene& scene) {
        if (!scene.atSet) return;
        p_.setFont(look::SmallFont());
        const QFontMetricsF metrics(p_.font());
        if (scene.atSet->matched) {
            const QPointF at = *At(scene.atSet->matched->r, scene.atSet->matched->x);
            p_.setPen(QPen(Qt::black, 1));
            p_.setBrush(look::kMatched);
            p_.drawEllipse(at, 4.5, 4.5);
        }
        if (!scene.atSet->antenna) return;
        const std::optional<QPointF> at = At(scene.atSet->antenna->r, scene.atSet->antenna->x);
        if (!at) return;
        p_.setPen(QPen(Qt::white, 1.5));
        p_.setBrush(look::kSetFrequency);
        p_.drawEllipse(*at, 5, 5);
        Label(*at, "f " + QString::number(scene.setup.input.frequency_MHz, 'f', 4) + " MHz",
              metrics, look::kSetFrequency);
    }

    void Markers(const AnalysisScene& scene) {
        p_.setFont(look::SmallFont());
        for (std::size_t i = 0; i < scene.markers.size(); ++i) {
            const AnalysisPoint& m = scene.markers[i];
            for (const auto& load : {m.matched, m.antenna}) {
                if (!load) continue;
                const std::optional<QPointF> at = At(load->r, load->x);
                if (at) look::MarkerBadge(p_, *at, static_cast<int>(i));
            }
        }
    }

    void Legend(const AnalysisScene* scene) {
        p_.setFont(look::SmallFont());
        const QFontMetricsF metrics(p_.font());
        QStringList lines{"Smith chart, Z0 = 50 Ohm"};
        if (scene) {
            lines << "Antenna (" + QString::fromStdString(SourceText(*scene->source)) + ")";
            lines << QString("Through %1, parts for %2 MHz")
                         .arg(NetworkName(scene->setup.network))
                         .arg(scene->setup.input.frequency_MHz, 0, 'f', 3);
            lines << QString("%1 to %2 MHz")
                         .arg(scene->shown.low_MHz, 0, 'f', 4)
                         .arg(scene->shown.high_MHz, 0, 'f', 4);
        }
        QPointF at = area_.topLeft() + QPointF(4, 4 + metrics.ascent());
        const QColor colours[] = {look::kText, look::kAntenna, look::kMatched, look::kText};
        for (int i = 0; i < lines.size(); ++i) {
            const double indent = i == 1 || i == 2 ? 20 : 0;
            if (indent > 0) {
                p_.setPen(QPen(colours[i], 2));
                const double y = at.y() - metrics.ascent() / 3;
                p_.drawLine(QPointF(at.x(), y), QPointF(at.x() + 14, y));
            }
            p_.setPen(colours[i]);
            p_.drawText(at + QPointF(indent, 0), lines[i]);
            taken_.push_back(QRectF(at.x(), at.y() - metrics.ascent(),
                                    indent + metrics.horizontalAdvance(lines[i]),
                                    metrics.height()));
            at.ry() += metrics.height();
        }
    }

private:
    static QString SwrLabel(double swr) { return "SWR " + Number(swr); }

    // Labels below the axis on the left, where no reactance label and rarely a locus is.
    QRectF SwrLabelBox(double swr, const QFontMetricsF& metrics) const {
        const double radius = SwrRadius(swr);
        const double angle = -2.4;
        const QPointF at = At({radius * std::cos(angle), radius * std::sin(angle)});
        const double width = metrics.horizontalAdvance(SwrLabel(swr));
        return {at - QPointF(width / 2, metrics.height() / 2), QSizeF(width + 4, metrics.height())};
    }

    // One device pixel wide at every pixel ratio: the raster engine draws such lines without
    // its general stroker, many times faster.
    static QPen Hairline(const QColor& colour) {
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        return pen;
    }

    // The part of a reactance circle inside the chart, from the rim (r = 0) to the open
    // circuit, as a polyline: cheaper than the whole circle clipped to the rim.
    QPolygonF ReactanceArc(double x) const {
        QPolygonF arc;
        arc << *At(0, x * kChartReference_Ohm);
        for (double r = 0.005; r < 500; r *= 1.2)
            arc << *At(r * kChartReference_Ohm, x * kChartReference_Ohm);
        arc << At(Reflection{1, 0});
        return arc;
    }

    static QString Number(double v) { return QString::number(v, 'g', 3); }

    static QString FrequencyText(double f, double step) {
        const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 6);
        return QString::number(f, 'f', decimals);
    }

    void Dot(QPointF at, const QColor& colour, double radius) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(colour);
        p_.drawEllipse(at, radius, radius);
    }

    void RimLabel(Reflection g, const QString& text, const QFontMetricsF& metrics) {
        const double length = std::hypot(g.re, g.im);
        const QPointF out = At({g.re / length * 1.0, g.im / length * 1.0});
        const QPointF direction = (out - At({0, 0})) / frame_.radius;
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const QPointF centre = out + direction * (std::max(size.width(), size.height()) / 2 + 3);
        const QRectF box(centre - QPointF(size.width() / 2, size.height() / 2), size);
        p_.drawText(box, Qt::AlignCenter, text);
    }

    // A label beside a point where it overlaps no other; none where every place is taken.
    void Label(QPointF at, const QString& text, const QFontMetricsF& metrics,
               const QColor& colour) {
        const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height());
        const QPointF offsets[] = {{6, -size.height() - 2},
                                   {6, 2},
                                   {-size.width() - 6, -size.height() - 2},
                                   {-size.width() - 6, 2},
                                   {-size.width() / 2, -size.height() - 6},
                                   {-size.width() / 2, 6}};
        for (const QPointF& offset : offsets) {
            const QRectF box(at + offset, size);
            if (!area_.contains(box)) continue;
            bool free = true;
            for (const QRectF& other : taken_) free = free && !other.intersects(box);
            if (!free) continue;
            taken_.push_back(box);
            QColor back = Qt::white;
            back.setAlpha(200);
            p_.fillRect(box, back);
            p_.setPen(colour);
            p_.drawText(box, Qt::AlignCenter, text);
            return;
        }
    }

    QPainter& p_;
    QRectF area_;
    ChartFrame frame_;
    std::vector<QRectF> taken_;
};

}  // namespace

ChartFrame SmithFrameIn(const QRectF& area) {
    ChartFrame frame = ChartFrame::Fit(area.width(), area.height(), kMargin);
    frame.centreX += area.left();
    frame.centreY += area.top();
    return frame;
}

namespace {

void PaintSmithFace(QPainter& p, const QRectF& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(area, Qt::white);
    p.setClipRect(area);
    Painter painter(p, area);
    painter.Grid();
    painter.SwrCircles();
    p.restore();
}

void PaintSmithScene(QPainter& p, const QRectF& area, const AnalysisScene* scene) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setClipRect(area);
    Painter painter(p, area);
    painter.ReserveSwrLabels();
    painter.Legend(scene);
    if (scene) {
        painter.Locus(scene->points, false, look::kAntenna);
        painter.Locus(scene->points, true, look::kMatched);
        painter.SetFrequency(*scene);
        painter.Markers(*scene);
        painter.Ticks(*scene);
    }
    p.restore();
}

}  // namespace

void PaintSmithChart(QPainter& p, const QRectF& area, const AnalysisScene* scene) {
    PaintSmithFace(p, area);
    PaintSmithScene(p, area, scene);
}

SmithChart::SmithChart(QWidget* parent) : QWidget(parent) {
    setObjectName("SmithChart");
    setMinimumSize(240, 240);
    // The chart paints every pixel itself: nothing below it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(
        "Wheel: zoom about the pointer. Drag: zoom to a rectangle. Click: a marker (drag it "
        "along, right click takes it away). Double click: set the main window's frequency.");
    gestures_ = new PointerGestures(
        this, {[this](QPointF at) { return FrequencyAt(at); },
               [this](QPointF at) { return MarkerAt(at); },
               [this](const QRectF& rect) { return SpanWithin(rect); }, nullptr});
}

void SmithChart::SetScene(const AnalysisScene* scene) {
    scene_ = scene;
    update();
}

QPointF SmithChart::PixelOf(Impedance z) const {
    const std::optional<Reflection> g = ReflectionOf(z);
    if (!g) return {};
    const ChartFrame::Pixel px = SmithFrameIn(rect()).ToPixel(*g);
    return {px.x, px.y};
}

void SmithChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The grid and its labels are most of the drawing and change only with the size and the
    // pixel ratio of what is painted on: the screen, or a picture at its own ratio.
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    if (face_.size() != size() * ratio || face_.devicePixelRatio() != ratio) {
        face_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        face_.setDevicePixelRatio(ratio);
        QPainter facePainter(&face_);
        PaintSmithFace(facePainter, rect());
    }
    painter.drawImage(0, 0, face_);
    PaintSmithScene(painter, rect(), scene_);
}

namespace {

// The nearest point of the antenna's locus to a pixel, within `reach` pixels.
const AnalysisPoint* NearestOnLocus(const AnalysisScene& scene, const ChartFrame& frame, QPointF at,
                                    double reach) {
    const AnalysisPoint* nearest = nullptr;
    double best = reach * reach;
    for (const AnalysisPoint& point : scene.points) {
        if (!point.antenna) continue;
        const std::optional<Reflection> g = ReflectionOf({point.antenna->r, point.antenna->x});
        if (!g) continue;
        const ChartFrame::Pixel px = frame.ToPixel(*g);
        const double d2 = (px.x - at.x()) * (px.x - at.x()) + (px.y - at.y()) * (px.y - at.y());
        if (d2 <= best) {
            best = d2;
            nearest = &point;
        }
    }
    return nearest;
}

}  // namespace

std::optional<double> SmithChart::FrequencyAt(QPointF at) const {
    if (!scene_) return std::nullopt;
    // The whole chart is in reach: the locus may run anywhere in it.
    const AnalysisPoint* point = NearestOnLocus(*scene_, SmithFrameIn(rect()), at, 1e9);
    if (!point) return std::nullopt;
    return point->f_MHz;
}

int SmithChart::MarkerAt(QPointF at) const {
    if (!scene_) return -1;
    for (std::size_t i = 0; i < scene_->markers.size(); ++i) {
        const auto& load = scene_->markers[i].antenna;
        if (!load) continue;
        const QPointF px = PixelOf({load->r, load->x});
        if (std::hypot(px.x() - at.x(), px.y() - at.y()) <= look::kMarkerReach) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<std::pair<double, double>> SmithChart::SpanWithin(const QRectF& rect) const {
    if (!scene_) return std::nullopt;
    std::optional<std::pair<double, double>> span;
    for (const AnalysisPoint& point : scene_->points) {
        if (!point.antenna) continue;
        if (!rect.contains(PixelOf({point.antenna->r, point.antenna->x}))) continue;
        if (!span) span = std::pair{point.f_MHz, point.f_MHz};
        span->first = std::min(span->first, point.f_MHz);
        span->second = std::max(span->second, point.f_MHz);
    }
    return span;
}

QString SmithChart::ReadoutAt(QPointF at) const {
    const ChartFrame frame = SmithFrameIn(rect());
    const Reflection g = frame.ToReflection({at.x(), at.y()});
    if (std::hypot(g.re, g.im) > 1) return {};
    const std::optional<Impedance> z = ImpedanceOf(g);
    if (!z) return {};
    QString text = look::ImpedanceText(*z);
    if (scene_) {
        if (const AnalysisPoint* point = NearestOnLocus(*scene_, frame, at, 12)) {
            text += QString("   antenna locus at %1 MHz").arg(point->f_MHz, 0, 'f', 4);
        }
    }
    return text;
}
