#pragma once

#include "analysis/CStepRecord.h"

#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

class CPNCase;
class CPNElement;

// The arcs of the case graph as successor lists by node index, so that walks over
// the graph cost time linear in its size.
class CNodeAdjacency {
public:
    // Arcs whose ends are not both among the nodes are left out.
    CNodeAdjacency(const std::vector<CPNCase*>& nodes, std::span<const CStepRecord> arcs);

    // Successor lists given as they are kept: node i's targets are
    // targets[first[i]] ... targets[first[i + 1] - 1]; no node has an element.
    CNodeAdjacency(std::vector<int> first, std::vector<int> targets)
        : m_arrFirst(std::move(first)), m_arrTargets(std::move(targets)) {}

    int GetNodeCount() const { return static_cast<int>(m_arrFirst.size()) - 1; }
    // The index of the node, -1 for an element that is not one of them.
    int IndexOf(const CPNElement* node) const;
    // The targets of the node's arcs in arc order, repeated for parallel arcs.
    std::span<const int> Successors(int node) const;

    // The strongly connected components: the component of every node, numbered
    // 0 ... count - 1 so that every arc between two components runs from a higher
    // to a lower number.
    std::vector<int> StronglyConnectedComponents(int& count) const;

private:
    std::unordered_map<const CPNElement*, int> m_mapIndex;
    std::vector<int> m_arrFirst; // per node, the first entry of m_arrTargets; one extra
    std::vector<int> m_arrTargets;
};
