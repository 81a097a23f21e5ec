#include "model/CPNEvent.h"

#include "base/CArchive.h"
#include "model/CElementState.h"
#include "model/CPropertiesHost.h"
#include "model/RouteGeometry.h"

namespace {

const CPen* NormalPen() {
    static const CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return &pen;
}

const CPen* EnabledPen() {
    static const CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
    return &pen;
}

const CPen* HighlightPen() {
    static const CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    return &pen;
}

} // namespace

CPNEvent::CPNEvent(int x, int y, CPNLabel* label) : CPNElement(x, y), m_pLabel(label) {
    if (m_pLabel)
        m_pLabel->MoveTo(CPoint(x, y - 30));
    RecalcBox();
}

void CPNEvent::RecalcBox() {
    const int x = m_ptPos.x, y = m_ptPos.y;
    m_rcBox.SetRect(x - 16, y - 16, x + 16, y + 16);
    m_segBorder[0] = {x - 16, y - 15, 31, 0};
    m_segBorder[1] = {x + 15, y - 15, 0, 30};
    m_segBorder[2] = {x + 15, y + 15, -31, 0};
    m_segBorder[3] = {x - 16, y + 15, 0, -30};
}

void CPNEvent::Draw(CDC& dc) const {
    const int x = m_ptPos.x, y = m_ptPos.y;
    if (m_bSelected)
        DrawSelectionMarks(dc, x, y, 15, 15);
    const CPen* pen = m_bEnabled ? EnabledPen() : m_bHighlight ? HighlightPen() : NormalPen();
    const CPen* oldPen = dc.SelectObject(pen);
    dc.Rectangle(x - 15, y - 15, x + 15, y + 15);
    dc.SelectObject(oldPen);
}

CRect CPNEvent::MoveTo(CPoint pt) {
    const CSize delta = pt - m_ptPos;
    CRect result = GetBoundRect();
    GeometryChanged();
    m_ptPos = pt;
    RecalcBox();
    result |= GetBoundRect();
    if (m_pLabel) {
        result |= m_pLabel->GetBoundRect();
        result |= m_pLabel->MoveTo(m_pLabel->m_ptPos + delta);
    }
    return result;
}

CPoint CPNEvent::GetBorderPoint(CPoint toward) const {
    const int x = m_ptPos.x, y = m_ptPos.y;
    const int dx = toward.x - x, dy = toward.y - y;
    CRect span(m_ptPos, toward);
    span.NormalizeRect();
    span.InflateRect(1, 1);
    CPoint result = m_ptPos;
    for (const BorderSegment& s : m_segBorder) {
        const long long d = static_cast<long long>(s.dx) * dy - static_cast<long long>(s.dy) * dx;
        if (d == 0)
            continue;
        const long long n =
            static_cast<long long>(s.y - y) * dx - static_cast<long long>(s.x - x) * dy;
        const double u = static_cast<double>(n) / static_cast<double>(d);
        if (u < 0.0 || u > 1.0)
            continue;
        result = CPoint(RouteGeometry::Trunc(s.x + s.dx * u), RouteGeometry::Trunc(s.y + s.dy * u));
        if (span.PtInRect(result))
            break;
    }
    return result;
}

bool CPNEvent::HitTest(CPoint pt) const {
    return m_rcBox.PtInRect(pt);
}

CRect CPNEvent::GetBoundRect() const {
    CRect r = m_rcBox;
    r.InflateRect(6, 6);
    return r;
}

void CPNEvent::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_EVENT, this);
}

bool CPNEvent::UpdateEnabled(const CSetConditions& currentCase, bool forward) {
    m_bEnabled = currentCase.HasConcession(m_setPreConditions, m_setPostConditions, forward);
    return m_bEnabled;
}

void CPNEvent::Serialize(CArchive& ar) {
    CPNElement::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pLabel);
    } else {
        m_pLabel = ar.ReadObject<CPNLabel>();
        RecalcBox();
    }
}

namespace {
struct EventFields {
    CPoint pos;
    CPNLabel* label = nullptr;
    bool operator==(const EventFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNEvent::SaveState() const {
    return MakeElementState(EventFields{m_ptPos, m_pLabel});
}

void CPNEvent::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<EventFields>(state);
    m_ptPos = fields.pos;
    m_pLabel = fields.label;
    RecalcBox();
    GeometryChanged();
}
