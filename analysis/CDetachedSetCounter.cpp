#include "analysis/CDetachedSetCounter.h"

#include <bit>

namespace {

using Mask = std::uint64_t;

Mask Bit(int i) {
    return Mask{1} << i;
}

} // namespace

UInt128 CDetachedSetCounter::CountNonEmpty(const std::uint64_t* conflicts, int n) {
    m_pConflicts = conflicts;
    m_memo.clear();
    const Mask all = n >= 64 ? ~Mask{0} : Bit(n) - 1;
    return Count(all) - 1;
}

UInt128 CDetachedSetCounter::Count(Mask mask) {
    // Events in conflict with none of the others double the count each.
    int free = 0;
    for (Mask rest = mask; rest; rest &= rest - 1) {
        const int v = std::countr_zero(rest);
        if ((m_pConflicts[v] & mask) == 0) {
            mask &= ~Bit(v);
            ++free;
        }
    }
    const UInt128 factor = UInt128{1} << free;
    if (mask == 0)
        return factor;
    // The component of the lowest event; another component counts on its own.
    Mask component = 0;
    for (Mask frontier = mask & (~mask + 1); frontier;) {
        component |= frontier;
        Mask next = 0;
        for (Mask f = frontier; f; f &= f - 1)
            next |= m_pConflicts[std::countr_zero(f)];
        frontier = next & mask & ~component;
    }
    if (component != mask)
        return factor * Count(component) * Count(mask & ~component);
    if (auto it = m_memo.find(mask); it != m_memo.end())
        return factor * it->second;
    // Branch on the event with the most conflicts: without it, or with it and without
    // everything in conflict with it.
    int best = 0, bestDegree = -1;
    for (Mask rest = mask; rest; rest &= rest - 1) {
        const int v = std::countr_zero(rest);
        const int degree = std::popcount(m_pConflicts[v] & mask);
        if (degree > bestDegree) {
            best = v;
            bestDegree = degree;
        }
    }
    const UInt128 count = Count(mask & ~Bit(best)) + Count(mask & ~Bit(best) & ~m_pConflicts[best]);
    m_memo.emplace(mask, count);
    return factor * count;
}
