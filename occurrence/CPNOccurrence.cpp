#include "occurrence/CPNOccurrence.h"
#include "base/CArchive.h"
#include "model/CElementState.h"

CPNOccurrence::CPNOccurrence(CPNEvent* event) : CPNEvent(0, 0, nullptr), m_pEvent(event) {
    if (event && event->m_pLabel)
        m_strName = event->m_pLabel->m_strText;
}

void CPNOccurrence::Draw(CDC& dc) const {
    CPNEvent::Draw(dc);
    m_label.Draw(dc);
}

CRect CPNOccurrence::MoveTo(CPoint pt) {
    const CRect oldLabel = m_label.GetBoundRect();
    CRect result = CPNEvent::MoveTo(pt);
    result |= oldLabel | m_label.MoveTo(pt);
    return result;
}

void CPNOccurrence::Serialize(CArchive& ar) {
    CPNEvent::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteObject(m_pEvent);
        ar.WriteString(m_strName);
        ar.WriteInt32(m_nOutputs);
        ar.WriteInt32(m_nInputs);
    } else {
        m_pEvent = ar.ReadObject<CPNEvent>();
        m_strName = ar.ReadString();
        m_nOutputs = ar.ReadInt32();
        m_nInputs = ar.ReadInt32();
    }
    m_label.Serialize(ar);
}

namespace {
struct OccurrenceFields {
    CPoint pos;
    CPNLabel::Fields label;
    bool operator==(const OccurrenceFields&) const = default;
};
} // namespace

std::unique_ptr<CElementState> CPNOccurrence::SaveState() const {
    return MakeElementState(OccurrenceFields{m_ptPos, m_label.GetFields()},
                            m_label.m_strText.capacity());
}

void CPNOccurrence::RestoreState(const CElementState& state) {
    const auto& fields = FieldsOfState<OccurrenceFields>(state);
    m_ptPos = fields.pos;
    RecalcBox();
    m_label.SetFields(fields.label);
    GeometryChanged();
}
