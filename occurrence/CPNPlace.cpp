#include "occurrence/CPNPlace.h"
#include "base/CArchive.h"
#include "model/CElementState.h"

CPNPlace::CPNPlace(CPNCondition* condition) : CPNCondition(0, 0, nullptr), m_pCondition(condition) {
    if (condition && condition->m_pLabel)
        m_strName = condition->m_pLabel->m_strText;
}

void CPNPlace::Draw(CDC& dc) const {
    CPNCondition::Draw(dc);
    m_label.Draw(dc);
}

CRect CPNPlace::MoveTo(CPoint pt) {
    const CRect oldLabel = m_label.GetBoundRect();
    CRect result = CPNCondition::MoveTo(pt);
    // A long label reaches beyond the circle: repaint it where it was and where it goes.
    result |= oldLabel | m_label.MoveTo(pt);
    return result;
}

void CPNPlace::Serialize(CArchive& ar) {
    CPNCondition::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pCondition);
        ar.WriteBool32(m_bConsumed);
        ar.WriteString(m_strName);
    } else {
        m_pCondition = ar.ReadObject<CPNCondition>();
        m_bConsumed = ar.ReadBool32();
        m_strName = ar.ReadString();
    }
    m_label.Serialize(ar);
}

namespace {
struct PlaceFields {
    CPoint pos;
    CPNLabel::Fields label;
    bool operator==(const PlaceFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNPlace::SaveState() const {
    return MakeElementState(PlaceFields{m_ptPos, m_label.GetFields()},
                            m_label.m_strText.capacity());
}

void CPNPlace::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<PlaceFields>(state);
    m_ptPos = fields.pos;
    m_label.SetFields(fields.label);
    GeometryChanged();
}
