#include "platform/BackColor.h"

#include <QVariant>
#include <QWidget>

void SetBackColor(QWidget* widget, const QColor& color) {
    const QVariant old = widget->property("backColor");
    if (old.isValid() && old.value<QColor>() == color) return;
    widget->setProperty("backColor", color);
    QPalette palette = widget->palette();
    // The role the widget fills itself with: Base for text boxes, Button for buttons, option
    // buttons and check boxes, Window for labels and frames.
    palette.setColor(widget->backgroundRole(), color);
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
