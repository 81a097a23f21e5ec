#include "casegraph/CCaseGraphOverview.h"

#include "base/CBrush.h"
#include "base/CDC.h"
#include "base/CPen.h"
#include "base/FormatString.h"
#include "casegraph/CCaseDistances.h"
#include "model/CPNEdge.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

CCaseGraphOverview::CCaseGraphOverview(const CNodeAdjacency& forward,
                                       const CNodeAdjacency& singleEvents, EGrouping grouping)
    : m_eGrouping(grouping) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    const std::vector<int> distance = CCaseDistances::From(singleEvents, 0);
    // A key per case: its distance, or its class; then the groups in the order of their
    // columns and, within one, of their first cases.
    std::vector<int> key(at(n));
    int keys = 0;
    if (grouping == EGrouping::Distance) {
        for (int v = 0; v < n; ++v)
            key[at(v)] = std::max(0, distance[at(v)]);
        keys = n == 0 ? 0 : *std::max_element(key.begin(), key.end()) + 1;
    } else {
        key = forward.StronglyConnectedComponents(keys);
    }
    std::vector<Group> byKey(at(keys));
    std::vector<bool> seen(at(keys), false);
    for (int v = 0; v < n; ++v) {
        Group& group = byKey[at(key[at(v)])];
        const int column = std::max(0, distance[at(v)]);
        if (!seen[at(key[at(v)])]) {
            seen[at(key[at(v)])] = true;
            group.first = static_cast<std::uint32_t>(v);
            group.column = column;
        }
        group.column = std::min(group.column, column);
        ++group.cases;
    }
    std::vector<int> order;
    for (int k = 0; k < keys; ++k)
        if (seen[at(k)])
            order.push_back(k);
    std::sort(order.begin(), order.end(), [&byKey, &at](int a, int b) {
        const Group& x = byKey[at(a)];
        const Group& y = byKey[at(b)];
        return x.column != y.column ? x.column < y.column : x.first < y.first;
    });
    std::vector<std::uint32_t> groupOfKey(at(keys), 0);
    for (const int k : order) {
        Group group = byKey[at(k)];
        group.row = m_groups.empty() || m_groups.back().column != group.column
                        ? 0
                        : m_groups.back().row + 1;
        groupOfKey[at(k)] = static_cast<std::uint32_t>(m_groups.size());
        m_groups.push_back(group);
        m_nColumns = std::max(m_nColumns, group.column + 1);
    }
    m_groupOf.resize(at(n));
    for (int v = 0; v < n; ++v)
        m_groupOf[at(v)] = groupOfKey[at(key[at(v)])];
    // The single events between groups, counted per pair: what a stored graph and one
    // whose steps come on demand both know, and what the distances count (a step of
    // several events would skip columns).
    std::unordered_map<std::uint64_t, std::uint64_t> counts;
    for (int v = 0; v < n; ++v)
        for (const int w : singleEvents.Successors(v)) {
            const std::uint32_t a = m_groupOf[at(v)];
            const std::uint32_t b = m_groupOf[at(w)];
            if (a == b)
                ++m_nInnerSteps;
            else
                ++counts[std::uint64_t{a} << 32 | b];
        }
    m_arcs.reserve(counts.size());
    for (const auto& [pair, steps] : counts)
        m_arcs.push_back(
            {static_cast<std::uint32_t>(pair >> 32), static_cast<std::uint32_t>(pair), steps});
    std::sort(m_arcs.begin(), m_arcs.end(), [](const Arc& x, const Arc& y) {
        return x.from != y.from ? x.from < y.from : x.to < y.to;
    });
}

std::vector<std::uint32_t> CCaseGraphOverview::CasesOf(std::uint32_t group) const {
    std::vector<std::uint32_t> cases;
    for (std::size_t v = 0; v < m_groupOf.size(); ++v)
        if (m_groupOf[v] == group)
            cases.push_back(static_cast<std::uint32_t>(v));
    return cases;
}

namespace {

constexpr int kMargin = 40;
constexpr int kCaptionTop = 12;
constexpr int kHeader = 30;
constexpr int kColumnStep = 220;
constexpr int kRowStep = 80;
constexpr int kBoxWidth = 120;
constexpr int kBoxHeight = 44;
// Two opposite arcs between neighbouring columns run side by side, this far apart.
constexpr int kApart = 5;
// An arc past the next column runs in a lane above the boxes (forward) or below them
// (backward), one lane per columns it passes, every other one a little off.
constexpr int kLane = 16;
constexpr int kLaneOff = 6;

// The point where the line from the centre of the rectangle toward the point leaves it.
CPoint Border(const CRect& rect, CPoint toward) {
    const CPoint c = rect.CenterPoint();
    const double dx = toward.x - c.x;
    const double dy = toward.y - c.y;
    if (dx == 0 && dy == 0)
        return c;
    const double sx = dx == 0 ? 1e9 : (rect.Width() / 2.0) / std::abs(dx);
    const double sy = dy == 0 ? 1e9 : (rect.Height() / 2.0) / std::abs(dy);
    const double s = std::min(sx, sy);
    return {c.x + static_cast<int>(std::lround(dx * s)),
            c.y + static_cast<int>(std::lround(dy * s))};
}

std::string Cases(std::uint64_t n) {
    return FormatString(n == 1 ? "%llu case" : "%llu cases", static_cast<unsigned long long>(n));
}

// The text centred on the point.
void Centred(CDC& dc, CPoint at, const std::string& text) {
    const CSize size = dc.GetTextExtent(text);
    dc.TextOut(at.x - size.cx / 2, at.y - size.cy / 2, text);
}

} // namespace

int CCaseGraphOverview::LanesHeight() const {
    int span = 1;
    for (const Arc& arc : m_arcs)
        span = std::max(span, std::abs(m_groups[arc.to].column - m_groups[arc.from].column));
    return span > 1 ? kLane * (span - 1) + kLaneOff + 14 : 0;
}

int CCaseGraphOverview::GetRowCount() const {
    int rows = 1;
    for (const Group& group : m_groups)
        rows = std::max(rows, group.row + 1);
    return rows;
}

CSize CCaseGraphOverview::GetExtent() const {
    const int columns = std::max(1, m_nColumns);
    return {2 * kMargin + (columns - 1) * kColumnStep + kBoxWidth,
            2 * kMargin + kHeader + 2 * LanesHeight() + (GetRowCount() - 1) * kRowStep +
                kBoxHeight};
}

CRect CCaseGraphOverview::GroupRect(std::uint32_t group) const {
    const Group& g = m_groups[group];
    const int x = kMargin + g.column * kColumnStep;
    const int y = kMargin + kHeader + LanesHeight() + g.row * kRowStep;
    return {x, y, x + kBoxWidth, y + kBoxHeight};
}

int CCaseGraphOverview::GroupAt(CPoint pt) const {
    for (std::uint32_t k = 0; k < m_groups.size(); ++k)
        if (GroupRect(k).PtInRect(pt))
            return static_cast<int>(k);
    return -1;
}

void CCaseGraphOverview::Draw(CDC& dc, int marked) const {
    static const CBrush markedFill(RGB(255, 190, 190));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    // What the picture shows, above it.
    dc.TextOut(kMargin, kCaptionTop,
               m_eGrouping == EGrouping::Distance
                   ? "Cases grouped by the events between them and the initial case; an "
                     "arrow counts the single events from one group to the other"
                   : "Cases grouped by the cases they reach, in the column of their case "
                     "nearest to the initial case; an arrow counts the single events from one "
                     "group to the other");
    for (int column = 0; column < m_nColumns; ++column) {
        const std::string text = FormatString(column == 1 ? "%d event" : "%d events", column);
        const CSize size = dc.GetTextExtent(text);
        dc.TextOut(kMargin + column * kColumnStep + (kBoxWidth - size.cx) / 2, kMargin, text);
    }
    const int lanes = LanesHeight();
    const int boxesTop = kMargin + kHeader + lanes;
    const int boxesBottom = boxesTop + (GetRowCount() - 1) * kRowStep + kBoxHeight;
    for (const Arc& arc : m_arcs) {
        const CRect a = GroupRect(arc.from);
        const CRect b = GroupRect(arc.to);
        const int span = m_groups[arc.to].column - m_groups[arc.from].column;
        const std::string count = FormatString("%llu", static_cast<unsigned long long>(arc.steps));
        if (std::abs(span) <= 1) {
            // Beside the line between the centres, on the left of its direction.
            const CPoint ca = a.CenterPoint();
            const CPoint cb = b.CenterPoint();
            const double length = std::hypot(cb.x - ca.x, cb.y - ca.y);
            const int ox = static_cast<int>(std::lround(kApart * (cb.y - ca.y) / length));
            const int oy = static_cast<int>(std::lround(-kApart * (cb.x - ca.x) / length));
            const CPoint from = Border(a, cb) + CSize(ox, oy);
            const CPoint to = Border(b, ca) + CSize(ox, oy);
            CPNEdge::DrawStraight(dc, from, to);
            Centred(dc, CPoint((from.x + to.x) / 2 + 2 * ox, (from.y + to.y) / 2 + 2 * oy), count);
            continue;
        }
        // Forward above the boxes, backward below them, in the lane of its length.
        const bool forward = span > 0;
        const int low = std::min(m_groups[arc.from].column, m_groups[arc.to].column);
        const int lane = kLane * (std::abs(span) - 2) + kLaneOff * (low % 2) + 8;
        const int y = forward ? boxesTop - lane : boxesBottom + lane;
        const int side = forward ? 1 : -1;
        const CPoint start(a.CenterPoint().x + side * 30, forward ? a.top : a.bottom);
        const CPoint end(b.CenterPoint().x - side * 30, forward ? b.top : b.bottom);
        dc.MoveTo(start);
        dc.LineTo(start.x, y);
        CPNEdge::DrawOneBend(dc, CPoint(start.x, y), CPoint(end.x, y), end);
        Centred(dc, CPoint((start.x + end.x) / 2, y + (forward ? -7 : 7)), count);
    }
    for (std::uint32_t k = 0; k < m_groups.size(); ++k) {
        const CRect rect = GroupRect(k);
        const CBrush* oldBrush = dc.SelectObject(
            static_cast<int>(k) == marked ? &markedFill : CBrush::Stock(WHITE_BRUSH));
        dc.Rectangle(rect);
        dc.SelectObject(oldBrush);
        Centred(dc, rect.CenterPoint(), Cases(m_groups[k].cases));
    }
    dc.SetBkMode(oldMode);
}
