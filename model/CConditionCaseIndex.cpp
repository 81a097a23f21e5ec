#include "model/CConditionCaseIndex.h"

#include "model/CSetConditions.h"

CConditionCaseIndex::CConditionCaseIndex(std::span<const CSetConditions* const> cases) {
    for (std::size_t i = 0; i < cases.size(); ++i)
        if (cases[i])
            for (const CPNCondition* c : *cases[i])
                m_mapCases[c].push_back(i);
}

const std::vector<std::size_t>*
CConditionCaseIndex::CasesThatMayInclude(const CSetConditions& set) const {
    if (set.IsEmpty())
        return nullptr;
    const std::vector<std::size_t>* rarest = nullptr;
    for (const CPNCondition* c : set) {
        const auto it = m_mapCases.find(c);
        if (it == m_mapCases.end())
            return &m_arrNone;
        if (!rarest || it->second.size() < rarest->size())
            rarest = &it->second;
    }
    return rarest;
}
