#include "engines/CNodeAdjacency.h"

#include <algorithm>
#include <cstddef>

namespace {

std::size_t At(std::int64_t i) {
    return static_cast<std::size_t>(i);
}

} // namespace

CNodeAdjacency::CNodeAdjacency(int n, std::span<const std::pair<int, int>> arcs) {
    std::vector<std::pair<int, int>> ends;
    ends.reserve(arcs.size());
    for (const auto& [from, to] : arcs)
        if (from >= 0 && from < n && to >= 0 && to < n)
            ends.emplace_back(from, to);
    m_arrFirst.assign(At(n + 1), 0);
    for (const auto& e : ends)
        ++m_arrFirst[At(e.first + 1)];
    for (int i = 0; i < n; ++i)
        m_arrFirst[At(i + 1)] += m_arrFirst[At(i)];
    m_arrTargets.resize(ends.size());
    std::vector<Offset> fill(m_arrFirst.begin(), m_arrFirst.end() - 1);
    for (const auto& e : ends)
        m_arrTargets[At(fill[At(e.first)]++)] = e.second;
}

std::span<const int> CNodeAdjacency::Successors(int node) const {
    return std::span<const int>(m_arrTargets)
        .subspan(At(m_arrFirst[At(node)]), At(m_arrFirst[At(node + 1)] - m_arrFirst[At(node)]));
}

std::vector<int> CNodeAdjacency::StronglyConnectedComponents(int& count) const {
    // Tarjan's algorithm with an explicit stack: a component is complete when its
    // root is left, after every component it reaches.
    const int n = GetNodeCount();
    std::vector<int> component(At(n), -1);
    std::vector<int> order(At(n), -1);
    std::vector<int> low(At(n), 0);
    std::vector<int> open;
    struct Frame {
        int node;
        Offset next;
    };
    std::vector<Frame> calls;
    int counter = 0;
    count = 0;
    for (int root = 0; root < n; ++root) {
        if (order[At(root)] >= 0)
            continue;
        calls.push_back({root, m_arrFirst[At(root)]});
        order[At(root)] = low[At(root)] = counter++;
        open.push_back(root);
        while (!calls.empty()) {
            Frame& f = calls.back();
            const int u = f.node;
            if (f.next < m_arrFirst[At(u + 1)]) {
                const int v = m_arrTargets[At(f.next++)];
                if (order[At(v)] < 0) {
                    order[At(v)] = low[At(v)] = counter++;
                    open.push_back(v);
                    calls.push_back({v, m_arrFirst[At(v)]});
                } else if (component[At(v)] < 0) {
                    low[At(u)] = std::min(low[At(u)], order[At(v)]);
                }
                continue;
            }
            if (low[At(u)] == order[At(u)]) {
                int w;
                do {
                    w = open.back();
                    open.pop_back();
                    component[At(w)] = count;
                } while (w != u);
                ++count;
            }
            calls.pop_back();
            if (!calls.empty()) {
                const int parent = calls.back().node;
                low[At(parent)] = std::min(low[At(parent)], low[At(u)]);
            }
        }
    }
    return component;
}
