#include "engines/CDetachedSetCounter.h"

#include <algorithm>

template <int W> int CDetachedSetCounter<W>::TakeFree(Mask& mask) const {
    int free = 0;
    for (Mask rest = mask; !rest.Empty();) {
        const int v = rest.Lowest();
        rest = rest & ~Mask::Bit(v);
        if ((m_pConflicts[v] & mask).Empty()) {
            mask = mask & ~Mask::Bit(v);
            ++free;
        }
    }
    return free;
}

template <int W> UInt128 CDetachedSetCounter<W>::CountNonEmpty(const Mask* conflicts, int n) {
    m_pConflicts = conflicts;
    m_memo.clear();
    m_largest.clear();
    return Count(Mask::All(n)) - 1;
}

template <int W> UInt128 CDetachedSetCounter<W>::Count(Mask mask) {
    // Events in conflict with none of the others double the count each.
    const int free = TakeFree(mask);
    // (Past 2^128 steps a count would not be kept: it stops at the largest it holds.)
    const UInt128 factor = free >= 128 ? ~UInt128{0} : UInt128{1} << free;
    if (mask.Empty())
        return factor;
    // The component of the lowest event; another component counts on its own.
    Mask component;
    for (Mask frontier = Mask::Bit(mask.Lowest()); !frontier.Empty();) {
        component = component | frontier;
        Mask next;
        for (Mask f = frontier; !f.Empty();) {
            const int v = f.Lowest();
            f = f & ~Mask::Bit(v);
            next = next | m_pConflicts[v];
        }
        frontier = next & mask & ~component;
    }
    if (!(component == mask))
        return factor * Count(component) * Count(mask & ~component);
    if (auto it = m_memo.find(mask); it != m_memo.end())
        return factor * it->second;
    // Branch on the event with the most conflicts: without it, or with it and without
    // everything in conflict with it.
    const int best = MostConflicted(mask);
    const Mask without = mask & ~Mask::Bit(best);
    const UInt128 count = Count(without) + Count(without & ~m_pConflicts[best]);
    m_memo.emplace(mask, count);
    return factor * count;
}

template <int W>
typename CDetachedSetCounter<W>::Mask CDetachedSetCounter<W>::StepAt(const Mask* conflicts, int n,
                                                                     UInt128 k) {
    const UInt128 total = CountNonEmpty(conflicts, n);
    const Mask all = Mask::All(n);
    if (n >= 2 && n < 128 && total + 1 == UInt128{1} << n) {
        // No conflicts: the whole set is listed last, not after the chain 0, 01, 012, ...
        if (k + 1 == total)
            return all;
        if (k >= static_cast<UInt128>(n - 1))
            ++k;
    }
    // Depth first: the set so far, then the subtree of each later event in turn, each
    // subtree as large as the sets of its candidates (the empty one standing for the
    // subtree's own set).
    Mask step, candidates = all;
    for (;;) {
        bool descended = false;
        for (Mask rest = candidates; !rest.Empty();) {
            const int j = rest.Lowest();
            rest = rest & ~Mask::Bit(j);
            const Mask below = candidates & Mask::After(j) & ~m_pConflicts[j];
            const UInt128 size = Count(below);
            if (k < size) {
                step = step | Mask::Bit(j);
                if (k == 0)
                    return step;
                --k;
                candidates = below;
                descended = true;
                break;
            }
            k -= size;
        }
        if (!descended)
            return step;
    }
}

template <int W>
typename CDetachedSetCounter<W>::Mask
CDetachedSetCounter<W>::FirstLargestStep(const Mask* conflicts, int n) {
    CountNonEmpty(conflicts, n);
    Mask step, candidates = Mask::All(n);
    for (int need = LargestSize(candidates); need > 0; --need)
        for (Mask rest = candidates; !rest.Empty();) {
            const int j = rest.Lowest();
            rest = rest & ~Mask::Bit(j);
            const Mask below = candidates & Mask::After(j) & ~m_pConflicts[j];
            if (1 + LargestSize(below) == need) {
                step = step | Mask::Bit(j);
                candidates = below;
                break;
            }
        }
    return step;
}

template <int W> int CDetachedSetCounter<W>::MostConflicted(Mask mask) const {
    int best = 0, bestDegree = -1;
    for (Mask rest = mask; !rest.Empty();) {
        const int v = rest.Lowest();
        rest = rest & ~Mask::Bit(v);
        const int degree = (m_pConflicts[v] & mask).Count();
        if (degree > bestDegree) {
            best = v;
            bestDegree = degree;
        }
    }
    return best;
}

template <int W> int CDetachedSetCounter<W>::LargestSize(Mask mask) {
    const int free = TakeFree(mask);
    if (mask.Empty())
        return free;
    if (auto it = m_largest.find(mask); it != m_largest.end())
        return free + it->second;
    const int best = MostConflicted(mask);
    const Mask without = mask & ~Mask::Bit(best);
    const int size = std::max(LargestSize(without), 1 + LargestSize(without & ~m_pConflicts[best]));
    m_largest.emplace(mask, size);
    return free + size;
}

template class CDetachedSetCounter<1>;
template class CDetachedSetCounter<4>;
template class CDetachedSetCounter<16>;
