#include "analysis/CCaseGraph.h"

#include "analysis/CPNCase.h"
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
    for (const CPNCase* node : m_arrCases)
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
        xml += "    <from name=\"" + NodeName(m_arrCases[At(StepFrom(i))]) + "\"/>\n";
        xml += "    <to name=\"" + NodeName(m_arrCases[At(StepTo(i))]) + "\"/>\n";
        xml += "  </step>\n";
    }
    xml += "</casegraph>\n";
    return xml;
}

std::string CCaseGraph::CaseClassXML() const {
    std::string xml(XmlText::kDeclaration);
    xml += "<caseclass>\n";
    for (const CPNCase* node : m_arrCases)
        xml += "  <case>" + XmlText::Escape(node->m_setConditions.ToString(false)) + "</case>\n";
    xml += "</caseclass>\n";
    return xml;
}

CFileResult CCaseGraph::ExportCaseGraphXML(const std::string& path) const {
    return XmlText::Save(path, CaseGraphXML());
}

CFileResult CCaseGraph::ExportCaseClassXML(const std::string& path) const {
    return XmlText::Save(path, CaseClassXML());
}
