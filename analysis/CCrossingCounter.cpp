#include "CCrossingCounter.h"

#include "CEdgeInfo.h"

#include <algorithm>
#include <numeric>

namespace CCrossingCounter {

std::int64_t CountLiteral(const std::vector<CEdgeInfo>& edges, int edgeCount) {
    std::int64_t count = 0;
    for (int i = 0; i < edgeCount; ++i)
        for (int j = i + 1; j < edgeCount; ++j)
            if (edges[static_cast<std::size_t>(i)].Intersects(edges[static_cast<std::size_t>(j)],
                                                              false))
                ++count;
    return count;
}

// Built for AVX2 as well where the processor has it.
__attribute__((target_clones("avx2", "default"))) std::int64_t
Count(const std::vector<CEdgeInfo>& edges, int edgeCount) {
    const auto n = static_cast<std::size_t>(std::max(edgeCount, 0));
    // The arcs as columns of doubles, in which every product of grid coordinates is
    // exact, so that the pair loop runs on vector registers without branches.
    std::vector<double> x(n), y(n), dx(n), dy(n), l(n), t(n), r(n), b(n), box(n);
    for (std::size_t k = 0; k < n; ++k) {
        const CEdgeInfo& e = edges[k];
        x[k] = e.m_ptFrom.x;
        y[k] = e.m_ptFrom.y;
        dx[k] = e.m_sizeDelta.cx;
        dy[k] = e.m_sizeDelta.cy;
        l[k] = e.m_rcBounds.left;
        t[k] = e.m_rcBounds.top;
        r[k] = e.m_rcBounds.right;
        b[k] = e.m_rcBounds.bottom;
        box[k] = e.m_rcBounds.IsRectEmpty() ? 0.0 : 1.0;
    }

    std::int64_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double ax = x[i], ay = y[i], adx = dx[i], ady = dy[i];
        const double al = l[i], at = t[i], ar = r[i], ab = b[i], abox = box[i];
        double crossings = 0.0;
        for (std::size_t j = i + 1; j < n; ++j) {
            // Rectangles answer only when both have an area.
            bool apart = (abox + box[j] == 2.0) &
                         ((al >= r[j]) | (l[j] >= ar) | (at >= b[j]) | (t[j] >= ab));
            // Where this arc's line meets the other's, as the parameter num / den along
            // the other: strictly inside exactly when the integers say so.
            double num = (y[j] - ay) * adx + (ax - x[j]) * ady;
            double den = dx[j] * ady - dy[j] * adx;
            // When the line passes through an end of the other arc, the answer is
            // whether the other's line crosses this arc strictly inside.
            double num2 = (ay - y[j]) * dx[j] + (x[j] - ax) * dy[j];
            double den2 = -den;
            bool parallel = den == 0.0;
            bool atEnd = (num == 0.0) | (num == den);
            bool inside = ((den > 0.0) & (num > 0.0) & (num < den)) |
                          ((den < 0.0) & (num < 0.0) & (num > den));
            bool insideOther = ((den2 > 0.0) & (num2 > 0.0) & (num2 < den2)) |
                               ((den2 < 0.0) & (num2 < 0.0) & (num2 > den2));
            bool cross = (parallel & (num == 0.0)) | (!parallel & atEnd & insideOther) |
                         (!parallel & !atEnd & inside);
            crossings += (cross & !apart) ? 1.0 : 0.0;
        }
        count += static_cast<std::int64_t>(crossings);
    }
    return count;
}

} // namespace CCrossingCounter
