#include "model/CPNPolygon.h"

#include "model/CPropertiesHost.h"
#include "model/RouteGeometry.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
#include "model/EdgePointListIO.h"
#include <cassert>
#include <iterator>

using RouteGeometry::Midpoint;

CPNPolygon::CPNPolygon() = default;

CPNPolygon::CPNPolygon(int x, int y) : CPNElement(x, y) {
    m_listPoints.emplace_back(CPoint(x, y), true, true);
    m_listPoints.emplace_back(CPoint(x, y + 20), false, false);
    m_listPoints.emplace_back(CPoint(x, y + 40), true, false);
    m_listPoints.emplace_back(CPoint(x + 80, y + 40), false, false);
    m_listPoints.emplace_back(CPoint(x + 160, y + 40), true, false);
    m_listPoints.emplace_back(CPoint(x + 160, y + 20), false, false);
    m_listPoints.emplace_back(CPoint(x + 160, y), true, false);
    m_listPoints.emplace_back(CPoint(x + 80, y), false, false);
    m_listPoints.emplace_back(CPoint(x, y), true, true);
    SetVertexCapacity(5);
    RecalcBounds();
}

void CPNPolygon::SetVertexCapacity(int capacity) {
    m_nVertexCapacity = capacity;
    m_arrVertices.clear();
    m_arrVertices.reserve(static_cast<std::size_t>(capacity));
}

void CPNPolygon::ReallocVertexBuffer() {
    SetVertexCapacity(static_cast<int>(m_listPoints.size()) / 2 + 1);
}

void CPNPolygon::ReleasePoint() {
    m_posSelPoint = m_posPrevMid = m_posNextMid = m_listPoints.end();
}

void CPNPolygon::Draw(CDC& dc) const {
    if (m_listPoints.empty())
        return;
    m_arrVertices.clear();
    m_arrVertices.push_back(m_listPoints.front().m_pt);
    for (auto it = std::next(m_listPoints.begin()); it != m_listPoints.end(); ++it)
        if (it->m_bVertex)
            m_arrVertices.push_back(it->m_pt);

    const CPen pen(m_nLineStyle, m_nLineWidth, m_crLine);
    const CBrush fill(m_crFill);
    const CPen* oldPen = dc.SelectObject(&pen);
    const CBrush* oldBrush =
        m_nFillMode == 1 ? dc.SelectObject(&fill) : dc.SelectStockBrush(HOLLOW_BRUSH);
    dc.Polygon(m_arrVertices.data(), static_cast<int>(m_arrVertices.size()));
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    if (m_bSelected)
        for (auto it = std::next(m_listPoints.begin()); it != m_listPoints.end(); ++it)
            DrawPointHandle(dc, *it);
}

void CPNPolygon::RecalcBounds() {
    m_rcBounds.SetRectEmpty();
    CPoint previous;
    bool first = true;
    for (CEdgePoint& p : m_listPoints) {
        if (!p.m_bVertex)
            continue;
        if (!first) {
            p.m_rcSegment = RouteGeometry::SegmentRect(previous, p.m_pt);
            m_rcBounds |= p.m_rcSegment;
        }
        previous = p.m_pt;
        first = false;
    }
    if (!m_rcBounds.IsRectEmpty())
        m_rcBounds.InflateRect(3, 3);
}

bool CPNPolygon::HitTest(CPoint pt) const {
    if (!m_rcBounds.PtInRect(pt))
        return false;
    CPoint previous;
    bool first = true;
    for (const CEdgePoint& p : m_listPoints) {
        if (!p.m_bVertex)
            continue;
        if (!first && p.m_rcSegment.PtInRect(pt) &&
            RouteGeometry::IsNearSegment(pt, previous, p.m_pt))
            return true;
        previous = p.m_pt;
        first = false;
    }
    return false;
}

CRect CPNPolygon::GetBoundRect() const {
    if (m_rcBounds.IsRectEmpty())
        return CRect();
    CRect r = m_rcBounds;
    const int grow = m_nLineWidth / 2 + 1;
    r.InflateRect(grow, grow);
    return r;
}

void CPNPolygon::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_POLYGON, this);
}

bool CPNPolygon::HitTestPoint(CPoint pt) {
    ReleasePoint();
    if (m_listPoints.size() < 3)
        return false;
    m_ptPos = m_listPoints.front().m_pt;
    const auto last = std::prev(m_listPoints.end());
    for (auto it = std::next(m_listPoints.begin()); it != m_listPoints.end(); ++it) {
        const CRect square(it->m_pt.x - 5, it->m_pt.y - 5, it->m_pt.x + 5, it->m_pt.y + 5);
        if (!square.PtInRect(pt))
            continue;
        m_ptPos = it->m_pt;
        m_posSelPoint = it;
        if (!it->m_bVertex) {
            m_ptPrevVertex = std::prev(it)->m_pt;
            m_ptNextVertex = std::next(it)->m_pt;
        } else if (it == last) {
            // The closing point joins the last segment to the first one.
            m_posPrevMid = std::prev(it);
            m_ptPrevVertex = std::prev(it, 2)->m_pt;
            m_posNextMid = std::next(m_listPoints.begin());
            m_ptNextVertex = std::next(m_listPoints.begin(), 2)->m_pt;
        } else {
            m_posPrevMid = std::prev(it);
            m_posNextMid = std::next(it);
            m_ptPrevVertex = std::prev(it, 2)->m_pt;
            m_ptNextVertex = std::next(it, 2)->m_pt;
        }
        return true;
    }
    return false;
}

bool CPNPolygon::IsBendSelected() const {
    return HasSelectedPoint() && m_posSelPoint->m_bVertex && m_listPoints.size() >= 8;
}

CRect CPNPolygon::MoveTo(CPoint pt) {
    const CRect oldBounds = GetBoundRect();
    if (HasSelectedPoint() && m_posSelPoint->m_bVertex) {
        m_posSelPoint->m_pt = pt;
        m_ptPos = pt;
        m_posPrevMid->m_pt = Midpoint(m_ptPrevVertex, pt);
        m_posNextMid->m_pt = Midpoint(m_ptNextVertex, pt);
        if (m_posSelPoint == std::prev(m_listPoints.end()))
            m_listPoints.front().m_pt = pt;
    } else if (HasSelectedPoint()) {
        m_posSelPoint->m_pt = pt;
        m_posSelPoint->m_bVertex = true;
        m_ptPos = pt;
        m_posPrevMid = m_listPoints.insert(m_posSelPoint,
                                           CEdgePoint(Midpoint(m_ptPrevVertex, pt), false, false));
        m_posNextMid = m_listPoints.insert(std::next(m_posSelPoint),
                                           CEdgePoint(Midpoint(m_ptNextVertex, pt), false, false));
        const int needed = static_cast<int>(m_listPoints.size()) / 2 + 1;
        if (m_nVertexCapacity < needed)
            SetVertexCapacity(static_cast<int>(m_listPoints.size()) / 2 + 3);
    } else if (!m_listPoints.empty()) {
        const CSize delta = pt - m_ptPos;
        for (CEdgePoint& p : m_listPoints)
            p.m_pt += delta;
        m_ptPos = m_listPoints.front().m_pt;
    }
    RecalcBounds();
    return oldBounds | GetBoundRect();
}

bool CPNPolygon::DeleteSelectedPoint() {
    if (!IsBendSelected())
        return false;
    const auto closing = std::prev(m_listPoints.end());
    if (m_posSelPoint == closing) {
        m_listPoints.pop_front();
        m_listPoints.pop_front();
        CEdgePoint& first = m_listPoints.front();
        first.m_bEnd = true;
        closing->m_pt = first.m_pt;
        std::prev(closing)->m_pt = Midpoint(closing->m_pt, std::prev(closing, 2)->m_pt);
    } else {
        const auto vertex = m_posSelPoint;
        m_listPoints.erase(std::prev(vertex));
        m_listPoints.erase(std::next(vertex));
        vertex->m_pt = Midpoint(std::prev(vertex)->m_pt, std::next(vertex)->m_pt);
        vertex->m_bVertex = false;
    }
    ReleasePoint();
    m_ptPos = m_listPoints.front().m_pt;
    RecalcBounds();
    return true;
}

CRect CPNPolygon::Offset(int dx, int dy) {
    const CRect oldBounds = GetBoundRect();
    for (CEdgePoint& p : m_listPoints)
        p.m_pt.Offset(dx, dy);
    m_ptPos.Offset(dx, dy);
    RecalcBounds();
    return oldBounds | GetBoundRect();
}

void CPNPolygon::Serialize(CArchive& ar) {
    CPNElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteUInt32(m_crLine);
        ar.WriteInt32(m_nLineStyle);
        ar.WriteInt32(m_nLineWidth);
        ar.WriteUInt32(m_crFill);
        ar.WriteInt32(m_nFillMode);
        ar.WriteRect(m_rcBounds);
        WriteEdgePoints(ar, m_listPoints);
    } else {
        m_crLine = ar.ReadUInt32();
        m_nLineStyle = ar.ReadInt32();
        m_nLineWidth = ar.ReadInt32();
        m_crFill = ar.ReadUInt32();
        m_nFillMode = ar.ReadInt32();
        m_rcBounds = ar.ReadRect();
        ReleasePoint();
        ReadEdgePoints(ar, m_listPoints);
        ReallocVertexBuffer();
    }
}

namespace {
struct PolygonFields {
    CPoint pos;
    CEdgePointList points;
    COLORREF line = 0;
    int lineStyle = 0;
    int lineWidth = 0;
    COLORREF fill = 0;
    int fillMode = 0;
    int vertexCapacity = 0;
    CRect bounds;
    bool operator==(const PolygonFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNPolygon::SaveState() const {
    return MakeElementState(PolygonFields{m_ptPos, m_listPoints, m_crLine, m_nLineStyle,
                                          m_nLineWidth, m_crFill, m_nFillMode, m_nVertexCapacity,
                                          m_rcBounds},
                            m_listPoints.size() * (sizeof(CEdgePoint) + 16));
}

void CPNPolygon::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<PolygonFields>(state);
    m_ptPos = fields.pos;
    m_listPoints = fields.points;
    ReleasePoint();
    m_crLine = fields.line;
    m_nLineStyle = fields.lineStyle;
    m_nLineWidth = fields.lineWidth;
    m_crFill = fields.fill;
    m_nFillMode = fields.fillMode;
    SetVertexCapacity(fields.vertexCapacity);
    m_rcBounds = fields.bounds;
    GeometryChanged();
}
