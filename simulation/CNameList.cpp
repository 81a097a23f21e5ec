#include "simulation/CNameList.h"

#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

void CNameList::Append(const std::string& item) {
    if (!m_bEmpty)
        m_strText += ",";
    m_strText += " ";
    m_strText += item;
    m_bEmpty = false;
}

std::string CNameList::NameOf(const CPNElement* element) {
    const CPNLabel* label = nullptr;
    if (auto* condition = dynamic_cast<const CPNCondition*>(element))
        label = condition->m_pLabel;
    else if (auto* event = dynamic_cast<const CPNEvent*>(element))
        label = event->m_pLabel;
    return label ? label->m_strText : std::string();
}
