#pragma once

#include "model/CSetEvents.h"

#include <cstdint>
#include <string>
#include <vector>

// The distinct event sets of the case graph's steps, each kept once: a graph of a
// million steps fires a few thousand different sets. Sets are numbered in the order
// they are first added.
class CEventSetPool {
public:
    // The number of the set, added when it is new.
    std::uint32_t Add(const CSetEvents& events);
    const CSetEvents& operator[](std::uint32_t index) const { return m_arrSets[index]; }
    std::size_t GetCount() const { return m_arrSets.size(); }
    // The sets' texts ("{ e1, e2 }") by number, as the events are named now.
    std::vector<std::string> Texts() const;
    void Clear();

private:
    static std::size_t Hash(const CSetEvents& events);
    void Grow();

    std::vector<CSetEvents> m_arrSets;
    std::vector<std::size_t> m_arrHashes;
    // Open addressing: a set's number plus one, 0 for an empty slot.
    std::vector<std::uint32_t> m_arrTable;
};
