#include "diagrams/SweepDiagram.h"

#include <cmath>

#include "core/NumberText.h"
#include "core/SweepFrequencies.h"
#include "diagrams/Coordinates.h"
#include "platform/PictureBox.h"

namespace {

constexpr double kOffScale = -10;  // marks a matching value that cannot be built

struct CurveStyle {
    SweepCurve curve;
    QColor color;
};

const QColor kCapacitorCurve(0x00, 0xB0, 0xB0);

// Line curves in drawing order; C'_m is drawn as dots between C_m and L_m.
const CurveStyle kLineCurves[] = {
    {kCurveRf, kResistanceCurve},
    {kCurveZf, QColor(0xC8, 0x88, 0x00)},
    {kCurveXf, kPositiveReactance},
    {kCurveSwr, QColor(0x00, 0xE0, 0xE0)},
    {kCurveUf, QColor(0xA0, 0x90, 0xFF)},
    {kCurveEtaF, QColor(0x00, 0xA0, 0x00)},
    {kCurveEtaTot, QColor(0x00, 0xC0, 0x00)},
    {kCurveCm, kCapacitorCurve},
    {kCurveLm, QColor(0xF0, 0x80, 0x00)},
};

bool ToCoordinate(double value, float& coordinate, Checked& c) {
    if (ToSingle(value, coordinate)) return true;
    c.Fail();
    return false;
}

void DrawGrid(PictureBox& picture) {
    picture.SetDrawWidth(1);
    const struct {
        int step;
        QColor color;
    } vertical[] = {{20, QColor(0x80, 0x80, 0x80)},
                    {100, QColor(0xA0, 0xA0, 0xA0)},
                    {200, QColor(0xD0, 0xD0, 0xD0)}},
      horizontal[] = {{4, QColor(0x60, 0x60, 0x60)},
                      {20, QColor(0x80, 0x80, 0x80)},
                      {40, QColor(0xA0, 0xA0, 0xA0)},
                      {200, QColor(0xD0, 0xD0, 0xD0)}};
    for (const auto& set : vertical) {
        picture.SetForeColor(set.color);
        for (int x = 0; x <= 600; x += set.step) picture.Line(x, 0, x, 400);
    }
    for (const auto& set : horizontal) {
        picture.SetForeColor(set.color);
        for (int y = 0; y <= 400; y += set.step) picture.Line(0, y, 640, y);
    }
}

bool Realisable(Network network, const MatchValues& m, const MatchLimits& limits) {
    switch (network) {
        case Network::HpClc:
            return m.l_uH > 0 && limits.cmin_pF < m.c_pF && m.c_pF < limits.cmax_pF &&
                   limits.cmin_pF < m.c2_pF && m.c2_pF < limits.cmax_pF && m.l_uH < limits.lmax_uH;
        case Network::LpClc:
            return m.l_uH >= 0 && limits.cmin_pF <= m.c_pF && m.c_pF <= limits.cmax_pF &&
                   limits.cmin_pF <= m.c2_pF && m.c2_pF <= limits.cmax_pF &&
                   m.l_uH <= limits.lmax_uH;
        default:
            return m.c_pF > 0 && m.l_uH > 0;
    }
}

}  // namespace

double ScaledY(double value, double range, double bound, Checked& c) {
    double y = 399 - c.Div(c.Finite(400 * value), range);
    if (std::abs(y) > bound) y = std::copysign(bound, y);
    return y;
}

double RangeValue(const std::string& caption) {
    const double value = ParseLeadingNumber(caption);
    return !caption.empty() && caption.back() == 'K' ? value * 1000 : value;
}

bool DrawSweepDiagram(PictureBox& picture, const SweepDiagramInput& input,
                      const LocusPoint& locus) {
    picture.Clear();
    Checked c;

    if (input.markersShown) {
        picture.SetDrawWidth(7);
        picture.SetForeColor(QColor(0x80, 0x60, 0x40));
        for (double marker : input.markers_MHz) {
            float x;
            if (!ToCoordinate(20 * marker, x, c)) return false;
            picture.Line(x, 0, x, 400);
        }
    }
    DrawGrid(picture);

    float operating;
    if (!ToCoordinate(20 * input.operating_MHz, operating, c)) return false;
    picture.SetDrawWidth(3);
    picture.SetForeColor(QColor(0xB0, 0xD0, 0x80));
    picture.Line(operating, 0, operating, 400);
    picture.SetDrawWidth(1);

    std::vector<CurveStroke> strokes;
    const bool completed = TraceSweepCurves(input, locus, strokes);
    DrawCurveStrokes(picture, strokes);
    return completed;
}

bool TraceSweepCurves(const SweepDiagramInput& input, const LocusPoint& locus,
                      std::vector<CurveStroke>& strokes) {
    Checked c;
    const bool twoCapacitors = HasSecondCapacitor(input.network);
    const SweepGrid grid = input.impedancePlane ? SweepGrid::ImpedancePlane : SweepGrid::Curves;
    std::array<double, kSweepCurveCount> y{}, previousY{};
    double previousX = 0;
    // The curves start at the first point the source has, and only there.
    bool first = true;
    const bool efficiencyKnown = input.source->knowsEfficiency();
    const std::optional<FrequencySpan> span = input.source->span();
    AntennaInput antenna = input.antenna;
    for (const double f : SweepFrequencies(grid)) {
        antenna.frequency_MHz = f;
        const std::optional<AntennaResult> a = input.source->FeedPoint(antenna);
        if (!a && span && !first && f > span->high_MHz) break;
        if (!a && span && first && f < span->high_MHz) continue;
        if (!a) return false;
        const double f_Hz = f * 1e6;
        const MatchValues m = Match(input.network, a->r_f, a->x_f, f_Hz, input.limits);

        const double x = 20 * f;
        const double values[] = {a->r_f, std::abs(a->x_f), a->z_f, a->swr_f, a->u_f, a->eta_f};
        for (int curve = kCurveRf; curve <= kCurveEtaF; ++curve) {
            const double bound = curve == kCurveEtaF ? 5000 : 30000;
            y[curve] = ScaledY(values[curve], input.range[curve], bound, c);
        }
        y[kCurveEtaTot] = ScaledY(a->eta_tot, input.range[kCurveEtaTot], 5000, c);
        double capacitor2Y = kOffScale;
        if (Realisable(input.network, m, input.limits)) {
            y[kCurveCm] = ScaledY(m.c_pF, input.range[kCurveCm], 30000, c);
            y[kCurveLm] = ScaledY(m.l_uH, input.range[kCurveLm], 30000, c);
            if (twoCapacitors) capacitor2Y = ScaledY(m.c2_pF, input.range[kCurveCm], 30000, c);
        } else {
            y[kCurveCm] = y[kCurveLm] = kOffScale;
        }
        if (c.faulted()) return false;
        // A segment never starts from a point that was off scale or above the top.
        if (previousY[kCurveCm] < 0) previousY[kCurveCm] = y[kCurveCm];
        if (previousY[kCurveLm] < 0) previousY[kCurveLm] = y[kCurveLm];
        if (first) {
            previousX = x;
            previousY = y;
            first = false;
        }

        for (const CurveStyle& style : kLineCurves) {
            if (!input.shown[style.curve]) continue;
            if (!efficiencyKnown && (style.curve == kCurveEtaF || style.curve == kCurveEtaTot)) {
                continue;
            }
            const bool matching = style.curve == kCurveCm || style.curve == kCurveLm;
            if (!matching || y[style.curve] >= 0) {
                float x1, y1, x2, y2;
                if (!ToCoordinate(previousX, x1, c) ||
                    !ToCoordinate(previousY[style.curve], y1, c) || !ToCoordinate(x, x2, c) ||
                    !ToCoordinate(y[style.curve], y2, c)) {
                    return false;
                }
                const QColor color =
                    style.curve == kCurveXf ? ReactanceColour(a->x_f) : style.color;
                strokes.push_back({color, x1, y1, x2, y2});
            }
            // The second capacitor follows the first as a dotted trace.
            if (style.curve == kCurveCm && twoCapacitors && capacitor2Y >= 0 &&
                static_cast<long>(std::nearbyint(x)) % 4 == 0) {
                const auto dotX = static_cast<float>(x), dotY = static_cast<float>(capacitor2Y);
                strokes.push_back({kCapacitorCurve, dotX, dotY, dotX, dotY, true});
            }
        }
        previousX = x;
        previousY = y;
        if (locus && !locus(a->r_f, a->x_f, f_Hz)) return false;
    }
    return true;
}

void DrawCurveStrokes(PictureBox& picture, const std::vector<CurveStroke>& strokes) {
    picture.SetDrawWidth(2);
    for (const CurveStroke& stroke : strokes) {
        picture.SetForeColor(stroke.colour);
        if (stroke.dot) {
            picture.PSet(stroke.x1, stroke.y1);
        } else {
            picture.Line(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
        }
    }
    picture.SetDrawWidth(1);
}
