#include "base/CGraphText.h"

#include "base/FileIO.h"
#include "base/XmlText.h"

#include <set>

namespace {

std::string DotQuote(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out + "\"";
}

// The attribute names in the order first used, nodes and edges apart.
template <class Item> std::vector<std::string> Keys(const std::vector<Item>& items) {
    std::vector<std::string> keys;
    std::set<std::string> seen;
    for (const Item& item : items)
        for (const auto& [key, value] : item.attributes)
            if (seen.insert(key).second)
                keys.push_back(key);
    return keys;
}

} // namespace

std::string CGraphText::GraphML() const {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n";
    std::vector<std::string> nodeKeys = Keys(m_nodes);
    bool positions = false;
    for (const Node& node : m_nodes)
        positions = positions || node.position.has_value();
    for (const std::string& key : nodeKeys)
        xml += "  <key id=\"n_" + XmlText::Escape(key) + "\" for=\"node\" attr.name=\"" +
               XmlText::Escape(key) + "\" attr.type=\"string\"/>\n";
    if (positions)
        for (const char* axis : {"x", "y"})
            xml += std::string("  <key id=\"n_") + axis + "\" for=\"node\" attr.name=\"" + axis +
                   "\" attr.type=\"int\"/>\n";
    for (const std::string& key : Keys(m_edges))
        xml += "  <key id=\"e_" + XmlText::Escape(key) + "\" for=\"edge\" attr.name=\"" +
               XmlText::Escape(key) + "\" attr.type=\"string\"/>\n";
    xml += "  <graph id=\"" + XmlText::Escape(m_strName) + "\" edgedefault=\"directed\">\n";
    for (const Node& node : m_nodes) {
        xml += "    <node id=\"" + XmlText::Escape(node.id) + "\">\n";
        for (const auto& [key, value] : node.attributes)
            xml += "      <data key=\"n_" + XmlText::Escape(key) + "\">" + XmlText::Escape(value) +
                   "</data>\n";
        if (node.position) {
            xml += "      <data key=\"n_x\">" + std::to_string(node.position->first) + "</data>\n";
            xml += "      <data key=\"n_y\">" + std::to_string(node.position->second) + "</data>\n";
        }
        xml += "    </node>\n";
    }
    for (const Edge& edge : m_edges) {
        xml += "    <edge source=\"" + XmlText::Escape(edge.source) + "\" target=\"" +
               XmlText::Escape(edge.target) + "\">\n";
        for (const auto& [key, value] : edge.attributes)
            xml += "      <data key=\"e_" + XmlText::Escape(key) + "\">" + XmlText::Escape(value) +
                   "</data>\n";
        xml += "    </edge>\n";
    }
    return xml + "  </graph>\n</graphml>\n";
}

std::string CGraphText::Dot() const {
    std::string dot = "digraph " + DotQuote(m_strName) + " {\n";
    for (const Node& node : m_nodes) {
        dot += "  " + DotQuote(node.id) + " [";
        bool first = true;
        for (const auto& [key, value] : node.attributes) {
            dot += (first ? "" : ", ") + DotQuote(key) + "=" + DotQuote(value);
            first = false;
        }
        if (node.position)
            // Graphviz's points, y upwards; "!" keeps the node where it is.
            dot += std::string(first ? "" : ", ") + "pos=" +
                   DotQuote(std::to_string(node.position->first) + "," +
                            std::to_string(-node.position->second) + "!");
        dot += "];\n";
    }
    for (const Edge& edge : m_edges) {
        dot += "  " + DotQuote(edge.source) + " -> " + DotQuote(edge.target);
        if (!edge.attributes.empty()) {
            dot += " [";
            bool first = true;
            for (const auto& [key, value] : edge.attributes) {
                dot += (first ? "" : ", ") + DotQuote(key) + "=" + DotQuote(value);
                first = false;
            }
            dot += "]";
        }
        dot += ";\n";
    }
    return dot + "}\n";
}

CFileResult CGraphText::SaveGraphML(const std::string& path) const {
    return WriteFileAtomically(path, GraphML());
}

CFileResult CGraphText::SaveDot(const std::string& path) const {
    return WriteFileAtomically(path, Dot());
}
