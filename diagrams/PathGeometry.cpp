#include "diagrams/PathGeometry.h"

#include <cmath>

#include "core/Numeric.h"

namespace {

using num::PI;

constexpr double kTargetCircle = 25;  // centre and radius of the 1/50 S circle
constexpr PlanePoint kTarget{50, 0};

class PathBuilder {
public:
    explicit PathBuilder(Checked& fault) : fault_(fault) {}

    void Dot(PlanePoint p, bool capacitor) { Add({PathStepKind::Dot, capacitor, p, p}); }
    void Line(PlanePoint from, PlanePoint to, bool capacitor) {
        Add({PathStepKind::Line, capacitor, from, to});
    }
    void Dashed(PlanePoint from, PlanePoint to) { Add({PathStepKind::DashedLine, true, from, to}); }
    void Arc(double centre, double a, double b, ArcSplit split, bool capacitor,
             PathStepKind kind = PathStepKind::Arc) {
        Add({kind, capacitor, {}, {}, centre, a, b, split});
    }
    MatchingPath Done() {
        path_.complete = fault_.ok();
        return path_;
    }

private:
    // Nothing after a fault joins the path.
    void Add(PathStep step) {
        if (fault_.ok()) path_.steps.push_back(step);
    }

    Checked& fault_;
    MatchingPath path_;
};

double Conductance(double r, double x, Checked& c) {
    return c.Div(r, c.Finite(c.Pow2(r) + c.Pow2(x)));
}

// Centre of the constant-conductance circle through (r, x); it also is its radius.
double CircleCentre(double r, double x, Checked& c) {
    return c.Div(1, c.Finite(2 * Conductance(r, x, c)));
}

// Where the antenna's conductance circle meets R = 50 Ohm, above or below the axis.
PlanePoint FiftyOhmCrossing(double r, double x, double sign, Checked& c) {
    const double g = Conductance(r, x, c);
    const double root = c.Sqrt(c.Finite(g / 50 - c.Pow2(g)));
    return {50, sign * c.Div(c.Finite(50 * root), g)};
}

// Where the line of constant resistance r meets the 1/50 S circle.
PlanePoint TargetCircleCrossing(double r, double sign, Checked& c) {
    return {r, sign * c.Sqrt(c.Finite(50 * r - c.Pow2(r)))};
}

double CapacitorReactance(double omega, double pF, Checked& c) {
    return c.Div(1, c.Finite(omega * pF * 1e-12));
}

}  // namespace

double AngleOnCircle(PlanePoint p, double c, Checked& fault) {
    const double t = fault.Div(p.x, c - p.r);
    const double turn = fault.Atan(t);
    if (p.r < c) return PI - turn;
    return p.x >= 0 ? -turn : 2 * PI - turn;
}

std::vector<ArcPiece> ArcPieces(double centre, double k, double a, double b, ArcSplit split) {
    if (split != ArcSplit::None && centre / k > 500 && a > PI && b < PI) {
        const double start = split == ArcSplit::AtZero ? 0 : b - PI / 4;
        return {{a, 2 * PI}, {start, b}};
    }
    return {{a, b}};
}

std::optional<MatchingPath> PlanMatchingPath(Network network, double r, double x, double f_Hz,
                                             const MatchValues& m, const MatchLimits& limits) {
    Checked c;
    PathBuilder path(c);
    const PlanePoint antenna{r, x};
    const double omega = c.Finite(2 * PI * f_Hz);
    switch (network) {
        case Network::HpCl:
        case Network::LpLc: {
            if (!(m.c_pF > 0 && m.l_uH > 0)) return std::nullopt;
            // Shunt element at the antenna along its circle, then series element down to 50.
            const bool hp = network == Network::HpCl;
            path.Dot(antenna, !hp);
            const double centre = CircleCentre(r, x, c);
            const PlanePoint p = FiftyOhmCrossing(r, x, hp ? 1 : -1, c);
            const double angleA = AngleOnCircle(antenna, centre, c);
            const double angleP = AngleOnCircle(p, centre, c);
            if (hp) {
                path.Arc(centre, angleA, angleP, ArcSplit::QuarterBeforeEnd, false);
            } else {
                path.Arc(centre, angleP, angleA, ArcSplit::None, true);
            }
            path.Dot(p, hp);
            path.Line(p, kTarget, hp);
            break;
        }
        case Network::LpCl:
        case Network::HpLc: {
            if (!(m.c_pF > 0 && m.l_uH > 0)) return std::nullopt;
            // Series element to the 1/50 S circle, then shunt element along it to 50.
            const bool lp = network == Network::LpCl;
            path.Dot(antenna, !lp);
            const PlanePoint q = TargetCircleCrossing(r, lp ? 1 : -1, c);
            path.Line(antenna, q, !lp);
            path.Dot(q, lp);
            const double angleQ = AngleOnCircle(q, kTargetCircle, c);
            if (lp) {
                path.Arc(kTargetCircle, 0, angleQ, ArcSplit::None, true);
            } else {
                path.Arc(kTargetCircle, angleQ, 2 * PI, ArcSplit::None, false);
            }
            break;
        }
        case Network::HpClc: {
            if (!(m.l_uH > 0 && limits.cmin_pF < m.c_pF && m.c_pF < limits.cmax_pF)) {
                return std::nullopt;
            }
            path.Dot(antenna, true);
            const PlanePoint b{r, x - CapacitorReactance(omega, m.c2_pF, c)};
            path.Dashed(antenna, b);
            path.Dot(b, false);
            const double centre = CircleCentre(r, b.x, c);
            const PlanePoint p{50, CapacitorReactance(omega, m.c_pF, c)};
            const double angleB = AngleOnCircle(b, centre, c);
            const double angleP = AngleOnCircle(p, centre, c);
            path.Arc(centre, angleB, angleP, ArcSplit::QuarterBeforeEnd, false);
            path.Dot(p, true);
            path.Line(p, kTarget, true);
            break;
        }
        case Network::LpClc: {
            if (!(m.c_pF > 0 && m.l_uH > 0 && m.c2_pF > 0)) return std::nullopt;
            path.Dot(antenna, true);
            const double susceptance = c.Finite(omega * m.c_pF * 1e-12);
            const double y2 = c.Finite(1.0 / 2500 + c.Pow2(susceptance));
            const PlanePoint z2{c.Div(1.0 / 50, y2), c.Div(susceptance, y2)};
            const PlanePoint z1{z2.r, c.Finite(z2.x - c.Finite(omega * m.l_uH * 1e-6))};
            const double centre = CircleCentre(r, x, c);
            path.Arc(centre, AngleOnCircle(z1, centre, c), AngleOnCircle(antenna, centre, c),
                     ArcSplit::AtZero, true, PathStepKind::BoldDottedArc);
            path.Dot(z1, false);
            path.Line(z1, z2, false);
            path.Dot(z2, true);
            path.Arc(kTargetCircle, 0, AngleOnCircle(z2, kTargetCircle, c), ArcSplit::None, true);
            break;
        }
    }
    return path.Done();
}
