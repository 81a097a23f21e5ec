#pragma once

#include "base/UInt128.h"

#include <cstdint>
#include <unordered_map>

// Counts the steps a case offers without listing them: the non-empty sets of events
// with concession no two of which are in conflict (share a pre- or a postcondition).
// The events form a conflict graph and the steps are its independent sets; they are
// counted by splitting the graph into its components and branching on the event with
// the most conflicts, remembering the counts of the subgraphs met again.
class CDetachedSetCounter {
public:
    // conflicts[i] has bit j set when events i and j are in conflict (i, j < n <= 64).
    UInt128 CountNonEmpty(const std::uint64_t* conflicts, int n);

private:
    // Every set of the events in mask, the empty one included.
    UInt128 Count(std::uint64_t mask);

    const std::uint64_t* m_pConflicts = nullptr;
    std::unordered_map<std::uint64_t, UInt128> m_memo;
};
