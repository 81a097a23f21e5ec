#include "analysis/CCaseGraphOverview.h"

#include "analysis/CCaseDistances.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

CCaseGraphOverview::CCaseGraphOverview(const CNodeAdjacency& forward, EGrouping grouping)
    : m_eGrouping(grouping) {
    const int n = forward.GetNodeCount();
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    const std::vector<int> distance = CCaseDistances(forward).From(0);
    // A key per case: its distance, or its class; then the groups in the order of their
    // columns and, within one, of their first cases.
    std::vector<int> key(at(n));
    int keys = 0;
    if (grouping == EGrouping::Distance) {
        for (int v = 0; v < n; ++v)
            key[at(v)] = std::max(0, distance[at(v)]);
        keys = n == 0 ? 0 : *std::max_element(key.begin(), key.end()) + 1;
    } else {
        key = forward.StronglyConnectedComponents(keys);
    }
    std::vector<Group> byKey(at(keys));
    std::vector<bool> seen(at(keys), false);
    for (int v = 0; v < n; ++v) {
        Group& group = byKey[at(key[at(v)])];
        const int column = std::max(0, distance[at(v)]);
        if (!seen[at(key[at(v)])]) {
            seen[at(key[at(v)])] = true;
            group.first = static_cast<std::uint32_t>(v);
            group.column = column;
        }
        group.column = std::min(group.column, column);
        ++group.cases;
    }
    std::vector<int> order;
    for (int k = 0; k < keys; ++k)
        if (seen[at(k)])
            order.push_back(k);
    std::sort(order.begin(), order.end(), [&byKey, &at](int a, int b) {
        const Group& x = byKey[at(a)];
        const Group& y = byKey[at(b)];
        return x.column != y.column ? x.column < y.column : x.first < y.first;
    });
    std::vector<std::uint32_t> groupOfKey(at(keys), 0);
    for (const int k : order) {
        Group group = byKey[at(k)];
        group.row = m_groups.empty() || m_groups.back().column != group.column
                        ? 0
                        : m_groups.back().row + 1;
        groupOfKey[at(k)] = static_cast<std::uint32_t>(m_groups.size());
        m_groups.push_back(group);
        m_nColumns = std::max(m_nColumns, group.column + 1);
    }
    m_groupOf.resize(at(n));
    for (int v = 0; v < n; ++v)
        m_groupOf[at(v)] = groupOfKey[at(key[at(v)])];
    // The steps between groups, counted per pair.
    std::unordered_map<std::uint64_t, std::uint64_t> counts;
    for (int v = 0; v < n; ++v)
        for (const int w : forward.Successors(v)) {
            const std::uint32_t a = m_groupOf[at(v)];
            const std::uint32_t b = m_groupOf[at(w)];
            if (a == b)
                ++m_nInnerSteps;
            else
                ++counts[std::uint64_t{a} << 32 | b];
        }
    m_arcs.reserve(counts.size());
    for (const auto& [pair, steps] : counts)
        m_arcs.push_back(
            {static_cast<std::uint32_t>(pair >> 32), static_cast<std::uint32_t>(pair), steps});
    std::sort(m_arcs.begin(), m_arcs.end(), [](const Arc& x, const Arc& y) {
        return x.from != y.from ? x.from < y.from : x.to < y.to;
    });
}

std::vector<std::uint32_t> CCaseGraphOverview::CasesOf(std::uint32_t group) const {
    std::vector<std::uint32_t> cases;
    for (std::size_t v = 0; v < m_groupOf.size(); ++v)
        if (m_groupOf[v] == group)
            cases.push_back(static_cast<std::uint32_t>(v));
    return cases;
}
