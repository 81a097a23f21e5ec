#include "occurrence/CPNOccurrence.h"

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
