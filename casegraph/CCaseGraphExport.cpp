#include "casegraph/CCaseGraph.h"

#include "casegraph/CPNCase.h"
#include "base/XmlText.h"
#include "model/CPNLabel.h"

namespace {

std::string NodeName(const CPNElement* element) {
    const auto* node = dynamic_cast<const CPNCase*>(element);
    return node ? XmlText::Escape(node->m_label.m_strText) : std::string();
}

std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

std::string CCaseGraph::CaseGraphXML() const {
    std::string xml(XmlText::kDeclaration);
    xml += "<casegraph>\n";
    for (const CPNCase* node : CaseObjects())
        xml += "  <case name=\"" + XmlText::Escape(node->m_label.m_strText) + "\">" +
               XmlText::Escape(node->m_setConditions.ToString(false)) + "</case>\n";
    std::string name;
    const std::vector<std::string> texts = m_eventSets.Texts();
    for (std::size_t i = 0; i < m_arrStepRecords.size(); ++i) {
        if (!GetStepName(i, name))
            name.clear();
        // The events stand as the step's text, just before its from element.
        xml += "  <step name=\"" + XmlText::Escape(name) + "\">\n";
        xml += XmlText::Escape(texts[m_arrStepRecords[i].events]);
        xml += "    <from name=\"" + NodeName(CaseObjects()[At(StepFrom(i))]) + "\"/>\n";
        xml += "    <to name=\"" + NodeName(CaseObjects()[At(StepTo(i))]) + "\"/>\n";
        xml += "  </step>\n";
    }
    xml += "</casegraph>\n";
    return xml;
}

std::string CCaseGraph::CaseClassXML() const {
    std::string xml(XmlText::kDeclaration);
    xml += "<caseclass>\n";
    for (const CPNCase* node : CaseObjects())
        xml += "  <case>" + XmlText::Escape(node->m_setConditions.ToString(false)) + "</case>\n";
    xml += "</caseclass>\n";
    return xml;
}

CGraphText CCaseGraph::GraphForOtherTools() const {
    CGraphText graph("casegraph");
    auto id = [this](std::size_t i) {
        const std::string& name = CaseObjects()[i]->m_label.m_strText;
        return name.empty() ? "c" + std::to_string(i + 1) : name;
    };
    auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
    for (std::size_t i = 0; i < CaseObjects().size(); ++i) {
        const CPNCase* node = CaseObjects()[i];
        CGraphText::Node out{id(i),
                             {{"name", id(i)},
                              {"conditions", node->m_setConditions.ToString(false)},
                              {"initial", flag(node->m_bInitial)},
                              {"current", flag(node->m_bCurrent)},
                              {"reachable", flag(node->m_bReachable)}},
                             std::nullopt};
        if (m_bLaidOut)
            out.position = std::make_pair(node->m_ptPos.x, node->m_ptPos.y);
        graph.AddNode(std::move(out));
    }
    const std::vector<std::string> texts = m_eventSets.Texts();
    std::string name;
    for (std::size_t i = 0; i < m_arrStepRecords.size(); ++i) {
        if (!GetStepName(i, name) || name.empty())
            name = StepLabelText(i);
        graph.AddEdge({id(At(StepFrom(i))),
                       id(At(StepTo(i))),
                       {{"name", name}, {"events", texts[m_arrStepRecords[i].events]}}});
    }
    return graph;
}

CFileResult CCaseGraph::ExportCaseGraphXML(const std::string& path) const {
    return XmlText::Save(path, CaseGraphXML());
}

CFileResult CCaseGraph::ExportCaseClassXML(const std::string& path) const {
    return XmlText::Save(path, CaseClassXML());
}
