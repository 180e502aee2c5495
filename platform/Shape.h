#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle, such as a tuner's SWR indicator. Its fill colour reads back exactly
// as last written from the dynamic property "fillColor", like the back colours do.
class Shape : public QWidget {
public:
    Shape(QWidget* parent, const QString& name, const QRect& geometry, const QColor& fill);

    void SetFillColor(const QColor& color);
    QColor FillColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
