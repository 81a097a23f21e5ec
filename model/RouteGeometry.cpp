#include "model/RouteGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace RouteGeometry {

int Trunc(double value) {
    return static_cast<int>(value);
}

CPoint Midpoint(CPoint a, CPoint b) {
    return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
}

CRect SegmentRect(CPoint a, CPoint b) {
    CRect r(a, b);
    r.NormalizeRect();
    r.InflateRect(4, 4);
    return r;
}

bool IsNearSegment(CPoint pt, CPoint from, CPoint to) {
    const std::int64_t px = from.x, py = from.y, cx = to.x, cy = to.y;
    const double length =
        std::sqrt(static_cast<double>((py - cy) * (py - cy) + (cx - px) * (cx - px)));
    if (length == 0.0) {
        const double dx = pt.x - px, dy = pt.y - py;
        return Trunc(std::sqrt(dx * dx + dy * dy)) < kHitDistance;
    }
    const std::int64_t n = pt.y * (cx - px) - py * cx + pt.x * (py - cy) + cy * px;
    const int d = Trunc(static_cast<double>(n) / length);
    return std::abs(d) < kHitDistance;
}

bool SegmentMeetsRect(CPoint a, CPoint b, const CRect& rect) {
    // Liang-Barsky: the part of the segment a + t (b - a), 0 <= t <= 1, inside each of
    // the four half-planes of the rectangle.
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    double t0 = 0.0, t1 = 1.0;
    auto clip = [&t0, &t1](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-dx, static_cast<double>(a.x) - rect.left) &&
           clip(dx, static_cast<double>(rect.right) - a.x) &&
           clip(-dy, static_cast<double>(a.y) - rect.top) &&
           clip(dy, static_cast<double>(rect.bottom) - a.y);
}

} // namespace RouteGeometry
