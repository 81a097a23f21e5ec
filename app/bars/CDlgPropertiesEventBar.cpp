#include "app/bars/CDlgPropertiesEventBar.h"

#include "model/CPNEvent.h"

CDlgPropertiesEventBar::CDlgPropertiesEventBar(QWidget* pParent)
    : CDlgPropertiesNameBar(QStringLiteral("Properties - Event"), 2, pParent) {}

void CDlgPropertiesEventBar::SetElement(CPNElement* pElement) {
    m_pEvent = dynamic_cast<CPNEvent*>(pElement);
    FillName(m_pEvent, m_pEvent != nullptr ? m_pEvent->m_pLabel : nullptr);
}
