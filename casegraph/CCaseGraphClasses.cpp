#include "casegraph/CCaseGraph.h"

#include "engines/CNodeAdjacency.h"
#include "casegraph/CPNCase.h"
#include "base/FormatString.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <optional>

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

void CCaseGraph::SetShowReachability(bool show) {
    m_bShowReachability = show;
    for (CPNCase* node : MadeCases())
        if (node)
            node->m_bShowReachability = show;
}

std::vector<std::string> CCaseGraph::ForwardReachableClasses() {
    // The nodes of one strongly connected component reach the same nodes, and two
    // components never reach the same set (each would reach the other), so the classes
    // are the components, each counted by its size and standing for every node that
    // its component reaches.
    std::optional<CSetConditions> initialCase;
    for (const CPNCase* node : CaseObjects())
        if (node->m_bInitial) {
            initialCase = node->m_setConditions;
            break;
        }
    m_listClasses.clear();

    const CNodeAdjacency adjacency = ForwardAdjacency();
    const int n = adjacency.GetNodeCount();
    int nComponents = 0;
    const std::vector<int> component = adjacency.StronglyConnectedComponents(nComponents);

    std::vector<std::vector<int>> members(At(nComponents));
    for (int v = 0; v < n; ++v)
        members[At(component[At(v)])].push_back(v);
    // The arcs between components, each pair once.
    std::vector<std::vector<int>> successors(At(nComponents));
    std::vector<int> stamp(At(nComponents), -1);
    for (int c = 0; c < nComponents; ++c) {
        stamp[At(c)] = c;
        for (int v : members[At(c)])
            for (int w : adjacency.Successors(v)) {
                const int d = component[At(w)];
                if (stamp[At(d)] != c) {
                    stamp[At(d)] = c;
                    successors[At(c)].push_back(d);
                }
            }
    }
    // The nodes in the order of the node sets, to read each class off in set order.
    std::vector<int> rank(At(n));
    {
        std::vector<int> bySerial(At(n));
        std::iota(bySerial.begin(), bySerial.end(), 0);
        std::sort(bySerial.begin(), bySerial.end(), [&](int a, int b) {
            return CaseObjects()[At(a)]->GetSerial() < CaseObjects()[At(b)]->GetSerial();
        });
        for (int r = 0; r < n; ++r)
            rank[At(bySerial[At(r)])] = r;
    }

    // A class is found at the first node of its component and goes to the head of the
    // list, so the list runs from the component found last to the one found first.
    std::vector<int> firstFound(At(nComponents));
    std::iota(firstFound.begin(), firstFound.end(), 0);
    std::sort(firstFound.begin(), firstFound.end(),
              [&](int a, int b) { return members[At(a)].front() < members[At(b)].front(); });
    std::fill(stamp.begin(), stamp.end(), -1);
    std::vector<int> stack;
    std::vector<int> reached;
    for (int c : firstFound) {
        reached.clear();
        stack.assign(1, c);
        stamp[At(c)] = c;
        while (!stack.empty()) {
            const int d = stack.back();
            stack.pop_back();
            reached.insert(reached.end(), members[At(d)].begin(), members[At(d)].end());
            for (int e : successors[At(d)])
                if (stamp[At(e)] != c) {
                    stamp[At(e)] = c;
                    stack.push_back(e);
                }
        }
        std::sort(reached.begin(), reached.end(),
                  [&](int a, int b) { return rank[At(a)] < rank[At(b)]; });
        CFRCasesClass record;
        record.m_nCount = static_cast<int>(members[At(c)].size());
        for (int v : reached)
            record.m_setCases.Add(CaseObjects()[At(v)]);
        m_listClasses.push_front(std::move(record));
    }

    // The reachability marks come back as the initial case gives them.
    for (CPNCase* node : CaseObjects())
        node->m_bReachable = node->m_bInitial = false;
    if (initialCase)
        if (CPNCase* node = FindCase(*initialCase)) {
            node->m_bInitial = true;
            MarkReachable(node);
        }

    std::vector<std::string> lines{
        "Writing out forward reachable cases classes...",
        FormatString("Total %d classes(s):", static_cast<int>(m_listClasses.size())), ""};
    int k = 0;
    for (const CFRCasesClass& record : m_listClasses) {
        lines.push_back(FormatString("Class %d [%d]:", ++k, record.m_nCount));
        lines.push_back(record.m_setCases.ToString(true));
        lines.push_back(record.m_setCases.ToString(false));
        lines.push_back("");
    }
    return lines;
}
