#pragma once

#include "base/CObject.h"

#include <cstddef>
#include <string>
#include <vector>

class CPNCondition;

// A set of conditions: a case, or the pre- or post-set of an event. Holds references
// only, ordered by the conditions' serial numbers; copying copies the references.
class CSetConditions : public CObject {
public:
    using const_iterator = std::vector<CPNCondition*>::const_iterator;

    CSetConditions() = default;
    CSetConditions(const CSetConditions& other) = default;
    CSetConditions& operator=(const CSetConditions& other) = default;

    const char* GetClassName() const override { return "CSetConditions"; }
    // The member count, then one reference per member in set order. Reading empties
    // the set first; a null or repeated member is refused.
    void Serialize(CArchive& ar) override;

    // A null pointer and a member already present are ignored.
    void Add(CPNCondition* condition);
    void RemoveAll();
    bool Contains(const CPNCondition* condition) const;
    bool IsEmpty() const { return m_set.empty(); }
    bool IsEqual(const CSetConditions& other) const;

    // This set becomes this set united with the other.
    void Union(const CSetConditions& other);
    // This set loses the members of the other.
    void Subtract(const CSetConditions& other);
    // The common members; this set is unchanged.
    CSetConditions Intersect(const CSetConditions& other) const;
    // Every member of the other is a member of this set.
    bool Includes(const CSetConditions& other) const;
    // The two sets have a common member.
    bool Meets(const CSetConditions& other) const;

    // Concession of an event with the given pre- and post-set in this case: forward,
    // pre is held and no condition of post; backward, post is held and none of pre.
    bool HasConcession(const CSetConditions& pre, const CSetConditions& post, bool forward) const;
    // A contact situation in this case: one of the two sets is held while the other
    // is partly held. Symmetric in its arguments.
    bool IsContact(const CSetConditions& a, const CSetConditions& b) const;

    // The names of the members in set order: "{ a, b }", "{}" when empty; without the
    // braces "a, b " and the empty text. Members without a name label are left out.
    std::string ToString(bool noBraces) const;

    // The cursor: ResetIteration puts it on the first member, GetNext returns the
    // member under it and advances it, null after the last. Changing the members
    // invalidates it until the next ResetIteration.
    void ResetIteration() { m_posIter = 0; }
    CPNCondition* GetNext();

    std::size_t GetCount() const { return m_set.size(); }
    const_iterator begin() const { return m_set.begin(); }
    const_iterator end() const { return m_set.end(); }

private:
    std::vector<CPNCondition*> m_set;
    std::size_t m_posIter = 0;
};
