#include "analysis/PointerGestures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <QWidget>
#include <cmath>

PointerGestures::PointerGestures(QWidget* view, Mapping mapping)
    : QObject(view),
      view_(view),
      mapping_(std::move(mapping)),
      band_(new QRubberBand(QRubberBand::Rectangle, view)) {
    view->setMouseTracking(true);
    view->installEventFilter(this);
}

bool PointerGestures::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Press(mouse->position(), mouse->button(), mouse->modifiers());
            return true;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (drag_ == Drag::None) {
                emit hovered(mouse->position());
            } else {
                Move(mouse->position());
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == button_) {
                Release(static_cast<QMouseEvent*>(event)->position());
            }
            return true;
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return true;
            if (clickPlaced_) emit placementTakenBack();
            clickPlaced_ = false;
            // Qt sends no press for the second click: nothing is being dragged.
            drag_ = Drag::None;
            if (const auto f = mapping_.frequencyAt(mouse->position())) emit frequencyChosen(*f);
            return true;
        }
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            const double notches = wheel->angleDelta().y() / 120.0;
            const auto f = mapping_.frequencyAt(wheel->position());
            if (f && notches != 0) emit zoomRequested(*f, std::pow(0.8, notches));
            return true;
        }
        case QEvent::Leave:
            emit left();
            return false;
        default:
            return false;
    }
}

void PointerGestures::Press(QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (drag_ != Drag::None || (button != Qt::LeftButton && button != Qt::RightButton)) return;
    button_ = button;
    start_ = last_ = at;
    marker_ = mapping_.markerAt(at);
    rectangleWanted_ =
        button == Qt::RightButton || modifiers.testFlag(Qt::ShiftModifier) || !mapping_.panShare;
    drag_ = Drag::Pending;
    clickPlaced_ = false;
}

void PointerGestures::Move(QPointF at) {
    if (drag_ == Drag::Pending) {
        if ((at - start_).manhattanLength() < QApplication::startDragDistance()) return;
        drag_ = button_ == Qt::LeftButton && marker_ >= 0 ? Drag::Marker
                : rectangleWanted_                        ? Drag::Rectangle
                                                          : Drag::Pan;
        if (drag_ == Drag::Rectangle) band_->show();
    }
    switch (drag_) {
        case Drag::Marker:
            if (const auto f = mapping_.frequencyAt(at)) emit markerMoved(marker_, *f);
            break;
        case Drag::Pan:
            emit panRequested(mapping_.panShare(at.x() - last_.x()));
            break;
        case Drag::Rectangle:
            band_->setGeometry(QRectF(start_, at).normalized().toRect());
            break;
        case Drag::None:
        case Drag::Pending:
            break;
    }
    last_ = at;
}

void PointerGestures::Release(QPointF at) {
    const Drag drag = drag_;
    const Qt::MouseButton button = button_;
    drag_ = Drag::None;
    button_ = Qt::NoButton;
    band_->hide();
    if (drag == Drag::Rectangle) {
        if (const auto span = mapping_.spanWithin(QRectF(start_, at).normalized())) {
            emit spanRequested(span->first, span->second);
        }
        return;
    }
    if (drag != Drag::Pending) return;
    // A click: the right button takes the marker under it away, the left places one where
    // there is none.
    if (button == Qt::RightButton) {
        if (marker_ >= 0) emit markerRemoved(marker_);
        return;
    }
    if (marker_ >= 0) return;
    if (const auto f = mapping_.frequencyAt(at)) {
        clickPlaced_ = true;
        emit markerPlaced(*f);
    }
}
