#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <memory>

class QPainter;

// A drawing surface of a fixed size that keeps what was drawn until it is cleared. Diagrams
// draw in a user scale of their own (x to the right, y down or up) with a current fore
// colour, draw width, line style and fill; the widget only shows the image. The image holds
// the pixel ratio's share of device pixels per unit, so a HiDPI screen gets sharp lines and
// text from the same drawing calls.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, int width, int height, QWidget* parent);
    ~PictureBox() override;

    // User coordinates: (left, top) is the top-left corner, the box spans width x height
    // units; a negative height makes y point up.
    void SetScale(double left, double top, double width, double height);
    // A position on the widget in user coordinates.
    QPointF ToUser(QPointF position) const;
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
    // A square dot of the draw width.
    void PSet(double x, double y);
    // Circle, or arc from `start` to `end` (radians, counter-clockwise in a y-up scale).
    void Circle(double cx, double cy, double radius);
    void Arc(double cx, double cy, double radius, double start, double end);
    // The current point is where the last drawing ended, or where it is set here.
    void SetCurrentPoint(double x, double y);
    // Text whose top-left corner stands at the current point.
    void Print(const QString& text);

    // Device pixels per unit. A shown box follows its screen; a hidden one (a picture
    // written to a file) draws at whatever ratio it is given. What was drawn is scaled
    // along, and pixelRatioChanged() asks the owner to draw it afresh.
    void SetPixelRatio(qreal ratio);
    qreal pixelRatio() const { return ratio_; }

    // All that was drawn, in device pixels; its devicePixelRatio() is the box's ratio.
    const QImage& image();
    // Replaces the whole surface, e.g. by another box's image.
    void SetImage(const QImage& image);

signals:
    void mousePressed(QPointF position);
    void mouseMoved(QPointF position);
    void clicked();
    void pointerLeft();
    void pixelRatioChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // One painter serves a whole run of drawing calls; it ends before the image is shown,
    // read or replaced.
    QPainter& Painter();
    void EndPainting();
    // Asks for one repaint per run of drawing calls.
    void Touched();
    QPointF ToPixels(double x, double y) const;
    // The picture with a margin of the draw width: what can leave a mark on it.
    QRectF Reach() const;
    QPen CurrentPen() const;
    int DeviceWidth() const;
    // A solid line of width 1 or 2 as one-pixel lines side by side; `from` and `to` are
    // inside the reach.
    void ThinLine(QPointF from, QPointF to);
    QImage Rescaled(const QImage& image) const;

    QSize size_;
    qreal ratio_ = 1;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    bool touched_ = false;
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
