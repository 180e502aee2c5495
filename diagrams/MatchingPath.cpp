#include "diagrams/MatchingPath.h"

#include <algorithm>

#include "platform/PictureBox.h"

namespace {

const QColor kCapacitorPath(0x00, 0xB0, 0xB0);
const QColor kInductorPath(0xFF, 0x80, 0x00);

// Dashes 4 units long every 8 units from y0 down to y1, skipping those above the view.
void DashedLine(PictureBox& view, double x, double y0, double y1) {
    constexpr double kTop = 220, kBottom = -220, kFar = 1e9;
    y0 = std::clamp(y0, -kFar, kFar);
    y1 = std::clamp(y1, -kFar, kFar);
    double y = y0;
    if (y > kTop) y -= 8 * std::ceil((y - kTop) / 8);
    const double stop = std::max(y1 + 4, kBottom);
    for (; y >= stop; y -= 8) view.Line(x, y, x, y - 4);
}

void DrawArc(PictureBox& view, double k, const PathStep& step, double shiftX = 0,
             double shiftY = 0) {
    for (const ArcPiece& piece : ArcPieces(step.centre, k, step.a, step.b, step.split)) {
        view.Arc(step.centre / k + shiftX, shiftY, step.centre / k, piece.from, piece.to);
    }
}

void DrawStep(PictureBox& view, double k, const PathStep& step) {
    view.SetForeColor(step.capacitor ? kCapacitorPath : kInductorPath);
    switch (step.kind) {
        case PathStepKind::Dot:
            view.SetDrawWidth(4);
            view.PSet(step.from.r / k, step.from.x / k);
            view.SetDrawWidth(2);
            break;
        case PathStepKind::Line:
            view.Line(step.from.r / k, step.from.x / k, step.to.r / k, step.to.x / k);
            break;
        case PathStepKind::DashedLine:
            DashedLine(view, step.from.r / k, step.from.x / k, step.to.x / k);
            break;
        case PathStepKind::Arc:
            DrawArc(view, k, step);
            break;
        case PathStepKind::BoldDottedArc: {
            // Five dotted arcs, the centre moved by half a unit each way: a broken bold line.
            view.SetDrawWidth(1);
            view.SetDotted(true);
            const double shifts[][2] = {{0, 0}, {-0.5, -0.5}, {0.5, 0.5}, {-0.5, 0.5}, {0.5, -0.5}};
            for (const auto& shift : shifts) DrawArc(view, k, step, shift[0], shift[1]);
            view.SetDotted(false);
            break;
        }
    }
}

}  // namespace

void DrawMatchingPath(const ImpedanceViews& views, const MatchingPath& path) {
    for (const auto& [view, k] :
         {std::pair<PictureBox*, double>{&views.fine, 1}, {&views.coarse, 10}}) {
        view->SetDrawWidth(2);
        for (const PathStep& step : path.steps) DrawStep(*view, k, step);
        if (!path.complete) return;
    }
}
