#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <functional>

#include "analysis/core/AnalysisScene.h"
#include "analysis/core/ReportText.h"

class FrequencyPlots;
class QCPPainter;
class QPagedPaintDevice;
class QRectF;

// Pictures of the analysis and its report as the bytes of their files.

// Draws a picture of `size` (device-independent pixels) with the painter at its origin.
using PicturePainter = std::function<void(QCPPainter& painter, const QRectF& area)>;

// A PNG of size x size pixels at `ratio` device pixels per pixel (empty when it cannot be
// made, too large for the memory), or an SVG of that size.
QByteArray PngBytes(QSize size, qreal ratio, const PicturePainter& paint);
QByteArray SvgBytes(QSize size, const QString& title, const PicturePainter& paint);

// The Smith chart alone, the plots alone, and both side by side with the bandwidth under them
// as the window shows them.
PicturePainter SmithPicture(const AnalysisScene& scene);
PicturePainter PlotsPicture(FrequencyPlots& plots);
PicturePainter WindowPicture(const AnalysisScene& scene, FrequencyPlots& plots);

// The report on two pages: the text on the first, the Smith chart and the SWR plot over the
// shown span on the second. The device must be at 96 dots per inch, as pictures and screens
// are, so that its fonts come out as they do there.
void PaintReport(QPagedPaintDevice& device, const ReportText& text, const AnalysisScene& scene);
QByteArray ReportPdf(const ReportText& text, const AnalysisScene& scene);

// "2026-12-07 14:03", as the report dates itself.
std::string ReportDate();
