#pragma once

// Reading pictures back: which colours they hold, and where.

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <set>

inline std::set<QRgb> ColoursOf(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) & 0xFFFFFF);
    }
    return colours;
}

inline bool Within(const std::set<QRgb>& part, const std::set<QRgb>& whole) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

// The pixels of one colour (inside `area`, if given): how many, and their bounding box.
struct Ink {
    int count = 0;
    QRect bounds;
};
inline Ink InkOf(const QImage& image, const QColor& colour, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != colour) continue;
            ++ink.count;
            ink.bounds |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The columns of one row that hold the colour.
inline QList<int> ColumnsOf(const QImage& image, int row, const QColor& colour) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, row) == colour) columns << x;
    }
    return columns;
}
