#include "casegraph/CEventSetPool.h"

#include <functional>

std::size_t CEventSetPool::Hash(const CSetEvents& events) {
    std::size_t h = events.GetCount();
    for (const CPNEvent* event : events)
        h = (h ^ std::hash<const CPNEvent*>{}(event)) * 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

void CEventSetPool::Grow() {
    const std::size_t size = m_arrTable.empty() ? 64 : 2 * m_arrTable.size();
    m_arrTable.assign(size, 0);
    for (std::size_t i = 0; i < m_arrSets.size(); ++i) {
        std::size_t slot = m_arrHashes[i] & (size - 1);
        while (m_arrTable[slot] != 0)
            slot = (slot + 1) & (size - 1);
        m_arrTable[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::uint32_t CEventSetPool::Add(const CSetEvents& events) {
    if (2 * (m_arrSets.size() + 1) > m_arrTable.size())
        Grow();
    const std::size_t hash = Hash(events);
    const std::size_t mask = m_arrTable.size() - 1;
    std::size_t slot = hash & mask;
    while (const std::uint32_t entry = m_arrTable[slot]) {
        if (m_arrHashes[entry - 1] == hash && m_arrSets[entry - 1].IsEqual(events))
            return entry - 1;
        slot = (slot + 1) & mask;
    }
    m_arrSets.push_back(events);
    m_arrHashes.push_back(hash);
    m_arrTable[slot] = static_cast<std::uint32_t>(m_arrSets.size());
    return static_cast<std::uint32_t>(m_arrSets.size() - 1);
}

void CEventSetPool::Clear() {
    m_arrSets.clear();
    m_arrHashes.clear();
    m_arrTable.clear();
}

std::vector<std::string> CEventSetPool::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(m_arrSets.size());
    for (const CSetEvents& events : m_arrSets)
        texts.push_back(events.ToString());
    return texts;
}
