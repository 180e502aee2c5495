#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace {

// Far beyond every edge but small enough for the rasteriser's fixed-point arithmetic.
constexpr double kCoordinateLimit = 1e6;

double Tame(double v) {
    if (std::isnan(v)) return 0;
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace

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
    return {Tame((x - left_) * scaleX_), Tame((y - top_) * scaleY_)};
}

double PictureBox::ToPixelLength(double length) const {
    return Tame(std::abs(length * scaleX_));
}

QPen PictureBox::CurrentPen() const {
    // Round ends, so that the many short segments of a curve join up at any width.
    return QPen(fore_, drawWidth_, dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    const QPointF from = ToPixels(x1, y1);
    const QPointF to = ToPixels(x2, y2);
    if (from == to) {
        painter.drawPoint(from);
    } else {
        painter.drawLine(from, to);
    }
    current_ = to;
}

void PictureBox::Box(double x1, double y1, double x2, double y2) {
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    painter.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    painter.drawRect(QRectF(ToPixels(x1, y1), ToPixels(x2, y2)).normalized());
    current_ = ToPixels(x2, y2);
}

void PictureBox::PSet(double x, double y) {
    QPainter& painter = Painter();
    const QPointF at = ToPixels(x, y);
    if (drawWidth_ <= 1) {
        painter.setPen(fore_);
        painter.drawPoint(at);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fore_);
        const double r = drawWidth_ / 2.0;
        painter.drawEllipse(at, r, r);
    }
    current_ = at;
}

void PictureBox::Circle(double cx, double cy, double radius) {
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    painter.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    const double r = ToPixelLength(radius);
    painter.drawEllipse(ToPixels(cx, cy), r, r);
    current_ = ToPixels(cx, cy);
}

void PictureBox::Arc(double cx, double cy, double radius, double start, double end) {
    constexpr double kTurn = 2 * std::numbers::pi;
    double span = std::fmod(end - start, kTurn);
    if (span < 0) span += kTurn;
    QPainter& painter = Painter();
    painter.setPen(CurrentPen());
    painter.setBrush(Qt::NoBrush);
    const QPointF centre = ToPixels(cx, cy);
    const double r = ToPixelLength(radius);
    // Qt counts angles counter-clockwise on the screen; in a y-down scale that is clockwise
    // in user space, so the sweep is mirrored there.
    const double sign = scaleY_ < 0 ? 1.0 : -1.0;
    const int startAngle =
        static_cast<int>(std::lround(sign * start * 180 / std::numbers::pi * 16));
    const int spanAngle = static_cast<int>(std::lround(sign * span * 180 / std::numbers::pi * 16));
    painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), startAngle, spanAngle);
    current_ = centre;
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
