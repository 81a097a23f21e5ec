#include "model/CSetEvents.h"

#include "base/CArchive.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/SerialOrder.h"

void CSetEvents::Add(CPNEvent* event) {
    SerialOrder::Insert(m_set, event);
}

void CSetEvents::RemoveAll() {
    m_set.clear();
}

bool CSetEvents::Contains(const CPNEvent* event) const {
    return SerialOrder::Contains(m_set, event);
}

bool CSetEvents::IsEqual(const CSetEvents& other) const {
    return m_set == other.m_set;
}

std::string CSetEvents::ToString() const {
    std::string text = "{ ";
    bool first = true;
    for (const CPNEvent* e : m_set) {
        if (!e->m_pLabel)
            continue;
        if (!first)
            text += ", ";
        text += e->m_pLabel->m_strText;
        first = false;
    }
    if (!first)
        text += " ";
    return text + "}";
}

CPNEvent* CSetEvents::GetNext() {
    if (m_posIter >= m_set.size())
        return nullptr;
    return m_set[m_posIter++];
}

void CSetEvents::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32Count(m_set.size());
        for (const CPNEvent* member : m_set)
            ar.WriteObject(member);
        return;
    }
    RemoveAll();
    // Every reference takes at least its 16-bit tag.
    const std::size_t count = ar.ReadInt32Count(2);
    for (std::size_t i = 0; i < count; ++i) {
        CPNEvent* member = ar.ReadObject<CPNEvent>();
        if (!member || Contains(member))
            throw CArchiveException(CArchiveException::Cause::InconsistentStructure,
                                    "null or repeated event in a set");
        Add(member);
    }
}
