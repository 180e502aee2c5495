#include "platform/Clipping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

double Wrapped(double angle) {
    double a = std::fmod(angle, kTurn);
    return a < 0 ? a + kTurn : a;
}

QPointF OnCircle(QPointF centre, double radius, double angle) {
    return {centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle)};
}

// Angles in [0, 2 pi) at which the circle crosses the rectangle's edge lines.
std::vector<double> EdgeCrossings(QPointF centre, double radius, const QRectF& bounds) {
    std::vector<double> angles = {0, kTurn};
    for (double x : {bounds.left(), bounds.right()}) {
        const double cosine = (x - centre.x()) / radius;
        if (std::abs(cosine) <= 1) {
            const double a = std::acos(cosine);
            angles.push_back(Wrapped(a));
            angles.push_back(Wrapped(-a));
        }
    }
    for (double y : {bounds.top(), bounds.bottom()}) {
        const double sine = (centre.y() - y) / radius;
        if (std::abs(sine) <= 1) {
            const double a = std::asin(sine);
            angles.push_back(Wrapped(a));
            angles.push_back(Wrapped(std::numbers::pi - a));
        }
    }
    std::sort(angles.begin(), angles.end());
    return angles;
}

}  // namespace

bool ClipSegment(QPointF& from, QPointF& to, const QRectF& bounds) {
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    // Most segments lie well inside; the end comes out as the full computation leaves it.
    auto inside = [&bounds](QPointF p) {
        return p.x() > bounds.left() && p.x() < bounds.right() && p.y() > bounds.top() &&
               p.y() < bounds.bottom();
    };
    if (inside(from) && inside(to)) {
        to = from + QPointF(dx, dy);
        return true;
    }
    double enter = 0, leave = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {from.x() - bounds.left(), bounds.right() - from.x(),
                        from.y() - bounds.top(), bounds.bottom() - from.y()};
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(p[i]) || !std::isfinite(q[i])) return false;
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
        if (enter > leave) return false;
    }
    const QPointF start = from;
    from = start + QPointF(dx * enter, dy * enter);
    to = start + QPointF(dx * leave, dy * leave);
    return true;
}

std::vector<std::pair<double, double>> VisibleArcParts(QPointF centre, double radius, double start,
                                                       double span, const QRectF& bounds) {
    std::vector<std::pair<double, double>> parts;
    if (!(radius > 0) || !std::isfinite(radius) || !std::isfinite(start) || !std::isfinite(span) ||
        !std::isfinite(centre.x()) || !std::isfinite(centre.y())) {
        return parts;
    }
    const std::vector<double> crossings = EdgeCrossings(centre, radius, bounds);
    const double from = Wrapped(start);
    const double to = from + std::min(span, kTurn);
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        const double low = crossings[i], high = crossings[i + 1];
        if (high - low <= 0 || !bounds.contains(OnCircle(centre, radius, (low + high) / 2))) {
            continue;
        }
        // The arc may wrap through 0: try the visible piece a turn later as well.
        for (double shift : {0.0, kTurn}) {
            const double a = std::max(from, low + shift);
            const double b = std::min(to, high + shift);
            if (a < b) parts.emplace_back(a, b);
        }
    }
    return parts;
}
