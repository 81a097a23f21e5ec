#pragma once

#include "base/CObject.h"

#include <cstddef>
#include <string>
#include <vector>

class CPNEvent;

// A set of events: a step, or the pre- or post-set of a condition. Holds references
// only, ordered by the events' serial numbers; copying copies the references.
class CSetEvents : public CObject {
public:
    using const_iterator = std::vector<CPNEvent*>::const_iterator;

    CSetEvents() = default;
    CSetEvents(const CSetEvents& other) = default;
    CSetEvents& operator=(const CSetEvents& other) = default;

    const char* GetClassName() const override { return "CSetEvents"; }
    // The member count, then one reference per member in set order. Reading empties
    // the set first; a null or repeated member is refused.
    void Serialize(CArchive& ar) override;

    // A null pointer and a member already present are ignored.
    void Add(CPNEvent* event);
    void RemoveAll();
    bool Contains(const CPNEvent* event) const;
    bool IsEmpty() const { return m_set.empty(); }
    bool IsEqual(const CSetEvents& other) const;

    // The names of the members in set order: "{ e1, e2 }", "{ }" when empty. Members
    // without a name label are left out.
    std::string ToString() const;

    // The cursor, as for condition sets.
    void ResetIteration() { m_posIter = 0; }
    CPNEvent* GetNext();

    std::size_t GetCount() const { return m_set.size(); }
    const_iterator begin() const { return m_set.begin(); }
    const_iterator end() const { return m_set.end(); }

private:
    std::vector<CPNEvent*> m_set;
    std::size_t m_posIter = 0;
};
