#include "occurrence/CPNPlace.h"

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
