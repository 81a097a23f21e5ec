#include "model/CPNCondition.h"

#include "model/CPropertiesHost.h"
#include "model/RouteGeometry.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
#include <cmath>

namespace {

constexpr int kRadius = 15;

const CPen* TokenPen() {
    static const CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    return &pen;
}

const CBrush* TokenBrush() {
    static const CBrush brush(RGB(0, 0, 255));
    return &brush;
}

} // namespace

CPNCondition::CPNCondition(int x, int y, CPNLabel* label) : CPNElement(x, y), m_pLabel(label) {
    if (m_pLabel)
        m_pLabel->MoveTo(CPoint(x, y - 30));
}

void CPNCondition::Draw(CDC& dc) const {
    const int x = m_ptPos.x, y = m_ptPos.y;
    if (m_bSelected)
        DrawSelectionMarks(dc, x, y, 12, 12);
    dc.Ellipse(x - kRadius, y - kRadius, x + kRadius, y + kRadius);
    if (m_bToken || m_bMarked) {
        const CPen* oldPen = dc.SelectObject(TokenPen());
        // A marked condition without token shows a ring: its token is on the way.
        const CBrush* oldBrush = m_bMarked ? nullptr : dc.SelectObject(TokenBrush());
        dc.Ellipse(x - 4, y - 4, x + 4, y + 4);
        if (oldBrush)
            dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
}

CRect CPNCondition::MoveTo(CPoint pt) {
    const CSize delta = pt - m_ptPos;
    CRect result = GetBoundRect();
    GeometryChanged();
    m_ptPos = pt;
    result |= GetBoundRect();
    if (m_pLabel) {
        result |= m_pLabel->GetBoundRect();
        result |= m_pLabel->MoveTo(m_pLabel->m_ptPos + delta);
    }
    return result;
}

CPoint CPNCondition::GetBorderPoint(CPoint toward) const {
    return BorderPointOf(m_ptPos, toward);
}

CPoint CPNCondition::BorderPointOf(CPoint centre, CPoint toward) {
    const int x = centre.x, y = centre.y;
    const double dx = toward.x - x, dy = toward.y - y;
    if (dx == 0.0 && dy == 0.0)
        return centre;
    const double k = std::sqrt(kRadius * kRadius / (dx * dx + dy * dy));
    const CPoint first(RouteGeometry::Trunc(x + dx * k), RouteGeometry::Trunc(y + dy * k));
    CRect span(centre, toward);
    span.NormalizeRect();
    span.InflateRect(1, 1);
    if (span.PtInRect(first))
        return first;
    return CPoint(RouteGeometry::Trunc(x - dx * k), RouteGeometry::Trunc(y - dy * k));
}

bool CPNCondition::HitTest(CPoint pt) const {
    return CircleHolds(m_ptPos, pt);
}

bool CPNCondition::CircleHolds(CPoint centre, CPoint pt) {
    const long long dx = pt.x - centre.x, dy = pt.y - centre.y;
    return dx * dx + dy * dy <= kRadius * kRadius;
}

CRect CPNCondition::GetBoundRect() const {
    return CRect(m_ptPos.x - 21, m_ptPos.y - 21, m_ptPos.x + 21, m_ptPos.y + 21);
}

void CPNCondition::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_CONDITION, this);
}

void CPNCondition::Serialize(CArchive& ar) {
    CPNElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteBool32(m_bToken);
        ar.WriteObject(m_pLabel);
    } else {
        m_bToken = ar.ReadBool32();
        m_pLabel = ar.ReadObject<CPNLabel>();
    }
}

namespace {
struct ConditionFields {
    CPoint pos;
    bool token = false;
    CPNLabel* label = nullptr;
    bool operator==(const ConditionFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNCondition::SaveState() const {
    return MakeElementState(ConditionFields{m_ptPos, m_bToken, m_pLabel});
}

void CPNCondition::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<ConditionFields>(state);
    m_ptPos = fields.pos;
    m_bToken = fields.token;
    m_pLabel = fields.label;
    GeometryChanged();
}
