#include "model/CSetCases.h"

#include "model/CPNCondition.h"
#include "model/SerialOrder.h"

void CSetCases::Add(CPNCondition* node) {
    SerialOrder::Insert(m_set, node);
}

void CSetCases::RemoveAll() {
    m_set.clear();
}

bool CSetCases::Contains(const CPNCondition* node) const {
    return SerialOrder::Contains(m_set, node);
}

bool CSetCases::IsEqual(const CSetCases& other) const {
    return m_set == other.m_set;
}

std::string CSetCases::ToString(bool names) const {
    std::string text = "{ ";
    bool first = true;
    for (const CPNCondition* node : m_set) {
        if (!first)
            text += ", ";
        text += names ? node->GetCaseName() : node->GetCaseText();
        first = false;
    }
    if (!first)
        text += " ";
    return text + "}";
}
