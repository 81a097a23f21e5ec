#include "app/bars/CDlgPropertiesConditionBar.h"

#include "model/CPNCondition.h"
#include "model/CPNLabel.h"

#include <QComboBox>
#include <QFormLayout>

CDlgPropertiesConditionBar::CDlgPropertiesConditionBar(QWidget* pParent)
    : CDlgPropertiesNameBar(QStringLiteral("Properties - Condition"), 3, pParent) {
    m_pToken = new QComboBox(widget());
    SetControlId(m_pToken, IDC_TOKEN);
    m_pToken->addItems({"No", "Yes"});
    GetForm()->addRow("Initial token", m_pToken);
    connect(m_pToken, &QComboBox::activated, this, &CDlgPropertiesConditionBar::OnToken);
}

void CDlgPropertiesConditionBar::SetElement(CPNElement* pElement) {
    m_pCondition = dynamic_cast<CPNCondition*>(pElement);
    UpdateToken();
    FillName(m_pCondition, m_pCondition != nullptr ? m_pCondition->m_pLabel : nullptr);
}

void CDlgPropertiesConditionBar::UpdateToken() {
    m_pToken->setCurrentIndex(m_pCondition == nullptr ? -1 : (m_pCondition->m_bToken ? 1 : 0));
}

void CDlgPropertiesConditionBar::OnToken(int nIndex) {
    if (m_pCondition == nullptr || nIndex < 0)
        return;
    Change(m_pCondition, 0, 0,
           std::string(nIndex == 1 ? "Mark " : "Unmark ") + (m_pCondition->m_pLabel != nullptr
                                                                 ? m_pCondition->m_pLabel->m_strText
                                                                 : "Condition"),
           [this, nIndex] { m_pCondition->m_bToken = nIndex == 1; });
}
