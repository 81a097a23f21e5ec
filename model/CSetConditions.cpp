#include "model/CSetConditions.h"

#include "base/CArchive.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "model/SerialOrder.h"

void CSetConditions::Add(CPNCondition* condition) {
    SerialOrder::Insert(m_set, condition);
}

void CSetConditions::RemoveAll() {
    m_set.clear();
}

bool CSetConditions::Contains(const CPNCondition* condition) const {
    return SerialOrder::Contains(m_set, condition);
}

bool CSetConditions::IsEqual(const CSetConditions& other) const {
    return m_set == other.m_set;
}

void CSetConditions::Union(const CSetConditions& other) {
    m_set = SerialOrder::Union(m_set, other.m_set);
}

void CSetConditions::Subtract(const CSetConditions& other) {
    m_set = SerialOrder::Difference(m_set, other.m_set);
}

CSetConditions CSetConditions::Intersect(const CSetConditions& other) const {
    CSetConditions result;
    result.m_set = SerialOrder::Intersection(m_set, other.m_set);
    return result;
}

bool CSetConditions::Includes(const CSetConditions& other) const {
    return SerialOrder::Includes(m_set, other.m_set);
}

bool CSetConditions::Meets(const CSetConditions& other) const {
    return SerialOrder::Meet(m_set, other.m_set);
}

bool CSetConditions::HasConcession(const CSetConditions& pre, const CSetConditions& post,
                                   bool forward) const {
    if (forward)
        return Includes(pre) && !Meets(post);
    return Includes(post) && !Meets(pre);
}

bool CSetConditions::IsContact(const CSetConditions& a, const CSetConditions& b) const {
    return (Includes(a) && Meets(b)) || (Includes(b) && Meets(a));
}

std::string CSetConditions::ToString(bool noBraces) const {
    std::string text = noBraces ? "" : "{";
    bool first = true;
    for (const CPNCondition* c : m_set) {
        if (!c->m_pLabel)
            continue;
        if (!first)
            text += ",";
        if (!(noBraces && first))
            text += " ";
        text += c->m_pLabel->m_strText;
        first = false;
    }
    if (!first)
        text += " ";
    if (!noBraces)
        text += "}";
    return text;
}

CPNCondition* CSetConditions::GetNext() {
    if (m_posIter >= m_set.size())
        return nullptr;
    return m_set[m_posIter++];
}

void CSetConditions::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32Count(m_set.size());
        for (const CPNCondition* member : m_set)
            ar.WriteObject(member);
        return;
    }
    RemoveAll();
    // Every reference takes at least its 16-bit tag.
    const std::size_t count = ar.ReadInt32Count(2);
    for (std::size_t i = 0; i < count; ++i) {
        CPNCondition* member = ar.ReadObject<CPNCondition>();
        if (!member || Contains(member))
            throw CArchiveException(CArchiveException::Cause::InconsistentStructure,
                                    "null or repeated condition in a set");
        Add(member);
    }
}
