#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "platform/Clipping.h"

PictureBox::PictureBox(const QString& name, int width, int height, QWidget* parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    setObjectName(name);
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_.fill(background_);
}

PictureBox::~PictureBox() {
    EndPainting();
}

QPainter& PictureBox::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        update();
    }
    return *painter_;
}

void PictureBox::EndPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

const QImage& PictureBox::image() {
    EndPainting();
    return image_;
}

void PictureBox::SetScale(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    scaleX_ = image_.width() / width;
    scaleY_ = image_.height() / height;
}

void PictureBox::SetBackground(const QColor& color) {
    background_ = color;
    Clear();
}

void PictureBox::SetFillSolid(const QColor& color) {
    filled_ = true;
    fill_ = color;
}

void PictureBox::SetFillTransparent() {
    filled_ = false;
    fill_ = Qt::black;
}

void PictureBox::Clear() {
    EndPainting();
    image_.fill(background_);
    update();
}

QPointF PictureBox::ToPixels(double x, double y) const {
    return {(x - left_) * scaleX_, (y - top_) * scaleY_};
}

QRectF PictureBox::Reach() const {
    const double margin = drawWidth_ + 2;
    return QRectF(-margin, -margin, image_.width() + 2 * margin, image_.height() + 2 * margin);
}

QPen PictureBox::CurrentPen() const {
    // Round ends, so that the many short segments of a curve join up at any width.
    return QPen(fore_, drawWidth_, dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
    QPointF from = ToPixels(x1, y1);
    QPointF to = ToPixels(x2, y2);
    current_ = to;
    if (!ClipSegment(from, to, Reach())) return;
    QPainter& painter = Painter();
    if (drawWidth_ <= 2 && !dotted_) {
        // Thin solid lines take the rasteriser's one-pixel fast path; a width of 2 is two
        // such lines side by side. Curves are thousands of short segments.
        QPen thin(fore_, 1);
        thin.setCosmetic(true);
        painter.setPen(thin);
        const QPointF beside = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y())
                                   ? QPointF(0, 1)
                                   : QPointF(1, 0);
        for (int pass = 0; pass < drawWidth_; ++pass) {
            const QPointF shift = pass == 0 ? QPointF() : beside;
            if (from == to) {
                painter.drawPoint(from + shift);
            } else {
                painter.drawLine(from + shift, to + shift);
            }
        }
        return;
    }
    painter.setPen(CurrentPen());
    if (from == to) {
        painter.drawPoint(from);
    } else {
        painter.drawLine(from, to);
    }
}

void PictureBox::Box(double x1, double y1, double x2, double y2) {
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    painter.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    const QRectF box = QRectF(ToPixels(x1, y1), ToPixels(x2, y2)).normalized();
    painter.drawRect(box.intersected(Reach()));
    current_ = ToPixels(x2, y2);
}

void PictureBox::PSet(double x, double y) {
    QPainter& painter = Painter();
    const QPointF at = ToPixels(x, y);
    current_ = at;
    if (!Reach().contains(at)) return;
    if (drawWidth_ <= 1) {
        painter.setPen(fore_);
        painter.drawPoint(at);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fore_);
        // Centred on the pixel, as the lines of the same width are.
        const double r = drawWidth_ / 2.0;
        painter.drawEllipse(at + QPointF(0.5, 0.5), r, r);
    }
}

void PictureBox::Circle(double cx, double cy, double radius) {
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    painter.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    const double r = std::abs(radius * scaleX_);
    const QPointF centre = ToPixels(cx, cy);
    current_ = centre;
    // The grid's circles are small; anything huge is far off the picture anyway.
    if (!(r < 1e5) || !Reach().adjusted(-r, -r, r, r).contains(centre)) return;
    painter.drawEllipse(centre, r, r);
}

void PictureBox::Arc(double cx, double cy, double radius, double start, double end) {
    constexpr double kTurn = 2 * std::numbers::pi;
    double span = std::fmod(end - start, kTurn);
    if (span < 0) span += kTurn;
    // Screen angles run counter-clockwise on the screen; in a y-down scale that is
    // clockwise in user space, so the sweep is mirrored there.
    double screenStart = start;
    if (scaleY_ > 0) screenStart = -start - span;
    const QPointF centre = ToPixels(cx, cy);
    const double r = std::abs(radius * scaleX_);
    current_ = centre;
    // Only the visible parts become polylines: a circle of a million pixels through the
    // picture is drawn as the few hundred pixels that show.
    for (const auto& [from, to] : VisibleArcParts(centre, r, screenStart, span, Reach())) {
        const int steps = std::clamp(static_cast<int>((to - from) * r / 1.5), 4, 4000);
        QPolygonF polyline;
        for (int i = 0; i <= steps; ++i) {
            const double angle = from + (to - from) * i / steps;
            polyline << QPointF(centre.x() + r * std::cos(angle), centre.y() - r * std::sin(angle));
        }
        QPainter& painter = Painter();
        painter.setPen(CurrentPen());
        painter.drawPolyline(polyline);
    }
}

void PictureBox::SetCurrentPoint(double x, double y) {
    current_ = ToPixels(x, y);
}

void PictureBox::Print(const QString& text) {
    QPainter& painter = Painter();
    painter.setPen(fore_);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    painter.drawText(current_ + QPointF(0, metrics.ascent()), text);
    current_.rx() += metrics.horizontalAdvance(text);
}

void PictureBox::SetImage(const QImage& image) {
    EndPainting();
    image_ = image.copy();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    EndPainting();
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    emit mousePressed(event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ && rect().contains(event->position().toPoint())) emit clicked();
    pressed_ = false;
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position());
}
