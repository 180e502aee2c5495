#include "analysis/AnalysisLook.h"

#include <QPainter>

#include "analysis/core/AnalysisSweep.h"

namespace look {

QFont SmallFont() {
    QFont font;
    font.setPointSizeF(8);
    return font;
}

void MarkerBadge(QPainter& painter, const QPointF& at, int index) {
    painter.save();
    painter.setPen(QPen(kMarker, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 7, 7);
    painter.setFont(SmallFont());
    painter.drawText(QRectF(at.x() - 7, at.y() - 7, 14, 14), Qt::AlignCenter,
                     QString::number(index + 1));
    painter.restore();
}

QString ImpedanceText(Impedance z) {
    QString text = QString("R %1 Ohm, X %2 Ohm").arg(z.r, 0, 'f', 1).arg(z.x, 0, 'f', 1);
    if (const std::optional<AnalysisPoint::Load> load = LoadValues(z.r, z.x)) {
        text += QString(", |Z| %1 Ohm, SWR %2").arg(load->z, 0, 'f', 1).arg(load->swr, 0, 'g', 4);
    }
    return text;
}

}  // namespace look
