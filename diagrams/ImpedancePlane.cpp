#include "diagrams/ImpedancePlane.h"

#include <cmath>

#include "core/NumberText.h"
#include "diagrams/Coordinates.h"
#include "platform/PictureBox.h"

namespace {

const QColor kUnmatchable(0x70, 0x00, 0x00);
const QColor kFineGrid(0x90, 0x90, 0x90);
const QColor kCoarseGrid(0xB0, 0xB0, 0xB0);
const QColor kTarget(0xFF, 0xFF, 0x00);
const QColor kLocus(0xFF, 0x00, 0xFF);

void FilledBox(PictureBox& view, double x1, double y1, double x2, double y2, const QColor& c) {
    view.SetForeColor(c);
    view.SetFillSolid(c);
    view.Box(x1, y1, x2, y2);
    view.SetFillTransparent();
}

void FilledDisc(PictureBox& view, double k, const QColor& c) {
    view.SetForeColor(c);
    view.SetFillSolid(c);
    view.Circle(25 / k, 0, 25 / k);
    view.SetFillTransparent();
}

// R < 50 Ohm with X > 0, or with X < 0; the disc is where the conductance exceeds 1/50 S.
void UpperStrip(PictureBox& view, double k, const QColor& c) {
    FilledBox(view, 0, 0, 50 / k, 300 * k, c);
}
void LowerStrip(PictureBox& view, double k, const QColor& c) {
    FilledBox(view, 0, 0, 50 / k, -300 * k, c);
}

void ShadeUnmatchable(PictureBox& view, double k, Network network) {
    const QColor black(Qt::black);
    switch (network) {
        case Network::HpCl:
            UpperStrip(view, k, kUnmatchable);
            FilledDisc(view, k, kUnmatchable);
            break;
        case Network::HpLc:
            FilledBox(view, 0, 300 * k, 300 * k, -300 * k, kUnmatchable);
            UpperStrip(view, k, black);
            FilledDisc(view, k, black);
            break;
        case Network::LpCl:
            FilledBox(view, 0, 300 * k, 300 * k, -300 * k, kUnmatchable);
            LowerStrip(view, k, black);
            FilledDisc(view, k, black);
            break;
        case Network::LpLc:
            LowerStrip(view, k, kUnmatchable);
            FilledDisc(view, k, kUnmatchable);
            break;
        case Network::HpClc:
        case Network::LpClc:
            break;
    }
}

void DrawGrid(PictureBox& view) {
    view.SetForeColor(kFineGrid);
    for (int y = -600; y <= 600; y += 50) view.Line(0, y, 600, y);
    for (int x = 0; x <= 600; x += 50) view.Line(x, -600, x, 600);
    for (int r = 25; r < 500; r *= 2) view.Circle(r, 0, r);
    for (int r = 25; r < 500; r *= 2) {
        view.Circle(0, -r, r);
        view.Circle(0, r, r);
    }
    view.SetForeColor(kCoarseGrid);
    for (int y = -600; y <= 600; y += 100) view.Line(0, y, 600, y);
    for (int x = 0; x <= 600; x += 100) view.Line(x, -600, x, 600);
}

}  // namespace

void SetImpedanceScale(PictureBox& view) {
    view.SetScale(0, 212, 276, -424);
}

void DrawImpedanceGrid(const ImpedanceViews& views, Network network) {
    for (const auto& [view, k] :
         {std::pair<PictureBox*, double>{&views.fine, 1}, {&views.coarse, 10}}) {
        view->SetDrawWidth(1);
        ShadeUnmatchable(*view, k, network);
        DrawGrid(*view);
        view->SetDrawWidth(4);
        view->SetForeColor(kTarget);
        view->PSet(50 / k, 0);
    }
}

bool PlotLocusPoint(const ImpedanceViews& views, double r_f, double x_f, double f_Hz) {
    return PlotImpedancePoint(views, r_f, x_f, f_Hz, kLocus, true);
}

bool PlotImpedancePoint(const ImpedanceViews& views, double r, double x, double f_Hz,
                        const QColor& colour, bool labelled) {
    // The sweep's repeated additions leave the frequency a hair off; whole hertz it is.
    const double f_MHz = std::floor(f_Hz + 0.001) / 1e6;
    const bool wholeMHz = f_MHz - std::floor(f_MHz) == 0;
    const bool fiveMHz = f_MHz / 5 - std::floor(f_MHz / 5) == 0;
    for (const auto& [view, k] :
         {std::pair<PictureBox*, double>{&views.fine, 1}, {&views.coarse, 10}}) {
        float vx, vy;
        if (!ToSingle(r / k, vx) || !ToSingle(x / k, vy)) return false;
        view->SetForeColor(colour);
        view->SetDrawWidth(2);
        view->PSet(vx, vy);
        if (wholeMHz) {
            view->SetDrawWidth(3);
            view->PSet(vx, vy);
        }
        if (fiveMHz) {
            view->SetDrawWidth(5);
            view->PSet(vx, vy);
            if (labelled) view->Print(QString::fromStdString(" " + FormatField(f_MHz)));
        }
        view->SetDrawWidth(2);
    }
    return true;
}
