#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <memory>

class QPainter;

// A drawing surface of a fixed size in pixels that keeps what was drawn until it is
// cleared. Diagrams draw in a user scale of their own (x to the right, y down or up) with
// a current fore colour, draw width, line style and fill; the widget only shows the image.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, int width, int height, QWidget* parent);
    ~PictureBox() override;

    // User coordinates: (left, top) is the top-left corner, the box spans width x height
    // units; a negative height makes y point up.
    void SetScale(double left, double top, double width, double height);
    void SetBackground(const QColor& color);
    void SetForeColor(const QColor& color) { fore_ = color; }
    void SetDrawWidth(int width) { drawWidth_ = width < 1 ? 1 : width; }
    void SetDotted(bool dotted) { dotted_ = dotted; }
    void SetFillSolid(const QColor& color);
    void SetFillTransparent();

    // Fills the whole box with its back colour.
    void Clear();
    void Line(double x1, double y1, double x2, double y2);
    void Box(double x1, double y1, double x2, double y2);
    // A dot of the draw width.
    void PSet(double x, double y);
    // Circle, or arc from `start` to `end` (radians, counter-clockwise in a y-up scale).
    void Circle(double cx, double cy, double radius);
    void Arc(double cx, double cy, double radius, double start, double end);
    // The current point is where the last drawing ended, or where it is set here.
    void SetCurrentPoint(double x, double y);
    // Text whose top-left corner stands at the current point.
    void Print(const QString& text);

    const QImage& image();
    // Replaces the whole surface, e.g. by another box's image.
    void SetImage(const QImage& image);

signals:
    void mousePressed(QPointF position);
    void mouseMoved(QPointF position);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // One painter serves a whole run of drawing calls; it ends before the image is shown,
    // read or replaced.
    QPainter& Painter();
    void EndPainting();
    QPointF ToPixels(double x, double y) const;
    // The picture with a margin of the draw width: what can leave a mark on it.
    QRectF Reach() const;
    QPen CurrentPen() const;

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QColor background_{Qt::black};
    QColor fore_{Qt::white};
    int drawWidth_ = 1;
    bool dotted_ = false;
    bool filled_ = false;
    QColor fill_{Qt::black};
    double left_ = 0, top_ = 0, scaleX_ = 1, scaleY_ = 1;
    QPointF current_;
    bool pressed_ = false;
};
