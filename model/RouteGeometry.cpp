#include "model/RouteGeometry.h"

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

} // namespace RouteGeometry
