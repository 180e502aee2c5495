#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window opens and how large, from what the screen offers.
struct WindowPlacement {
    QRect area;         // the screen's available area
    QMargins frame;     // title bar and borders around the client area
    qreal ratio = 1;    // device pixels per unit
    int scrollBar = 0;  // width of a scroll bar
};

// The client geometry of a window whose content is `design`, asked for at `at`: the design
// whole wherever the area holds it with the frame, else as much of it as fits, scrolling
// (a scroll bar in one direction takes room from the other). The size is a whole number of
// device pixels, so that the platform's rounding cannot take a pixel from the design. A
// window whose frame would leave the area is moved to its top left corner, title bar and all.
QRect FitWindow(const QSize& design, const WindowPlacement& screen, const QPoint& at);
