#include "model/CPNEdge.h"

#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPropertiesHost.h"
#include "model/RouteGeometry.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
#include "model/EdgePointListIO.h"
#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

using RouteGeometry::Midpoint;
using RouteGeometry::Trunc;

namespace {

// Twice the offset from c to the nearest pixel centre p + 0.5 with lo <= p <= hi.
long long NearestCentreOffset(int c, int lo, int hi) {
    long long best = -1;
    for (int p : {std::clamp(c - 1, lo, hi), std::clamp(c, lo, hi)}) {
        const long long d = std::llabs(2LL * p + 1 - 2LL * c);
        if (best < 0 || d < best)
            best = d;
    }
    return best;
}

// Whether the rectangle (tx - 17, ty - 17, tx + 17, ty + 17) touches the elliptic
// region (fx - 16, fy - 16, fx + 16, fy + 16): the region holds the pixels whose centres
// lie inside the circle of radius 16 around (fx, fy).
bool RectTouchesRegion(CPoint from, CPoint to) {
    const long long dx = NearestCentreOffset(from.x, to.x - 17, to.x + 16);
    const long long dy = NearestCentreOffset(from.y, to.y - 17, to.y + 16);
    return dx * dx + dy * dy < 4LL * 16 * 16;
}

} // namespace

CPNEdge::CPNEdge() = default;

CPNEdge::CPNEdge(CPNElement* from, CPNElement* to, bool skipRoute) : m_pFrom(from), m_pTo(to) {
    assert(from && to);
    if (skipRoute)
        return;
    m_bFirstSegment = m_bLastSegment = m_bVisible = true;
    BuildStraightRoute();
    m_bVisible = CheckVisibility();
    RecalcBounds();
}

void CPNEdge::BuildStraightRoute() {
    assert(m_pFrom && m_pTo);
    m_listPoints.clear();
    if (!m_pFrom || !m_pTo)
        return;
    const CPoint a = m_pFrom->GetBorderPoint(m_pTo->m_ptPos);
    const CPoint b = m_pTo->GetBorderPoint(a);
    m_listPoints.emplace_back(a, true, true);
    m_listPoints.emplace_back(Midpoint(a, b), false, false);
    m_listPoints.emplace_back(b, true, true);
}

void CPNEdge::ReleasePoint() {
    m_pGrab.reset();
}

void CPNEdge::ReadBendPositions() {
    if (m_listPoints.size() >= 3) {
        m_posFirstBend = std::next(m_listPoints.begin(), 2);
        m_posLastBend = std::prev(m_listPoints.end(), 3);
    } else {
        m_posFirstBend = m_posLastBend = m_listPoints.end();
    }
}

bool CPNEdge::IsSegmentDrawn(int vertexNumber, bool lastVertex) const {
    if (lastVertex)
        return !IsLastSegmentHidden();
    return !(vertexNumber == 1 && IsFirstSegmentHidden());
}

bool CPNEdge::CheckVisibility() {
    if (!m_pFrom || !m_pTo)
        return false;
    if (m_bBent && m_posFirstBend != m_listPoints.end() && m_posLastBend != m_listPoints.end()) {
        m_bFirstSegment = !m_pFrom->HitTest(m_posFirstBend->m_pt);
        m_bLastSegment = !m_pTo->HitTest(m_posLastBend->m_pt);
        return m_bFirstSegment && m_bLastSegment;
    }
    return !RectTouchesRegion(m_pFrom->m_ptPos, m_pTo->m_ptPos);
}

void CPNEdge::RecalcBounds() {
    GeometryChanged();
    if (!IsDrawn())
        return;
    m_rcBounds.SetRectEmpty();
    const auto last = m_listPoints.empty() ? m_listPoints.end() : std::prev(m_listPoints.end());
    CPoint previous;
    int number = -1;
    for (auto it = m_listPoints.begin(); it != m_listPoints.end(); ++it) {
        if (!it->m_bVertex)
            continue;
        if (++number > 0 && IsSegmentDrawn(number, it == last)) {
            it->m_rcSegment = RouteGeometry::SegmentRect(previous, it->m_pt);
            m_rcBounds |= it->m_rcSegment;
        }
        previous = it->m_pt;
    }
    if (!m_rcBounds.IsRectEmpty())
        m_rcBounds.InflateRect(3, 3);
}

void CPNEdge::Draw(CDC& dc) const {
    if (!IsDrawn() || m_listPoints.size() < 3)
        return;
    const auto last = std::prev(m_listPoints.end());
    int number = -1;
    for (auto it = m_listPoints.begin(); it != m_listPoints.end(); ++it) {
        if (!it->m_bVertex)
            continue;
        ++number;
        if (number == 0)
            dc.MoveTo(it->m_pt);
        else if (it == last) {
            if (!IsLastSegmentHidden())
                dc.LineTo(it->m_pt);
        } else if (number == 1 && IsFirstSegmentHidden())
            dc.MoveTo(it->m_pt);
        else
            dc.LineTo(it->m_pt);
    }

    if (!IsLastSegmentHidden())
        DrawArrowhead(dc, std::prev(last, 2)->m_pt, last->m_pt);

    if (m_bSelected) {
        const auto firstInner = std::next(m_listPoints.begin());
        const auto lastInner = std::prev(last);
        for (auto it = firstInner; it != last; ++it) {
            if (it == firstInner && IsFirstSegmentHidden())
                continue;
            if (it == lastInner && IsLastSegmentHidden())
                continue;
            DrawPointHandle(dc, *it);
        }
    }
}

void CPNEdge::DrawStraight(CDC& dc, CPoint from, CPoint to) {
    dc.MoveTo(from);
    dc.LineTo(to);
    DrawArrowhead(dc, from, to);
}

void CPNEdge::DrawOneBend(CDC& dc, CPoint from, CPoint bend, CPoint to) {
    dc.MoveTo(from);
    dc.LineTo(bend);
    dc.LineTo(to);
    DrawArrowhead(dc, bend, to);
}

void CPNEdge::DrawArrowhead(CDC& dc, CPoint p, CPoint e) {
    {
        dc.LineTo(e.x + 1, e.y + 1);
        const double dx = e.x - p.x, dy = e.y - p.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        // A last segment of zero length gives no direction for the arrowhead.
        if (length > 0.0) {
            const int qx = Trunc(e.x - 10 * dx / length + 0.5);
            const int qy = Trunc(e.y - 10 * dy / length + 0.5);
            const double ox = -dy * (8 / (2 * length));
            const double oy = dx * (8 / (2 * length));
            const CPoint head[3] = {e, CPoint(Trunc(qx + ox + 0.5), Trunc(qy + oy + 0.5)),
                                    CPoint(Trunc(qx - ox + 0.5), Trunc(qy - oy + 0.5))};
            const CBrush* oldBrush = dc.SelectStockBrush(BLACK_BRUSH);
            dc.Polygon(head, 3);
            dc.SelectObject(oldBrush);
        }
    }
}

bool CPNEdge::HitTest(CPoint pt) const {
    if (!IsDrawn() || !m_rcBounds.PtInRect(pt))
        return false;
    const auto last = m_listPoints.empty() ? m_listPoints.end() : std::prev(m_listPoints.end());
    CPoint previous;
    int number = -1;
    for (auto it = m_listPoints.begin(); it != m_listPoints.end(); ++it) {
        if (!it->m_bVertex)
            continue;
        if (++number > 0 && IsSegmentDrawn(number, it == last) && it->m_rcSegment.PtInRect(pt) &&
            RouteGeometry::IsNearSegment(pt, previous, it->m_pt))
            return true;
        previous = it->m_pt;
    }
    return false;
}

bool CPNEdge::GetStraightRoute(CPoint& from, CPoint& to) const {
    if (!IsDrawn() || m_bBent || m_listPoints.size() != 3)
        return false;
    from = m_listPoints.front().m_pt;
    to = m_listPoints.back().m_pt;
    return true;
}

CRect CPNEdge::GetBoundRect() const {
    if (!IsDrawn() || m_listPoints.empty())
        return CRect();
    const CPoint e = m_listPoints.back().m_pt;
    return m_rcBounds | CRect(e.x - 15, e.y - 15, e.x + 15, e.y + 15);
}

void CPNEdge::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_HIDE, this);
}

bool CPNEdge::HitTestPoint(CPoint pt) {
    ReleasePoint();
    if (m_listPoints.size() >= 3) {
        const auto last = std::prev(m_listPoints.end());
        for (auto it = std::next(m_listPoints.begin()); it != last; ++it) {
            const CRect square(it->m_pt.x - 3, it->m_pt.y - 3, it->m_pt.x + 3, it->m_pt.y + 3);
            if (!square.PtInRect(pt))
                continue;
            m_ptPos = it->m_pt;
            m_pGrab = std::make_unique<CEdgeGrab>();
            m_pGrab->m_posSelPoint = m_pGrab->m_posPrevMid = m_pGrab->m_posNextMid =
                m_listPoints.end();
            m_pGrab->m_posSelPoint = it;
            if (it->m_bVertex) {
                m_pGrab->m_posPrevMid = std::prev(it);
                m_pGrab->m_posNextMid = std::next(it);
                m_pGrab->m_ptPrevVertex = std::prev(it, 2)->m_pt;
                m_pGrab->m_ptNextVertex = std::next(it, 2)->m_pt;
            } else {
                m_pGrab->m_ptPrevVertex = std::prev(it)->m_pt;
                m_pGrab->m_ptNextVertex = std::next(it)->m_pt;
            }
            return true;
        }
    }
    m_ptPos = CPoint(0, 0);
    return false;
}

bool CPNEdge::IsBendSelected() const {
    return HasSelectedPoint() && m_pGrab->m_posSelPoint->m_bVertex;
}

CRect CPNEdge::MoveTo(CPoint pt) {
    if (!HasSelectedPoint())
        return CRect();
    const CRect oldBounds = GetBoundRect();
    if (m_pGrab->m_posSelPoint->m_bVertex) {
        m_pGrab->m_posSelPoint->m_pt = pt;
        m_pGrab->m_posPrevMid->m_pt = Midpoint(m_pGrab->m_ptPrevVertex, pt);
        m_pGrab->m_posNextMid->m_pt = Midpoint(m_pGrab->m_ptNextVertex, pt);
    } else {
        m_pGrab->m_posSelPoint->m_pt = pt;
        m_pGrab->m_posSelPoint->m_bVertex = true;
        m_pGrab->m_posPrevMid =
            m_listPoints.insert(m_pGrab->m_posSelPoint,
                                CEdgePoint(Midpoint(m_pGrab->m_ptPrevVertex, pt), false, false));
        m_pGrab->m_posNextMid =
            m_listPoints.insert(std::next(m_pGrab->m_posSelPoint),
                                CEdgePoint(Midpoint(m_pGrab->m_ptNextVertex, pt), false, false));
        if (m_bBent) {
            ReadBendPositions();
        } else {
            m_posFirstBend = m_posLastBend = m_pGrab->m_posSelPoint;
            m_bBent = true;
        }
    }
    m_ptPos = pt;
    UpdateEnds(m_pTo);
    RecalcBounds();
    return oldBounds | GetBoundRect();
}

bool CPNEdge::UpdateEnds(CPNElement* moved) {
    if (moved && moved != m_pFrom && moved != m_pTo)
        return false;
    if (!m_pFrom || !m_pTo || m_listPoints.size() < 3)
        return false;
    const bool bent =
        m_bBent && m_posFirstBend != m_listPoints.end() && m_posLastBend != m_listPoints.end();
    const auto first = m_listPoints.begin();
    const auto last = std::prev(m_listPoints.end());

    const CPoint startTarget = bent ? m_posFirstBend->m_pt : m_pTo->m_ptPos;
    first->m_pt = m_pFrom->GetBorderPoint(startTarget);
    if (bent)
        std::next(first)->m_pt = Midpoint(first->m_pt, m_posFirstBend->m_pt);

    const CPoint endTarget = bent ? m_posLastBend->m_pt : m_pFrom->m_ptPos;
    last->m_pt = m_pTo->GetBorderPoint(endTarget);

    if (first->m_pt == last->m_pt) {
        std::prev(last)->m_pt = last->m_pt;
        m_bVisible = false;
        RecalcBounds();
        return true;
    }
    std::prev(last)->m_pt = Midpoint(last->m_pt, endTarget);
    m_bVisible = CheckVisibility();
    RecalcBounds();
    return true;
}

bool CPNEdge::DeleteSelectedPoint() {
    if (!IsBendSelected())
        return false;
    if (m_listPoints.size() == 5) {
        Straighten();
        return true;
    }
    const auto bend = m_pGrab->m_posSelPoint;
    m_listPoints.erase(std::prev(bend));
    m_listPoints.erase(std::next(bend));
    const auto p = std::prev(bend);
    const auto n = std::next(bend);
    if (p->m_bEnd && m_pFrom)
        p->m_pt = m_pFrom->GetBorderPoint(n->m_pt);
    if (n->m_bEnd && m_pTo)
        n->m_pt = m_pTo->GetBorderPoint(p->m_pt);
    bend->m_pt = Midpoint(p->m_pt, n->m_pt);
    bend->m_bVertex = false;
    ReleasePoint();
    ReadBendPositions();
    m_bVisible = CheckVisibility();
    UpdateEnds(m_pTo);
    RecalcBounds();
    return true;
}

void CPNEdge::ResetPoints() {
    m_listPoints.clear();
    m_bBent = false;
    m_bFirstSegment = m_bLastSegment = true;
    m_posFirstBend = m_posLastBend = m_listPoints.end();
    ReleasePoint();
    BuildStraightRoute();
    m_bVisible = CheckVisibility();
    RecalcBounds();
}

void CPNEdge::Straighten() {
    CPNEdge::ResetPoints();
    UpdateEnds(m_pTo);
    RecalcBounds();
}

void CPNEdge::SetBendPoints(const std::vector<CPoint>& bends) {
    if (bends.empty() || !m_pFrom || !m_pTo) {
        Straighten();
        return;
    }
    ReleasePoint();
    m_listPoints.clear();
    CPoint previous = m_pFrom->GetBorderPoint(bends.front());
    m_listPoints.emplace_back(previous, true, true);
    for (const CPoint& bend : bends) {
        m_listPoints.emplace_back(Midpoint(previous, bend), false, false);
        m_listPoints.emplace_back(bend, true, false);
        previous = bend;
    }
    const CPoint end = m_pTo->GetBorderPoint(bends.back());
    m_listPoints.emplace_back(Midpoint(previous, end), false, false);
    m_listPoints.emplace_back(end, true, true);
    m_bBent = true;
    ReadBendPositions();
    UpdateEnds(m_pTo);
    RecalcBounds();
}

std::vector<CPoint> CPNEdge::GetBendPoints() const {
    std::vector<CPoint> bends;
    if (!m_bBent)
        return bends;
    for (const CEdgePoint& p : m_listPoints)
        if (p.m_bVertex && !p.m_bEnd)
            bends.push_back(p.m_pt);
    return bends;
}

CRect CPNEdge::Offset(int dx, int dy) {
    const CRect oldBounds = GetBoundRect();
    for (CEdgePoint& p : m_listPoints)
        p.m_pt.Offset(dx, dy);
    RecalcBounds();
    return oldBounds | GetBoundRect();
}

void CPNEdge::Connect() {
    if (auto* event = dynamic_cast<CPNEvent*>(m_pFrom)) {
        if (auto* condition = dynamic_cast<CPNCondition*>(m_pTo)) {
            event->m_setPostConditions.Add(condition);
            condition->m_setPreEvents.Add(event);
        }
    } else if (auto* condition = dynamic_cast<CPNCondition*>(m_pFrom)) {
        if (auto* event = dynamic_cast<CPNEvent*>(m_pTo)) {
            condition->m_setPostEvents.Add(event);
            event->m_setPreConditions.Add(condition);
        }
    }
}

bool CPNEdge::IsSameAs(const CPNEdge* other) const {
    return other && other->m_pFrom == m_pFrom && other->m_pTo == m_pTo;
}

bool CPNEdge::IsAttachedTo(const CPNElement* element) const {
    return element && (element == m_pFrom || element == m_pTo);
}

bool CPNEdge::IsBetween(const CPNElement* from, const CPNElement* to) const {
    return m_pFrom == from && m_pTo == to;
}

void CPNEdge::ComputeTokenPath() {
    std::vector<CPoint> vertices;
    for (const CEdgePoint& p : m_listPoints)
        if (p.m_bVertex)
            vertices.push_back(p.m_pt);
    std::vector<int> lengths;
    // A long route of many segments adds up beyond the range of int.
    std::int64_t total = 0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const double dx = vertices[i].x - vertices[i - 1].x;
        const double dy = vertices[i].y - vertices[i - 1].y;
        lengths.push_back(Trunc(std::sqrt(dx * dx + dy * dy)));
        total += lengths.back();
    }
    const std::int64_t step = total / 11;
    if (!m_ptTokenPath)
        m_ptTokenPath = std::make_unique<std::array<CPoint, kTokenPathPoints>>();
    std::int64_t covered = 0;
    int k = 1;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const int s = lengths[i];
        const CPoint p = vertices[i];
        const double dx = vertices[i + 1].x - p.x, dy = vertices[i + 1].y - p.y;
        while (k <= kTokenPathPoints && s > 0 && k * step < covered + s &&
               total - k * step >= step) {
            const double u = static_cast<double>(k * step - covered) / s;
            (*m_ptTokenPath)[static_cast<std::size_t>(k - 1)] =
                CPoint(Trunc(p.x + dx * u), Trunc(p.y + dy * u));
            ++k;
        }
        covered += s;
    }
}

CPoint CPNEdge::GetTokenPathPoint(int index) const {
    if (index < 0 || index >= kTokenPathPoints || !m_ptTokenPath)
        return CPoint(0, 0);
    return (*m_ptTokenPath)[static_cast<std::size_t>(index)];
}

void CPNEdge::Serialize(CArchive& ar) {
    CPNElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pFrom);
        ar.WriteObject(m_pTo);
        ar.WriteBool32(m_bVisible);
        ar.WriteRect(m_rcBounds);
        ar.WriteBool32(m_bBent);
        ar.WriteBool32(m_bFirstSegment);
        ar.WriteBool32(m_bLastSegment);
        WriteEdgePoints(ar, m_listPoints);
    } else {
        m_pFrom = ar.ReadObject<CPNElement>();
        m_pTo = ar.ReadObject<CPNElement>();
        m_bVisible = ar.ReadBool32EqualsOne();
        m_rcBounds = ar.ReadRect();
        m_bBent = ar.ReadBool32EqualsOne();
        m_bFirstSegment = ar.ReadBool32EqualsOne();
        m_bLastSegment = ar.ReadBool32EqualsOne();
        ReleasePoint();
        ReadEdgePoints(ar, m_listPoints);
        ReadBendPositions();
    }
}

CPNEdge::RouteFields CPNEdge::GetRouteFields() const {
    return {m_ptPos,        m_listPoints, m_bVisible, m_bBent, m_bFirstSegment,
            m_bLastSegment, m_rcBounds,   m_pFrom,    m_pTo};
}

void CPNEdge::CopyRouteFields(RouteFields& fields) const {
    fields.pos = m_ptPos;
    fields.points = m_listPoints;
    fields.visible = m_bVisible;
    fields.bent = m_bBent;
    fields.firstSegment = m_bFirstSegment;
    fields.lastSegment = m_bLastSegment;
    fields.bounds = m_rcBounds;
    fields.from = m_pFrom;
    fields.to = m_pTo;
}

void CPNEdge::SetRouteFields(const RouteFields& fields) {
    m_pGrab.reset();
    m_ptPos = fields.pos;
    m_listPoints = fields.points;
    m_bVisible = fields.visible;
    m_bBent = fields.bent;
    m_bFirstSegment = fields.firstSegment;
    m_bLastSegment = fields.lastSegment;
    m_rcBounds = fields.bounds;
    m_pFrom = fields.from;
    m_pTo = fields.to;
    ReadBendPositions();
    if (m_ptTokenPath)
        ComputeTokenPath();
    GeometryChanged();
}

std::unique_ptr<CElementState> CPNEdge::SaveState() const {
    return MakeElementState(GetRouteFields(), m_listPoints.size() * (sizeof(CEdgePoint) + 16));
}

void CPNEdge::RestoreState(const CElementState& state) {
    SetRouteFields(FieldsOfState<RouteFields>(state));
}
