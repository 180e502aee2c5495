#include "platform/BackColor.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace {

QPalette::ColorRole BackgroundRole(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget)) return QPalette::Base;
    if (widget->inherits("QPushButton")) return QPalette::Button;
    return QPalette::Window;
}

}  // namespace

void SetBackColor(QWidget* widget, const QColor& color) {
    const QVariant old = widget->property("backColor");
    if (old.isValid() && old.value<QColor>() == color) return;
    widget->setProperty("backColor", color);
    QPalette palette = widget->palette();
    palette.setColor(BackgroundRole(widget), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor BackColor(const QWidget* widget) {
    return widget->property("backColor").value<QColor>();
}

void SetForeColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}
