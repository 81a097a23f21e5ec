#include "engines/CClassSummary.h"

#include "base/FormatString.h"
#include "engines/CNodeAdjacency.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace {

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

CClassSummary CClassSummary::Of(const CNodeAdjacency& adjacency) {
    CClassSummary summary;
    const int n = adjacency.GetNodeCount();
    int nComponents = 0;
    const std::vector<int> component = adjacency.StronglyConnectedComponents(nComponents);
    // Per component: its size and its first node.
    std::vector<int> size(At(nComponents), 0), first(At(nComponents), -1);
    for (int v = 0; v < n; ++v) {
        const int c = component[At(v)];
        if (size[At(c)]++ == 0)
            first[At(c)] = v;
    }
    std::vector<int> order(At(nComponents));
    std::iota(order.begin(), order.end(), 0);
    const auto shown = order.begin() + std::min(kLargest, nComponents);
    std::partial_sort(order.begin(), shown, order.end(), [&](int a, int b) {
        return size[At(a)] != size[At(b)] ? size[At(a)] > size[At(b)] : first[At(a)] < first[At(b)];
    });
    std::vector<int> seen(At(n), -1);
    std::vector<int> stack;
    for (auto it = order.begin(); it != shown; ++it) {
        const int c = *it;
        int reached = 0;
        stack.assign(1, first[At(c)]);
        seen[At(first[At(c)])] = c;
        while (!stack.empty()) {
            const int v = stack.back();
            stack.pop_back();
            ++reached;
            for (int w : adjacency.Successors(v))
                if (seen[At(w)] != c) {
                    seen[At(w)] = c;
                    stack.push_back(w);
                }
        }
        summary.largest.push_back({size[At(c)], reached});
    }
    summary.classes = nComponents;
    summary.cases = n;
    return summary;
}

std::vector<std::string> CClassSummary::Lines() const {
    std::vector<std::string> lines{"Summing up forward reachable cases classes...",
                                   FormatString("Total %d classes(s) of %d case(s)", classes, cases)};
    std::string text;
    for (const Class& c : largest)
        text += FormatString("%s[%d] reaching %d case(s)", text.empty() ? "" : "; ", c.size,
                             c.reaching);
    if (!text.empty())
        lines.push_back("Largest: " + text);
    return lines;
}
