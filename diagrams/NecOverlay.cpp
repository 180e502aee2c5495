#include "diagrams/NecOverlay.h"

#include <QPointF>
#include <cmath>
#include <optional>

#include "platform/PictureBox.h"

namespace {

// Along the curve, not along x, so that steep parts are as dotted as flat ones; with dots of
// width 2 that leaves as much gap as ink.
constexpr double kDotSpacing = 4;
const QColor kNecLocus(0xFF, 0xFF, 0xFF);

struct CurvePoint {
    double value;
    QColor colour;
};

// A segment wholly above or below the picture leaves no mark.
bool OffPicture(double y1, double y2) {
    constexpr double kTop = -kDotSpacing, kBottom = 400 + kDotSpacing;
    return (y1 < kTop && y2 < kTop) || (y1 > kBottom && y2 > kBottom);
}

template <typename Pick>
void DottedCurve(PictureBox& picture, std::span<const NecComparisonRow> rows, double range,
                 Pick pick) {
    std::optional<QPointF> previous;
    double sinceDot = 0;  // along the curve from the last dot to `previous`
    for (const NecComparisonRow& row : rows) {
        // Where NEC-2 has no value the curve breaks.
        if (!row.nec) {
            previous.reset();
            continue;
        }
        const CurvePoint point = pick(*row.nec);
        Checked c;
        const double y = ScaledY(point.value, range, 30000, c);
        if (c.faulted()) {
            previous.reset();
            continue;
        }
        const QPointF at(20 * row.frequency_MHz, y);
        picture.SetForeColor(point.colour);
        if (!previous) {
            picture.PSet(at.x(), at.y());
            sinceDot = 0;
            previous = at;
            continue;
        }
        const QPointF step = at - *previous;
        const double length = std::hypot(step.x(), step.y());
        if (!OffPicture(previous->y(), at.y())) {
            for (double along = kDotSpacing - sinceDot; along <= length; along += kDotSpacing) {
                const QPointF dot = *previous + step * (along / length);
                picture.PSet(dot.x(), dot.y());
            }
        }
        sinceDot = std::fmod(sinceDot + length, kDotSpacing);
        previous = at;
    }
}

}  // namespace

void DrawNecCurves(PictureBox& picture, const SweepDiagramInput& input,
                   std::span<const NecComparisonRow> rows) {
    picture.SetDrawWidth(2);
    if (input.shown[kCurveRf]) {
        DottedCurve(picture, rows, input.range[kCurveRf], [](Impedance z) {
            return CurvePoint{z.r, kResistanceCurve};
        });
    }
    if (input.shown[kCurveXf]) {
        DottedCurve(picture, rows, input.range[kCurveXf], [](Impedance z) {
            return CurvePoint{std::abs(z.x), ReactanceColour(z.x)};
        });
    }
    picture.SetDrawWidth(1);
}

void PlotNecLocus(const ImpedanceViews& views, std::span<const NecComparisonRow> rows) {
    for (const NecComparisonRow& row : rows) {
        if (!row.nec) continue;
        PlotImpedancePoint(views, row.nec->r, row.nec->x, row.frequency_MHz * 1e6, kNecLocus,
                           false);
    }
}
