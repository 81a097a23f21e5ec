#include "layout/CCrossingCounter.h"

#include "layout/CEdgeInfo.h"

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

namespace {

// The arcs as columns of doubles, in which every product of grid coordinates is exact,
// so that the pair loops run on vector registers without branches.
struct Columns {
    std::vector<double> x, y, dx, dy, l, t, r, b, box;

    Columns(const std::vector<CEdgeInfo>& edges, std::size_t n)
        : x(n), y(n), dx(n), dy(n), l(n), t(n), r(n), b(n), box(n) {
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
    }
};

// The rule for arc i (the first of the pair) against arc j, as 1 or 0. Summed as
// integers, which the compiler may add in any order, so that the sums stay in vector
// registers (sums of doubles it must add one after the other).
inline std::int64_t Crosses(const Columns& c, std::size_t i, std::size_t j) {
    const double ax = c.x[i], ay = c.y[i], adx = c.dx[i], ady = c.dy[i];
    // Rectangles answer only when both have an area.
    const bool apart = (c.box[i] + c.box[j] == 2.0) & ((c.l[i] >= c.r[j]) | (c.l[j] >= c.r[i]) |
                                                       (c.t[i] >= c.b[j]) | (c.t[j] >= c.b[i]));
    // Where this arc's line meets the other's, as the parameter num / den along the
    // other: strictly inside exactly when the integers say so.
    const double num = (c.y[j] - ay) * adx + (ax - c.x[j]) * ady;
    const double den = c.dx[j] * ady - c.dy[j] * adx;
    // When the line passes through an end of the other arc, the answer is whether the
    // other's line crosses this arc strictly inside.
    const double num2 = (ay - c.y[j]) * c.dx[j] + (c.x[j] - ax) * c.dy[j];
    const double den2 = -den;
    const bool parallel = den == 0.0;
    const bool atEnd = (num == 0.0) | (num == den);
    const bool inside =
        ((den > 0.0) & (num > 0.0) & (num < den)) | ((den < 0.0) & (num < 0.0) & (num > den));
    const bool insideOther = ((den2 > 0.0) & (num2 > 0.0) & (num2 < den2)) |
                             ((den2 < 0.0) & (num2 < 0.0) & (num2 > den2));
    const bool cross = (parallel & (num == 0.0)) | (!parallel & atEnd & insideOther) |
                       (!parallel & !atEnd & inside);
    return static_cast<std::int64_t>(cross & !apart);
}

} // namespace

// Built for AVX-512 and AVX2 as well, taken where the processor has them.
__attribute__((target_clones("avx512f", "avx2", "default"))) std::int64_t
Count(const std::vector<CEdgeInfo>& edges, int edgeCount, const WorkProgress& progress) {
    const auto n = static_cast<std::size_t>(std::max(edgeCount, 0));
    const Columns c(edges, n);
    const std::size_t pairs = n * (n - (n > 0 ? 1 : 0)) / 2;
    std::size_t compared = 0;
    std::int64_t sinceReport = 0;
    std::int64_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Told between rows, every few million pairs: a row of a large graph is long.
        if (progress && sinceReport >= kPairsPerPoll) {
            if (!progress(compared, pairs))
                return -1;
            sinceReport = 0;
        }
        for (std::size_t j = i + 1; j < n; ++j)
            count += Crosses(c, i, j);
        compared += n - i - 1;
        sinceReport += static_cast<std::int64_t>(n - i - 1);
    }
    if (progress && !progress(pairs, pairs))
        return -1;
    return count;
}

__attribute__((target_clones("avx512f", "avx2", "default"))) std::int64_t
CountAt(const std::vector<CEdgeInfo>& edges, int edgeCount, const std::vector<int>& arcs,
        const WorkProgress& progress) {
    const auto n = static_cast<std::size_t>(std::max(edgeCount, 0));
    const Columns c(edges, n);
    std::int64_t total = 0;
    std::int64_t sinceReport = 0;
    for (std::size_t k = 0; k < arcs.size(); ++k) {
        if (progress && sinceReport >= kPairsPerPoll) {
            if (!progress(k, arcs.size()))
                return -1;
            sinceReport = 0;
        }
        sinceReport += static_cast<std::int64_t>(n);
        const auto i = static_cast<std::size_t>(arcs[k]);
        // Each pair with the lower index as the rule's first arc, as Count takes it.
        for (std::size_t j = 0; j < i; ++j)
            total += Crosses(c, j, i);
        for (std::size_t j = i + 1; j < n; ++j)
            total += Crosses(c, i, j);
    }
    // A pair of two listed arcs was met from both.
    for (std::size_t p = 0; p < arcs.size(); ++p)
        for (std::size_t q = p + 1; q < arcs.size(); ++q) {
            const auto i = static_cast<std::size_t>(std::min(arcs[p], arcs[q]));
            const auto j = static_cast<std::size_t>(std::max(arcs[p], arcs[q]));
            if (i != j)
                total -= Crosses(c, i, j);
        }
    return total;
}

} // namespace CCrossingCounter
