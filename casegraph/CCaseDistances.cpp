#include "casegraph/CCaseDistances.h"

#include <algorithm>
#include <climits>

CCaseDistances::CCaseDistances(const CNodeAdjacency& forward) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    // Each arc in both directions, counted first, then placed; parallel arcs and the
    // two directions of a pair of opposite steps collapse afterwards.
    m_first.assign(at(n) + 1, 0);
    for (int v = 0; v < n; ++v)
        for (const int w : forward.Successors(v)) {
            ++m_first[at(v) + 1];
            ++m_first[at(w) + 1];
        }
    for (int v = 0; v < n; ++v)
        m_first[at(v) + 1] += m_first[at(v)];
    m_neighbours.resize(at(m_first[at(n)]));
    std::vector<int> next(m_first.begin(), m_first.end() - 1);
    for (int v = 0; v < n; ++v)
        for (const int w : forward.Successors(v)) {
            m_neighbours[at(next[at(v)]++)] = w;
            m_neighbours[at(next[at(w)]++)] = v;
        }
    // Sorted and unique per case, packed down.
    int write = 0;
    for (int v = 0; v < n; ++v) {
        const auto begin = m_neighbours.begin() + m_first[at(v)];
        const auto end = m_neighbours.begin() + m_first[at(v) + 1];
        std::sort(begin, end);
        const auto last = std::unique(begin, end);
        m_first[at(v)] = write;
        write = static_cast<int>(std::copy(begin, last, m_neighbours.begin() + write) -
                                 m_neighbours.begin());
    }
    m_first[at(n)] = write;
    m_neighbours.resize(at(write));
    m_neighbours.shrink_to_fit();
}

std::span<const int> CCaseDistances::Neighbours(int node) const {
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    return {m_neighbours.data() + m_first[at(node)], at(m_first[at(node) + 1] - m_first[at(node)])};
}

std::vector<int> CCaseDistances::From(int node, int limit) const {
    std::vector<int> distance(static_cast<std::size_t>(GetNodeCount()), -1);
    if (node < 0 || node >= GetNodeCount())
        return distance;
    std::vector<int> queue{node};
    distance[static_cast<std::size_t>(node)] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int v = queue[head];
        const int d = distance[static_cast<std::size_t>(v)];
        if (limit >= 0 && d >= limit)
            continue;
        for (const int w : Neighbours(v))
            if (distance[static_cast<std::size_t>(w)] < 0) {
                distance[static_cast<std::size_t>(w)] = d + 1;
                queue.push_back(w);
            }
    }
    return distance;
}

std::vector<int> CCaseDistances::Within(int centre, int radius) const {
    const std::vector<int> distance = From(centre, radius);
    std::vector<int> cases;
    for (std::size_t v = 0; v < distance.size(); ++v)
        if (distance[v] >= 0)
            cases.push_back(static_cast<int>(v));
    return cases;
}

namespace {

// The distances from node 0 in one pass over the nodes in index order, where that
// order is breadth first (as the cases engine numbers its cases): each node's
// distance is one more than the least of its neighbours before it, which the arcs
// forward give both ways. False, and the distances left in any state, where the
// order is not breadth first: a node with no neighbour before it, or one nearer
// than a node before it. Where every node passes, the distances are right: the
// first wrong one would have a shortest way through a node after it that is
// nearer than it.
bool FromStartInOrder(const CNodeAdjacency& forward, std::vector<int>& distance) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    distance.assign(at(n), INT_MAX);
    distance[0] = 0;
    int last = 0;
    for (int v = 0; v < n; ++v) {
        int& d = distance[at(v)];
        for (const int w : forward.Successors(v))
            if (w < v)
                d = std::min(d, distance[at(w)] + 1);
        if (d == INT_MAX || d < last)
            return false;
        last = d;
        for (const int w : forward.Successors(v))
            if (w > v)
                distance[at(w)] = std::min(distance[at(w)], d + 1);
    }
    return true;
}

} // namespace

std::vector<int> CCaseDistances::Near(const CNodeAdjacency& forward,
                                      const Predecessors& predecessors, int node, int limit) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    std::vector<int> distance(at(n), -1);
    if (node < 0 || node >= n)
        return distance;
    std::vector<int> queue{node};
    distance[at(node)] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int v = queue[head];
        const int d = distance[at(v)];
        if (limit >= 0 && d >= limit)
            continue;
        const auto reach = [&](int w) {
            if (w >= 0 && w < n && distance[at(w)] < 0) {
                distance[at(w)] = d + 1;
                queue.push_back(w);
            }
        };
        for (const int w : forward.Successors(v))
            reach(w);
        predecessors(v, reach);
    }
    return distance;
}

std::vector<int> CCaseDistances::From(const CNodeAdjacency& forward, int node, int limit) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    std::vector<int> distance;
    // From the first case of an engine's breadth-first order, the predecessors are
    // not needed: on millions of cases they are as large as the arcs.
    if (node == 0 && n > 0 && FromStartInOrder(forward, distance)) {
        if (limit >= 0)
            for (int& d : distance)
                d = d > limit ? -1 : d;
        return distance;
    }
    distance.assign(at(n), -1);
    if (node < 0 || node >= n)
        return distance;
    // The predecessors, counted first, then placed.
    std::vector<CNodeAdjacency::Offset> first(at(n) + 1, 0);
    for (int v = 0; v < n; ++v)
        for (const int w : forward.Successors(v))
            ++first[at(w) + 1];
    for (int v = 0; v < n; ++v)
        first[at(v) + 1] += first[at(v)];
    std::vector<int> predecessors(static_cast<std::size_t>(first[at(n)]));
    {
        std::vector<CNodeAdjacency::Offset> next(first.begin(), first.end() - 1);
        for (int v = 0; v < n; ++v)
            for (const int w : forward.Successors(v))
                predecessors[static_cast<std::size_t>(next[at(w)]++)] = v;
    }
    return Near(
        forward,
        [&](int v, const std::function<void(int)>& visit) {
            for (auto k = first[at(v)]; k < first[at(v) + 1]; ++k)
                visit(predecessors[static_cast<std::size_t>(k)]);
        },
        node, limit);
}
