#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "platform/Clipping.h"
#include "platform/PixelLines.h"

PictureBox::PictureBox(const QString& name, int width, int height, QWidget* parent)
    : QWidget(parent), size_(width, height), ratio_(devicePixelRatioF()) {
    setObjectName(name);
    setFixedSize(size_);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = Rescaled(QImage());
    image_.fill(background_);
}

PictureBox::~PictureBox() {
    EndPainting();
}

QPainter& PictureBox::Painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    Touched();
    return *painter_;
}

void PictureBox::EndPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void PictureBox::Touched() {
    if (touched_) return;
    touched_ = true;
    update();
}

const QImage& PictureBox::image() {
    EndPainting();
    return image_;
}

void PictureBox::SetScale(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    scaleX_ = size_.width() / width;
    scaleY_ = size_.height() / height;
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
    Touched();
}

QPointF PictureBox::ToPixels(double x, double y) const {
    return {(x - left_) * scaleX_, (y - top_) * scaleY_};
}

QPointF PictureBox::ToUser(QPointF position) const {
    return {left_ + position.x() / scaleX_, top_ + position.y() / scaleY_};
}

QRectF PictureBox::Reach() const {
    const double margin = drawWidth_ + 2;
    return QRectF(-margin, -margin, size_.width() + 2 * margin, size_.height() + 2 * margin);
}

QPen PictureBox::CurrentPen() const {
    // Round ends, so that the many short segments of a curve join up at any width.
    return QPen(fore_, drawWidth_, dotted_ ? Qt::DotLine : Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

int PictureBox::DeviceWidth() const {
    return std::max(1, qRound(drawWidth_ * ratio_));
}

void PictureBox::ThinLine(QPointF from, QPointF to) {
    // Side by side below a flat line, to the right of a steep one, whatever the ratio.
    const QPointF beside =
        std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y()) ? QPointF(0, 1) : QPointF(1, 0);
    const QPointF start = from * ratio_, end = to * ratio_;
    const QRgb colour = fore_.rgb();
    for (int pass = 0, passes = DeviceWidth(); pass < passes; ++pass) {
        DrawPixelLine(image_, start + beside * pass, end + beside * pass, colour);
    }
    Touched();
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
    QPointF from = ToPixels(x1, y1);
    QPointF to = ToPixels(x2, y2);
    current_ = to;
    if (!ClipSegment(from, to, Reach())) return;
    if (drawWidth_ <= 2 && !dotted_) {
        ThinLine(from, to);
        return;
    }
    QPainter& painter = Painter();
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
    const QPointF at = ToPixels(x, y);
    current_ = at;
    if (!Reach().contains(at)) return;
    // The block starts where a width-1 dot would be, as a line of the same width does.
    const int before = qRound((drawWidth_ - 1) / 2 * ratio_);
    FillPixelBlock(image_, PixelOf(at.x() * ratio_) - before, PixelOf(at.y() * ratio_) - before,
                   DeviceWidth(), fore_.rgb());
    Touched();
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
        if (drawWidth_ <= 2 && !dotted_) {
            // The pixels of a line of the same width, so that arcs and lines meet flush.
            for (qsizetype i = 1; i < polyline.size(); ++i) ThinLine(polyline[i - 1], polyline[i]);
            continue;
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
    // Every pixel of a picture has a colour that was set: no smoothed glyph edges.
    QFont aliased = font();
    aliased.setStyleStrategy(QFont::NoAntialias);
    painter.setPen(fore_);
    painter.setFont(aliased);
    const QFontMetrics metrics(aliased);
    painter.drawText(current_ + QPointF(0, metrics.ascent()), text);
    current_.rx() += metrics.horizontalAdvance(text);
}

QImage PictureBox::Rescaled(const QImage& image) const {
    const QSize device(qRound(size_.width() * ratio_), qRound(size_.height() * ratio_));
    QImage result;
    if (image.isNull()) {
        result = QImage(device, QImage::Format_RGB32);
    } else if (image.size() == device) {
        result = image.convertToFormat(QImage::Format_RGB32);
        result.detach();
    } else {
        // Nearest pixels: every pixel keeps a colour that was drawn.
        result = image.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    }
    result.setDevicePixelRatio(ratio_);
    return result;
}

void PictureBox::SetPixelRatio(qreal ratio) {
    if (!(ratio > 0) || ratio == ratio_) return;
    EndPainting();
    ratio_ = ratio;
    image_ = Rescaled(image_);
    update();
    emit pixelRatioChanged();
}

void PictureBox::SetImage(const QImage& image) {
    EndPainting();
    image_ = Rescaled(image);
    update();
}

bool PictureBox::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) SetPixelRatio(devicePixelRatioF());
    return QWidget::event(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
    // A change of ratio that came without a screen change (scaling set anew) shows here; a
    // hidden box keeps the ratio it was given.
    if (isVisible()) SetPixelRatio(devicePixelRatioF());
    EndPainting();
    touched_ = false;
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

void PictureBox::leaveEvent(QEvent* event) {
    emit pointerLeft();
    QWidget::leaveEvent(event);
}
