#pragma once

#include <QColor>

class QWidget;

// The back colour the program wrote last reads back exactly from the dynamic property
// "backColor"; the same call makes it visible. A shape's fill colour works the same way
// through "fillColor".
void SetBackColor(QWidget* widget, const QColor& color);
QColor BackColor(const QWidget* widget);

void SetForeColor(QWidget* widget, const QColor& color);
