#pragma once

#include "base/CObject.h"

#include <cstddef>
#include <string>
#include <vector>

class CPNCondition;
class CPNCase;

// A set of case graph nodes. The nodes (CPNCase) belong to the case graph, which is
// built on this layer, so the set keeps them as the conditions they derive from:
// Add takes a CPNCase pointer as a CPNCondition pointer, and GetAt gives it back as a
// CPNCase where that class is known. The texts come from the nodes through
// CPNCondition::GetCaseName and GetCaseText, which CPNCase overrides. Ordered by the
// nodes' serial numbers; holds references only.
class CSetCases : public CObject {
public:
    using const_iterator = std::vector<CPNCondition*>::const_iterator;

    CSetCases() = default;
    CSetCases(const CSetCases& other) = default;
    CSetCases& operator=(const CSetCases& other) = default;

    const char* GetClassName() const override { return "CSetCases"; }

    // A null pointer and a member already present are ignored.
    void Add(CPNCondition* node);
    void RemoveAll();
    bool Contains(const CPNCondition* node) const;
    bool IsEmpty() const { return m_set.empty(); }
    bool IsEqual(const CSetCases& other) const;

    // With names: the nodes' names, "{ c1, c2 }"; without: each node's case text in
    // place of its name, "{ { a }, { b, c } }". The empty set gives "{ }".
    std::string ToString(bool names) const;

    std::size_t GetCount() const { return m_set.size(); }
    const_iterator begin() const { return m_set.begin(); }
    const_iterator end() const { return m_set.end(); }
    // The member at the index in set order, as the node class (needs it complete).
    template <class Case = CPNCase> Case* GetAt(std::size_t index) const {
        return static_cast<Case*>(m_set[index]);
    }

private:
    std::vector<CPNCondition*> m_set;
};
