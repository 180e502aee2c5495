#include "analysis/AnalysisFiles.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QDateTime>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "analysis/AnalysisLook.h"
#include "analysis/FrequencyPlots.h"
#include "analysis/SmithChart.h"

namespace {

// Pictures, screens and the report all lay out at 96 units per inch, so fonts given in points
// come out alike everywhere.
constexpr int kResolution = 96;

void PlotsInto(QCPPainter& painter, const QRectF& area, FrequencyPlots& plots) {
    painter.save();
    painter.translate(area.topLeft());
    plots.Render(painter, static_cast<int>(area.width()), static_cast<int>(area.height()));
    painter.restore();
}

// Table cells written left to right from x, each column as wide as given.
double Row(QPainter& p, double x, double y, const std::vector<std::string>& cells,
           const std::vector<double>& widths) {
    const QFontMetricsF metrics(p.font());
    double height = metrics.height();
    for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
        const QRectF box(x, y, widths[i] - 6, 1000);
        const QRectF used = p.boundingRect(box, Qt::TextWordWrap, QString::fromStdString(cells[i]));
        p.drawText(box, Qt::TextWordWrap, QString::fromStdString(cells[i]));
        height = std::max(height, used.height());
        x += widths[i];
    }
    return y + height + 2;
}

double Heading(QPainter& p, double x, double y, const QString& text) {
    QFont font = p.font();
    QFont bold = font;
    bold.setBold(true);
    bold.setPointSizeF(font.pointSizeF() * 1.2);
    p.setFont(bold);
    const double height = QFontMetricsF(bold).height();
    p.drawText(QPointF(x, y + QFontMetricsF(bold).ascent()), text);
    p.setFont(font);
    return y + height + 4;
}

double Quantities(QPainter& p, double x, double y, const std::vector<ReportText::Row>& rows) {
    for (const ReportText::Row& row : rows) {
        y = Row(p, x, y, {row.quantity, row.value + (row.unit.empty() ? "" : " " + row.unit)},
                {80, 140});
    }
    return y;
}

void TextPage(QPainter& p, const QRectF& page, const ReportText& text) {
    double y = page.top();
    QFont title = p.font();
    title.setPointSizeF(18);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QPointF(page.left(), y + QFontMetricsF(title).ascent()),
               QString::fromStdString(text.title));
    y += QFontMetricsF(title).height() + 4;
    QFont body;
    body.setPointSizeF(9);
    p.setFont(body);
    y = Row(p, page.left(), y, {"Date: " + text.date, "Antenna source: " + text.source},
            {200, page.width() - 200});
    y += 10;

    const double column = page.left() + page.width() / 2;
    double left = Heading(p, page.left(), y, "Inputs");
    left = Quantities(p, page.left(), left, text.inputs);
    double right = Heading(p, column, y, "Antenna at the set frequency");
    right = Quantities(p, column, right, text.antenna);
    if (!text.antennaFault.empty()) {
        right = Row(p, column, right, {text.antennaFault}, {page.width() / 2});
    }
    y = std::max(left, right) + 12;

    y = Heading(p, page.left(), y, "Matching networks (lossless parts)");
    const std::vector<double> widths = {52, 56, 56, 56, 86, 150, 106, 106};
    QFont small = body;
    small.setPointSizeF(8);
    p.setFont(small);
    for (std::size_t i = 0; i < text.networks.size(); ++i) {
        if (i == 0) {
            QFont bold = small;
            bold.setBold(true);
            p.setFont(bold);
        }
        y = Row(p, page.left(), y, text.networks[i], widths);
        if (i == 0) {
            p.setFont(small);
            p.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
            y += 3;
        }
    }
    p.setFont(body);
    if (!text.realParts.empty()) {
        y += 12;
        y = Heading(p, page.left(), y, "Built from real parts");
        for (const std::string& line : text.realParts) {
            y = Row(p, page.left(), y, {line}, {page.width()});
        }
    }
    y += 12;
    y = Heading(p, page.left(), y, "Matched bandwidth of the selected network");
    y = Row(p, page.left(), y, {text.selected}, {page.width()});
    Row(p, page.left(), y + 4,
        {"The parts keep their lossless values for the set frequency; the SWR is what the "
         "transmitter sees through them. Bands are the edges where that SWR crosses 2 and 1.5, "
         "searched from the set frequency outward; \"..\" marks an edge beyond the source's "
         "range."},
        {page.width()});
}

void PicturePage(QCPPainter& p, const QRectF& page, const ReportText& text,
                 const AnalysisScene& scene, FrequencyPlots& swr) {
    double y = Heading(p, page.left(), page.top(), "Smith chart and SWR");
    p.drawText(QPointF(page.left(), y + QFontMetricsF(p.font()).ascent()),
               QString::fromStdString(text.shownSpan));
    y += QFontMetricsF(p.font()).height() + 6;
    const double side = std::min(page.width(), page.height() * 0.55);
    const QRectF smith(page.left() + (page.width() - side) / 2, y, side, side);
    PaintSmithChart(p, smith, &scene);
    y += side + 12;
    PlotsInto(p, QRectF(page.left(), y, page.width(), page.bottom() - y), swr);
}

}  // namespace

QByteArray PngBytes(QSize size, qreal ratio, const PicturePainter& paint) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    // Too large for the memory there is.
    if (image.isNull()) return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QCPPainter painter(&image);
        painter.setMode(QCPPainter::pmNoCaching);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray SvgBytes(QSize size, const QString& title, const PicturePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kResolution);
    svg.setTitle(title);
    svg.setDescription("Orvane analysis");
    {
        QCPPainter painter(&svg);
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return bytes;
}

PicturePainter SmithPicture(const AnalysisScene& scene) {
    return [&scene](QCPPainter& painter, const QRectF& area) {
        PaintSmithChart(painter, area, &scene);
    };
}

PicturePainter PlotsPicture(FrequencyPlots& plots) {
    return [&plots](QCPPainter& painter, const QRectF& area) { PlotsInto(painter, area, plots); };
}

PicturePainter WindowPicture(const AnalysisScene& scene, FrequencyPlots& plots) {
    return [&scene, &plots](QCPPainter& painter, const QRectF& area) {
        painter.fillRect(area, Qt::white);
        painter.setFont(QFont());
        const double line = QFontMetricsF(painter.font()).height() + 8;
        const double side = std::min(area.height() - line, area.width() / 2);
        PaintSmithChart(painter, QRectF(area.topLeft(), QSizeF(side, side)), &scene);
        PlotsInto(painter,
                  QRectF(area.left() + side, area.top(), area.width() - side, area.height() - line),
                  plots);
        painter.setPen(look::kText);
        painter.drawText(QRectF(area.left() + 6, area.bottom() - line, area.width() - 12, line),
                         Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(BandwidthText(scene.bandwidth)));
    };
}

void PaintReport(QPagedPaintDevice& device, const ReportText& text, const AnalysisScene& scene) {
    FrequencyPlots swr;
    for (PlotKind kind : kPlotKinds) swr.SetShown(kind, kind == PlotKind::Swr);
    swr.SetScene(&scene);
    QCPPainter painter(&device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page = device.pageLayout().paintRectPixels(kResolution);
    const QRectF area(QPointF(0, 0), page.size());
    painter.setPen(look::kText);
    TextPage(painter, area, text);
    device.newPage();
    painter.setPen(look::kText);
    PicturePage(painter, area, text, scene, swr);
}

QByteArray ReportPdf(const ReportText& text, const AnalysisScene& scene) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kResolution);
    pdf.setCreator("Orvane");
    pdf.setTitle(QString::fromStdString(text.title));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    PaintReport(pdf, text, scene);
    return bytes;
}

std::string ReportDate() {
    return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
}
