#include "casegraph/CPNCase.h"

#include "base/CArchive.h"
#include "base/CBrush.h"
#include "model/CElementState.h"
#include "model/CPropertiesHost.h"

namespace {

const CBrush* CurrentBrush() {
    static const CBrush brush(RGB(255, 0, 0));
    return &brush;
}

const CBrush* InitialBrush() {
    static const CBrush brush(RGB(100, 100, 255));
    return &brush;
}

const CBrush* ReachableBrush() {
    static const CBrush brush(RGB(64, 255, 0));
    return &brush;
}

// Where a case's name is read: in the circle when it fits the room inside, else below
// the circle, clear of it.
CPoint NamePoint(CPoint centre, const CRect& name) {
    // The condition's circle, and the room inside it that a name may take.
    constexpr int kCircle = 15;
    constexpr int kRoom = 2 * kCircle - 4;
    if (name.Width() <= kRoom)
        return centre;
    return CPoint(centre.x, centre.y + kCircle + 2 + (name.Height() + 1) / 2);
}

} // namespace

const CPen* CPNCase::PathPen() {
    static const CPen pen(PS_SOLID, 3, RGB(255, 128, 0));
    return &pen;
}

const CPen* CPNCase::LoopPen() {
    static const CPen pen(PS_SOLID, 3, RGB(160, 32, 240));
    return &pen;
}

CPNCase::CPNCase() : CPNCondition(0, 0, nullptr) {
    m_label.m_pOwner = this;
}

CPNCase::CPNCase(const CSetConditions& conditions)
    : CPNCondition(0, 0, nullptr), m_setConditions(conditions),
      m_strConditions(conditions.ToString(false)) {
    m_label.m_pOwner = this;
}

void CPNCase::Draw(CDC& dc, bool named) const {
    CPNCondition::Draw(dc);
    const CBrush* fill = nullptr;
    if (m_bCurrent)
        fill = CurrentBrush();
    else if (m_bShowReachability)
        fill = m_bInitial ? InitialBrush() : m_bReachable ? ReachableBrush() : nullptr;
    if (fill) {
        const CBrush* oldBrush = dc.SelectObject(fill);
        dc.Ellipse(m_ptPos.x - 15, m_ptPos.y - 15, m_ptPos.x + 15, m_ptPos.y + 15);
        dc.SelectObject(oldBrush);
    }
    if (m_bOnPath) {
        const CPen* oldPen = dc.SelectObject(m_bOnLoop ? LoopPen() : PathPen());
        const CBrush* oldBrush = dc.SelectStockBrush(HOLLOW_BRUSH);
        dc.Ellipse(m_ptPos.x - 17, m_ptPos.y - 17, m_ptPos.x + 17, m_ptPos.y + 17);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
    if (named)
        m_label.Draw(dc);
}

CRect CPNCase::MoveTo(CPoint pt) {
    CRect result = CPNCondition::MoveTo(pt);
    // A long name is wider than the circle: its old and new place need repainting too.
    // The name in the circle when it fits, else below it, clear of it.
    result |= m_label.MoveTo(NamePoint(m_ptPos, m_label.m_rcText));
    return result;
}

void CPNCase::ShowProperties(CPropertiesHost& host) {
    host.ShowPropertiesPage(PAGE_HIDE, this);
}

void CPNCase::Serialize(CArchive& ar) {
    CPNCondition::Serialize(ar);
    m_setConditions.Serialize(ar);
    m_label.Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteBool32(m_bReachable);
        ar.WriteBool32(m_bInitial);
    } else {
        m_bReachable = ar.ReadBool32();
        m_bInitial = ar.ReadBool32();
        UpdateConditionsText();
    }
}

namespace {
struct CaseFields {
    CPoint pos;
    CPNLabel::Fields label;
    bool operator==(const CaseFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNCase::SaveState() const {
    return MakeElementState(CaseFields{m_ptPos, m_label.GetFields()}, m_label.m_strText.capacity());
}

void CPNCase::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<CaseFields>(state);
    m_ptPos = fields.pos;
    m_label.SetFields(fields.label);
    GeometryChanged();
}
