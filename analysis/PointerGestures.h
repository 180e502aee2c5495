#pragma once

#include <QObject>
#include <QPoint>
#include <QRectF>
#include <functional>
#include <optional>

class QRubberBand;
class QWidget;

// What the pointer does in a view of the analysis, the same in the Smith chart and the plots:
// the wheel zooms about the pointer, a click places a marker and a drag on one moves it, a
// double click picks the main window's frequency, a right click takes a marker away. A left
// drag elsewhere pans where the view can (the plots) and draws a rectangle to zoom into where
// it cannot (the Smith chart); a right or Shift drag always draws one.
class PointerGestures : public QObject {
    Q_OBJECT
public:
    struct Mapping {
        // The frequency at a point of the view; none where there is nothing.
        std::function<std::optional<double>(QPointF)> frequencyAt;
        // The marker drawn at a point, or -1.
        std::function<int(QPointF)> markerAt;
        // The frequencies a rectangle takes in; none when it takes in no part of the curves.
        std::function<std::optional<std::pair<double, double>>(QRectF)> spanWithin;
        // The share of the span that a drag by dx pixels moves; null: the view cannot pan.
        std::function<double(double dx)> panShare;
    };

    PointerGestures(QWidget* view, Mapping mapping);

signals:
    void zoomRequested(double f_MHz, double factor);
    void panRequested(double share);
    void spanRequested(double low_MHz, double high_MHz);
    void markerPlaced(double f_MHz);
    void markerMoved(int index, double f_MHz);
    void markerRemoved(int index);
    // The first click of a double click placed a marker; it is taken back.
    void placementTakenBack();
    void frequencyChosen(double f_MHz);
    void hovered(QPointF at);
    void left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Pending, Pan, Rectangle, Marker };

    void Press(QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Move(QPointF at);
    void Release(QPointF at);

    QWidget* view_;
    Mapping mapping_;
    QRubberBand* band_;
    Drag drag_ = Drag::None;
    Qt::MouseButton button_ = Qt::NoButton;
    bool rectangleWanted_ = false;
    QPointF start_;
    QPointF last_;
    int marker_ = -1;
    bool clickPlaced_ = false;
};
