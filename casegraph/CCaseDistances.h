#pragma once

#include "engines/CNodeAdjacency.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// Distances in the case graph counted in steps taken forward or backward: what lies
// near a case, and how far each case lies from the initial one.
class CCaseDistances {
public:
    explicit CCaseDistances(const CNodeAdjacency& forward);

    int GetNodeCount() const { return static_cast<int>(m_first.size()) - 1; }
    // The cases a step leads to or comes from, each once.
    std::span<const int> Neighbours(int node) const;
    // Every case's distance from the node; -1 for a case farther than the limit (or
    // not connected to it).
    std::vector<int> From(int node, int limit = -1) const;
    // The cases at most radius steps from the centre, the centre included, in index
    // order.
    std::vector<int> Within(int centre, int radius) const;
    // From(node, limit) on the steps given, without the lists of neighbours: only the
    // predecessors are listed beside them (half the memory, nothing sorted), for one
    // walk over millions of cases.
    static std::vector<int> From(const CNodeAdjacency& forward, int node, int limit = -1);
    // The cases one single event leads from to a case, told one by one (repeated where
    // two events lead from one case).
    using Predecessors = std::function<void(int node, const std::function<void(int)>& visit)>;
    // From(forward, node, limit), the predecessors asked of the cases within the limit
    // (-1: none) alone (an engine finds them from the case itself): on millions of cases nothing
    // but the distances is kept for a neighbourhood.
    static std::vector<int> Near(const CNodeAdjacency& forward, const Predecessors& predecessors,
                                 int node, int limit);

private:
    std::vector<int> m_first;
    std::vector<int> m_neighbours;
};
