#pragma once

#include <cstddef>
#include <span>
#include <unordered_map>
#include <vector>

class CPNCondition;
class CSetConditions;

// For a list of cases: which cases hold each condition. A test that needs a set of
// conditions in a case need only look at the cases holding the set's rarest member;
// over a long net that is a handful instead of all of them.
class CConditionCaseIndex {
public:
    explicit CConditionCaseIndex(std::span<const CSetConditions* const> cases);

    // The indices (ascending) of the only cases that can include the set, or null
    // when every case can (an empty set).
    const std::vector<std::size_t>* CasesThatMayInclude(const CSetConditions& set) const;

private:
    std::unordered_map<const CPNCondition*, std::vector<std::size_t>> m_mapCases;
    std::vector<std::size_t> m_arrNone;
};
