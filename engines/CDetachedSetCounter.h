#pragma once

#include "base/UInt128.h"
#include "engines/CWideMask.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// Counts the steps a case offers without listing them, and finds one by its place in
// the list: the non-empty sets of events with concession no two of which are in
// conflict (share a pre- or a postcondition). The events form a conflict graph and the
// steps are its independent sets; they are counted by splitting the graph into its
// components and branching on the event with the most conflicts, remembering the counts
// of the subgraphs met again. Up to 64 * W events.
template <int W> class CDetachedSetCounter {
public:
    using Mask = CWideMask<W>;

    // conflicts[i] holds j when events i and j are in conflict (i, j < n).
    UInt128 CountNonEmpty(const Mask* conflicts, int n);
    // The step at position k (0-based, below CountNonEmpty) of the order in which the
    // steps are listed: depth first, each set followed by its extensions by later
    // events, except that a whole set of n >= 2 events without conflicts comes last.
    Mask StepAt(const Mask* conflicts, int n, UInt128 k);
    // The first of the largest steps in that order; empty for n = 0.
    Mask FirstLargestStep(const Mask* conflicts, int n);

private:
    // Every set of the events in mask, the empty one included.
    UInt128 Count(Mask mask);
    // The size of the largest set of the events in mask without a conflict.
    int LargestSize(Mask mask);
    // Takes the events without a conflict inside the mask out of it; their number.
    int TakeFree(Mask& mask) const;
    // The event of the mask in conflict with the most others of it (the first of them),
    // to branch on: without it, or with it and without everything in conflict with it.
    int MostConflicted(Mask mask) const;

    const Mask* m_pConflicts = nullptr;
    std::unordered_map<Mask, UInt128, typename Mask::Hasher> m_memo;
    std::unordered_map<Mask, int, typename Mask::Hasher> m_largest;
};

// The same for n events given by whether two are in conflict, in the narrowest width
// that holds them; nothing past 1024 events. The steps as the events' numbers.
struct DetachedSets {
    // What is asked: the number of steps, the step at a position, or the first largest.
    enum class EAsk { Count, At, FirstLargest };
    struct Answer {
        UInt128 count = 0;
        std::vector<int> step;
    };
    template <class Conflict>
    static std::optional<Answer> Ask(int n, const Conflict& conflict, EAsk ask, UInt128 k = 0);

private:
    template <int W, class Conflict>
    static Answer AskIn(int n, const Conflict& conflict, EAsk ask, UInt128 k);
};

template <int W, class Conflict>
DetachedSets::Answer DetachedSets::AskIn(int n, const Conflict& conflict, EAsk ask, UInt128 k) {
    using Mask = CWideMask<W>;
    thread_local std::vector<Mask> conflicts;
    conflicts.assign(static_cast<std::size_t>(n), Mask());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (conflict(i, j)) {
                conflicts[static_cast<std::size_t>(i)] =
                    conflicts[static_cast<std::size_t>(i)] | Mask::Bit(j);
                conflicts[static_cast<std::size_t>(j)] =
                    conflicts[static_cast<std::size_t>(j)] | Mask::Bit(i);
            }
    thread_local CDetachedSetCounter<W> counter;
    Answer answer;
    answer.count = counter.CountNonEmpty(conflicts.data(), n);
    if (ask == EAsk::Count || answer.count == 0)
        return answer;
    const Mask step = ask == EAsk::At ? counter.StepAt(conflicts.data(), n, k % answer.count)
                                      : counter.FirstLargestStep(conflicts.data(), n);
    for (int i = 0; i < n; ++i)
        if (step.Has(i))
            answer.step.push_back(i);
    return answer;
}

template <class Conflict>
std::optional<DetachedSets::Answer> DetachedSets::Ask(int n, const Conflict& conflict, EAsk ask,
                                                      UInt128 k) {
    if (n <= 64)
        return AskIn<1>(n, conflict, ask, k);
    if (n <= 256)
        return AskIn<4>(n, conflict, ask, k);
    if (n <= 1024)
        return AskIn<16>(n, conflict, ask, k);
    return std::nullopt;
}
