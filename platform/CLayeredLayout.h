#pragma once

#include <utility>
#include <vector>

// Layers a directed graph with Graphviz's dot engine: nodes 0 ... n - 1, edges by node
// index. Gives each node's centre in points with y growing downwards, the layers from
// left to right (or from top to bottom); empty when Graphviz fails.
class CLayeredLayout {
public:
    static std::vector<std::pair<double, double>>
    Layout(int nodes, const std::vector<std::pair<int, int>>& edges, bool leftToRight = true);
};
