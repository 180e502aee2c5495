#include "mainwindow/WindowFit.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest length from `length` on that is a whole number of device pixels; a ratio
// with no such length near gives the length itself.
int WholeDevicePixels(int length, qreal ratio) {
    for (int candidate = length; candidate < length + 8; ++candidate) {
        const qreal device = candidate * ratio;
        if (std::abs(device - std::round(device)) < 1e-6) return candidate;
    }
    return length;
}

// Up to whole device pixels where the room allows it. Else down, where the design scrolls
// anyway; a design that just fits keeps its size, which a pixel less would scroll.
int Whole(int length, int room, int design, qreal ratio) {
    const int up = WholeDevicePixels(length, ratio);
    if (up <= room) return up;
    if (length >= design) return length;
    for (int down = length; down > length - 8 && down > 0; --down) {
        if (WholeDevicePixels(down, ratio) == down) return down;
    }
    return length;
}

}  // namespace

QRect FitWindow(const QSize& design, const WindowPlacement& screen, const QPoint& at) {
    const QSize room = screen.area.size().shrunkBy(screen.frame);
    QSize size = design.boundedTo(room);
    if (size.height() < design.height()) {
        size.setWidth(std::min(room.width(), design.width() + screen.scrollBar));
    }
    if (size.width() < design.width()) {
        size.setHeight(std::min(room.height(), design.height() + screen.scrollBar));
    }
    size = {Whole(size.width(), room.width(), design.width(), screen.ratio),
            Whole(size.height(), room.height(), design.height(), screen.ratio)};
    QRect client(at, size);
    if (!screen.area.contains(client.marginsAdded(screen.frame))) {
        client.moveTopLeft(screen.area.topLeft() + QPoint(screen.frame.left(), screen.frame.top()));
    }
    return client;
}
