#include "casegraph/CCasePath.h"

#include "engines/CCaseRun.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace {

struct Link {
    int neighbour;
    int arc;
    bool forward;
};

// Breadth first from the start; the arc by which each node was first reached, or -1.
std::vector<int> Search(const std::vector<std::vector<Link>>& links, int start, int target,
                        bool allowBackward, std::vector<bool>& forwardOf) {
    std::vector<int> via(links.size(), -1);
    std::vector<bool> seen(links.size(), false);
    forwardOf.assign(links.size(), true);
    std::deque<int> queue{start};
    seen[static_cast<std::size_t>(start)] = true;
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        if (node == target)
            break;
        for (const Link& link : links[static_cast<std::size_t>(node)]) {
            const auto next = static_cast<std::size_t>(link.neighbour);
            if (seen[next] || (!link.forward && !allowBackward))
                continue;
            seen[next] = true;
            via[next] = link.arc;
            forwardOf[next] = link.forward;
            queue.push_back(link.neighbour);
        }
    }
    return via;
}

} // namespace

CCasePath CCasePath::Find(const CCaseGraph& graph, const CPNCase* from, const CPNCase* to) {
    CCasePath path;
    std::unordered_map<const CPNCase*, int> index;
    for (std::size_t i = 0; i < graph.CaseCount(); ++i)
        index.emplace(graph.Cases()[i], static_cast<int>(i));
    const auto start = index.find(from);
    const auto target = index.find(to);
    if (start == index.end() || target == index.end())
        return path;
    // Each node's links in the order of the nodes they lead to, forward before backward.
    std::vector<std::vector<Link>> links(graph.CaseCount());
    const int cases = static_cast<int>(graph.CaseCount());
    for (std::size_t k = 0; k < graph.StepCount(); ++k) {
        const int a = graph.StepFrom(k), b = graph.StepTo(k);
        if (a < 0 || b < 0 || a >= cases || b >= cases)
            continue;
        links[static_cast<std::size_t>(a)].push_back({b, static_cast<int>(k), true});
        links[static_cast<std::size_t>(b)].push_back({a, static_cast<int>(k), false});
    }
    for (std::vector<Link>& list : links)
        std::stable_sort(list.begin(), list.end(), [](const Link& x, const Link& y) {
            return x.neighbour != y.neighbour ? x.neighbour < y.neighbour : x.forward && !y.forward;
        });

    std::vector<bool> forwardOf;
    std::vector<int> via = Search(links, start->second, target->second, false, forwardOf);
    const auto t = static_cast<std::size_t>(target->second);
    if (target->second != start->second && via[t] < 0) {
        via = Search(links, start->second, target->second, true, forwardOf);
        path.m_bForwardOnly = false;
        if (via[t] < 0)
            return path;
    }
    path.m_bFound = true;
    for (int node = target->second; node != start->second;) {
        const auto n = static_cast<std::size_t>(node);
        const auto k = static_cast<std::size_t>(via[n]);
        path.m_steps.push_back(
            {k, graph.StepEvents(k).ToString(), forwardOf[n], graph.Cases()[n]});
        node = forwardOf[n] ? graph.StepFrom(k) : graph.StepTo(k);
    }
    std::reverse(path.m_steps.begin(), path.m_steps.end());
    path.m_bForwardOnly = std::all_of(path.m_steps.begin(), path.m_steps.end(),
                                      [](const Step& s) { return s.forward; });
    return path;
}

CCasePath CCasePath::Of(std::vector<Step> steps) {
    CCasePath path;
    path.m_bFound = true;
    path.m_steps = std::move(steps);
    path.m_bForwardOnly = std::all_of(path.m_steps.begin(), path.m_steps.end(),
                                      [](const Step& s) { return s.forward; });
    return path;
}

std::vector<std::string> CCasePath::Describe(const CPNCase* from, const CPNCase* to) const {
    if (!from || !to)
        return {};
    std::vector<CCaseRun::TextStep> steps;
    for (const Step& s : m_steps)
        steps.push_back({s.events, s.forward, s.to->m_strConditions});
    return CCaseRun::Describe(from->m_strConditions, to->m_strConditions, m_bFound, steps);
}
