#include "platform/Shape.h"

#include <QPainter>
#include <QVariant>

Shape::Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill)
    : QWidget(parent) {
    setObjectName(name);
    setGeometry(geometry);
    SetFillColor(fill);
}

void Shape::SetFillColor(const QColor& color) {
    if (FillColor() == color) return;
    setProperty("fillColor", color);
    update();
}

QColor Shape::FillColor() const {
    return property("fillColor").value<QColor>();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(FillColor());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
