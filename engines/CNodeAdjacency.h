#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// The arcs of the case graph as successor lists by node index, so that walks over
// the graph cost time linear in its size.
class CNodeAdjacency {
public:
    // Where a node's list starts among all targets: past 2^31 successors on the
    // largest graphs.
    using Offset = std::int64_t;

    // The arcs by their ends (node indices); arcs whose ends are not both among the nodes
    // are left out.
    CNodeAdjacency(int nodes, std::span<const std::pair<int, int>> arcs);

    // Successor lists given as they are kept: node i's targets are
    // targets[first[i]] ... targets[first[i + 1] - 1]; no node has an element.
    CNodeAdjacency(std::vector<Offset> first, std::vector<int> targets)
        : m_arrFirst(std::move(first)), m_arrTargets(std::move(targets)) {}

    int GetNodeCount() const { return static_cast<int>(m_arrFirst.size()) - 1; }
    // The targets of the node's arcs in arc order, repeated for parallel arcs.
    std::span<const int> Successors(int node) const;

    // The strongly connected components: the component of every node, numbered
    // 0 ... count - 1 so that every arc between two components runs from a higher
    // to a lower number.
    std::vector<int> StronglyConnectedComponents(int& count) const;

private:
    std::vector<Offset> m_arrFirst; // per node, the first entry of m_arrTargets; one extra
    std::vector<int> m_arrTargets;
};
