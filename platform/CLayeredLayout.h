#pragma once

#include "base/WorkProgress.h"

#include <utility>
#include <vector>

// Layers a directed graph with Graphviz's dot engine: nodes 0 ... n - 1, edges by node
// index. Gives each node's centre in points with y growing downwards, the layers from
// left to right (or from top to bottom); empty when Graphviz fails.
class CLayeredLayout {
public:
    static std::vector<std::pair<double, double>>
    Layout(int nodes, const std::vector<std::pair<int, int>>& edges, bool leftToRight = true);

    // The same in a child process, so that it can be stopped: Graphviz has no way to be
    // told to, and on a dense graph of a few thousand edges it works for minutes. The
    // progress is polled (without a count) every few hundredths of a second while the
    // child works; when it cancels, the child is ended at once. Empty when cancelled
    // (cancelled then says so) or when Graphviz fails.
    static std::vector<std::pair<double, double>>
    LayoutApart(int nodes, const std::vector<std::pair<int, int>>& edges,
                const WorkProgress& progress, bool& cancelled, bool leftToRight = true);

    // How often the progress is polled while the child works.
    static constexpr int kPollMilliseconds = 40;
};
