#pragma once

#include "base/CFileResult.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A graph for other tools: nodes and edges with a name and attributes, written as
// GraphML (UTF-8) or as a Graphviz DOT digraph. Positions, where the diagram has them,
// are the node attributes x and y (GraphML) and pos (DOT, in points, y upwards).
class CGraphText {
public:
    using Attributes = std::vector<std::pair<std::string, std::string>>;
    struct Node {
        std::string id;
        Attributes attributes;
        std::optional<std::pair<int, int>> position;
    };
    struct Edge {
        std::string source;
        std::string target;
        Attributes attributes;
    };

    explicit CGraphText(std::string name) : m_strName(std::move(name)) {}

    void AddNode(Node node) { m_nodes.push_back(std::move(node)); }
    void AddEdge(Edge edge) { m_edges.push_back(std::move(edge)); }

    std::string GraphML() const;
    std::string Dot() const;
    // Writes either; an existing file is replaced only when the whole write succeeds.
    CFileResult SaveGraphML(const std::string& path) const;
    CFileResult SaveDot(const std::string& path) const;

private:
    std::string m_strName;
    std::vector<Node> m_nodes;
    std::vector<Edge> m_edges;
};
