#pragma once

#include <QPointF>
#include <QRgb>

class QImage;

// One-pixel lines and points written straight into a 32-bit image (device pixels). They set
// exactly the pixels that QPainter's aliased one-pixel pen sets, without its cost per call:
// a sweep diagram is tens of thousands of short segments. Pixels outside the image are
// skipped.
void DrawPixelLine(QImage& image, QPointF from, QPointF to, QRgb colour);
void DrawPixelPoint(QImage& image, QPointF at, QRgb colour);

// The square of size x size pixels whose top-left pixel is (left, top).
void FillPixelBlock(QImage& image, int left, int top, int size, QRgb colour);

// The pixel a point falls on, rounded as the one-pixel pen rounds it.
int PixelOf(double coordinate);
