#include "platform/CLayeredLayout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <set>
#include <string>

std::vector<std::pair<double, double>>
CLayeredLayout::Layout(int nodes, const std::vector<std::pair<int, int>>& edges, bool leftToRight) {
    std::vector<std::pair<double, double>> at;
    if (nodes <= 0)
        return at;
    // One context for the process: Graphviz loads its plugins into it once.
    static GVC_t* const context = gvContext();
    if (!context)
        return at;
    char name[] = "g";
    Agraph_t* graph = agopen(name, Agdirected, nullptr);
    agattr(graph, AGRAPH, const_cast<char*>("rankdir"),
           const_cast<char*>(leftToRight ? "LR" : "TB"));
    // Nodes of one size, as the diagram draws them: a circle or box of 30 units.
    agattr(graph, AGNODE, const_cast<char*>("shape"), const_cast<char*>("circle"));
    agattr(graph, AGNODE, const_cast<char*>("fixedsize"), const_cast<char*>("true"));
    agattr(graph, AGNODE, const_cast<char*>("width"), const_cast<char*>("0.42"));
    agattr(graph, AGNODE, const_cast<char*>("label"), const_cast<char*>(""));
    std::vector<Agnode_t*> made;
    for (int i = 0; i < nodes; ++i)
        made.push_back(agnode(graph, const_cast<char*>(("n" + std::to_string(i)).c_str()), 1));
    // One edge a pair, whichever way: steps both ways between two cases lie in two
    // layers either way.
    std::set<std::pair<int, int>> seen;
    for (const auto& [from, to] : edges) {
        if (from < 0 || to < 0 || from >= nodes || to >= nodes || from == to)
            continue;
        if (!seen.insert({from, to}).second || seen.count({to, from}) != 0)
            continue;
        agedge(graph, made[static_cast<std::size_t>(from)], made[static_cast<std::size_t>(to)],
               nullptr, 1);
    }
    if (gvLayout(context, graph, "dot") == 0) {
        const double top = GD_bb(graph).UR.y;
        for (Agnode_t* node : made)
            at.emplace_back(ND_coord(node).x, top - ND_coord(node).y);
        gvFreeLayout(context, graph);
    }
    agclose(graph);
    return at;
}
