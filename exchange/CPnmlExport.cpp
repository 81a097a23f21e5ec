#include "exchange/CPnmlExport.h"

#include "base/FileIO.h"
#include "base/UniqueName.h"
#include "base/XmlText.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace {

// The text as XML character data: escaped, and without the control characters XML 1.0
// has no room for.
std::string Text(const std::string& text) {
    std::string kept;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 || c == '\n' || c == '\t')
            kept += c;
        else if (c != '\r')
            kept += ' ';
    }
    return XmlText::Escape(kept);
}

bool IsIdChar(unsigned char c, bool first) {
    if (std::isalpha(c) || c == '_')
        return true;
    return !first && (std::isdigit(c) || c == '-' || c == '.');
}

// Ids: the name kept where it is a valid XML name, otherwise its unsafe characters
// replaced; made unique with a number.
class IdMaker {
public:
    std::string Make(const std::string& name, const char* fallback) {
        std::string id;
        for (char c : name)
            id += IsIdChar(static_cast<unsigned char>(c), id.empty()) ? c : '_';
        if (id.empty() || !IsIdChar(static_cast<unsigned char>(id[0]), true))
            id = fallback + id;
        return TakeUniqueName(m_used, id);
    }

private:
    std::set<std::string> m_used;
};

std::string Position(const char* element, CPoint p) {
    return "<" + std::string(element) + " x=\"" + std::to_string(p.x) + "\" y=\"" +
           std::to_string(p.y) + "\"/>";
}

} // namespace

std::string CPnmlExport::BuildXML() const {
    std::ostringstream out;
    IdMaker ids;
    std::map<const CPNElement*, std::string> nodeIds;
    // Nodes first, so that their ids keep their names where they can.
    for (const CPNElement* element : m_net.m_listElements) {
        if (!CNetDesign::IsNode(element))
            continue;
        const CPNLabel* label = CNetDesign::NameLabelOf(element);
        nodeIds[element] = ids.Make(label ? label->m_strText : std::string(),
                                    dynamic_cast<const CPNEvent*>(element) ? "t" : "p");
    }
    const std::string netId = ids.Make("net", "n");
    const std::string pageId = ids.Make("page", "n");

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<pnml xmlns=\"" << kNamespace << "\">\n"
        << "  <net id=\"" << netId << "\" type=\"" << kPtNetType << "\">\n";
    if (!m_strNetName.empty())
        out << "    <name><text>" << Text(m_strNetName) << "</text></name>\n";
    out << "    <page id=\"" << pageId << "\">\n";
    for (const CPNElement* element : m_net.m_listElements) {
        const auto* condition = dynamic_cast<const CPNCondition*>(element);
        const auto* event = dynamic_cast<const CPNEvent*>(element);
        if (!condition && !event)
            continue;
        const char* tag = condition ? "place" : "transition";
        const CPNLabel* label = condition ? condition->m_pLabel : event->m_pLabel;
        out << "      <" << tag << " id=\"" << nodeIds[element] << "\">\n";
        if (label) {
            const CPoint offset(label->m_ptPos.x - element->m_ptPos.x,
                                label->m_ptPos.y - element->m_ptPos.y);
            out << "        <name><text>" << Text(label->m_strText) << "</text><graphics>"
                << Position("offset", offset) << "</graphics></name>\n";
        }
        out << "        <graphics>" << Position("position", element->m_ptPos) << "</graphics>\n";
        if (condition && condition->m_bToken)
            out << "        <initialMarking><text>1</text></initialMarking>\n";
        out << "      </" << tag << ">\n";
    }
    int arcs = 0;
    for (const CPNElement* element : m_net.m_listElements) {
        const auto* edge = dynamic_cast<const CPNEdge*>(element);
        if (!edge || !nodeIds.count(edge->m_pFrom) || !nodeIds.count(edge->m_pTo))
            continue;
        out << "      <arc id=\"" << ids.Make("a" + std::to_string(++arcs), "a") << "\" source=\""
            << nodeIds[edge->m_pFrom] << "\" target=\"" << nodeIds[edge->m_pTo] << "\"";
        const std::vector<CPoint> bends = edge->GetBendPoints();
        if (bends.empty()) {
            out << "/>\n";
            continue;
        }
        out << ">\n        <graphics>";
        for (const CPoint& bend : bends)
            out << Position("position", bend);
        out << "</graphics>\n      </arc>\n";
    }
    out << "    </page>\n  </net>\n</pnml>\n";
    return out.str();
}

CFileResult CPnmlExport::ExportXML(const std::string& path) const {
    return WriteFileAtomically(path, BuildXML());
}
