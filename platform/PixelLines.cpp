#include "platform/PixelLines.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

class Pixels {
public:
    Pixels(QImage& image, QRgb colour)
        : bits_(reinterpret_cast<uint32_t*>(image.bits())),
          width_(image.width()),
          height_(image.height()),
          stride_(image.bytesPerLine() / 4),
          colour_(0xFF000000u | colour) {
        Q_ASSERT(image.depth() == 32);
    }
    int width() const { return width_; }
    int height() const { return height_; }
    void Set(int x, int y) const {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) Put(x, y);
    }
    void Put(int x, int y) const { bits_[y * stride_ + x] = colour_; }
    void Row(int left, int right, int y) const {
        std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + right + 1, colour_);
    }

private:
    uint32_t* bits_;
    int width_, height_;
    qsizetype stride_;
    uint32_t colour_;
};

// Coordinates in 26.6 fixed point, steps in 16.16, as the raster engine's one-pixel pen.
int ToFixed(double v) {
    return static_cast<int>(v * 64);
}
int FixedDiv(int a, int b) {
    return static_cast<int>(static_cast<int64_t>(a) * 65536 / b);
}

// Cuts the line (a1, b1)-(a2, b2) to min <= a <= max; true when nothing is left.
bool ClipAxis(double& a1, double& b1, double& a2, double& b2, double min, double max) {
    if (a1 < min) {
        if (a2 <= min) return true;
        b1 += (b2 - b1) / (a2 - a1) * (min - a1);
        a1 = min;
    } else if (a1 > max) {
        if (a2 >= max) return true;
        b1 += (b2 - b1) / (a2 - a1) * (max - a1);
        a1 = max;
    }
    if (a2 < min) {
        b2 += (b2 - b1) / (a2 - a1) * (min - a2);
        a2 = min;
    } else if (a2 > max) {
        b2 += (b2 - b1) / (a2 - a1) * (max - a2);
        a2 = max;
    }
    return false;
}

// Cuts the line to one pixel beyond the image on each side; true when nothing is left.
bool ClipAway(double& x1, double& y1, double& x2, double& y2, double xmin, double xmax, double ymin,
              double ymax) {
    return ClipAxis(x1, y1, x2, y2, xmin, xmax) || ClipAxis(y1, x1, y2, x2, ymin, ymax);
}

// Steps along the major axis one pixel at a time, the line extended by half a pixel at
// both ends (square caps); `put(major, minor)` sets a pixel. Steps before `low` and from
// `high` on are skipped; the minor axis is the caller's to check.
template <typename Put>
void Walk(int major1, int minor1, int major2, int minor2, int low, int high, Put put) {
    if (major1 > major2) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    const int increment = FixedDiv(minor2 - minor1, major2 - major1);
    int minor = minor1 * 1024;
    major1 -= 32;
    minor -= increment >> 1;
    major2 += 32;
    int major = (major1 + 32) >> 6;
    const int end = std::min((major2 + 32) >> 6, high);
    const int round = increment > 0 ? 32 : 0;
    minor += ((major * 64) + round - major1) * increment >> 6;
    if (major < low) {
        minor += (low - major) * increment;
        major = low;
    }
    for (; major < end; ++major, minor += increment) put(major, minor >> 16);
}

}  // namespace

int PixelOf(double coordinate) {
    return static_cast<int>(std::floor(coordinate + 0.5));
}

void DrawPixelPoint(QImage& image, QPointF at, QRgb colour) {
    const Pixels pixels(image, colour);
    if (std::abs(at.x()) < pixels.width() + 1 && std::abs(at.y()) < pixels.height() + 1) {
        pixels.Set(PixelOf(at.x()), PixelOf(at.y()));
    }
}

void DrawPixelLine(QImage& image, QPointF from, QPointF to, QRgb colour) {
    if (from == to) {
        DrawPixelPoint(image, from, colour);
        return;
    }
    const Pixels pixels(image, colour);
    double x1 = from.x(), y1 = from.y(), x2 = to.x(), y2 = to.y();
    for (double v : {x1, y1, x2, y2}) {
        if (!std::isfinite(v)) return;
    }
    if (ClipAway(x1, y1, x2, y2, -1, pixels.width() + 1, -1, pixels.height() + 1)) return;
    const int fx1 = ToFixed(x1), fy1 = ToFixed(y1), fx2 = ToFixed(x2), fy2 = ToFixed(y2);
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1)) {
        Walk(fy1, fx1, fy2, fx2, 0, pixels.height(), [&pixels](int y, int x) {
            if (x >= 0 && x < pixels.width()) pixels.Put(x, y);
        });
    } else if (fx1 != fx2) {
        Walk(fx1, fy1, fx2, fy2, 0, pixels.width(), [&pixels](int x, int y) {
            if (y >= 0 && y < pixels.height()) pixels.Put(x, y);
        });
    }
}

void FillPixelBlock(QImage& image, int left, int top, int size, QRgb colour) {
    const Pixels pixels(image, colour);
    const int x1 = std::max(left, 0), x2 = std::min(left + size, pixels.width()) - 1;
    const int y1 = std::max(top, 0), y2 = std::min(top + size, pixels.height()) - 1;
    for (int y = y1; x1 <= x2 && y <= y2; ++y) pixels.Row(x1, x2, y);
}
