#include "analysis/CCaseGraph.h"

#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "base/XmlText.h"
#include "model/CPNLabel.h"

namespace {

std::string NodeName(const CPNElement* element) {
    const auto* node = dynamic_cast<const CPNCase*>(element);
    return node ? XmlText::Escape(node->m_label.m_strText) : std::string();
}

} // namespace

std::string CCaseGraph::CaseGraphXML() const {
    std::string xml(XmlText::kDeclaration);
    xml += "<casegraph>\n";
    for (const CPNCase* node : m_arrCases)
        xml += "  <case name=\"" + XmlText::Escape(node->m_label.m_strText) + "\">" +
               XmlText::Escape(node->m_setConditions.ToString(false)) + "</case>\n";
    for (const CPNStep* arc : m_arrSteps) {
        const std::string name = arc->m_pLabel ? XmlText::Escape(arc->m_pLabel->m_strText) : "";
        // The events stand as the step's text, just before its from element.
        xml += "  <step name=\"" + name + "\">\n";
        xml += XmlText::Escape(arc->m_setEvents.ToString());
        xml += "    <from name=\"" + NodeName(arc->m_pFrom) + "\"/>\n";
        xml += "    <to name=\"" + NodeName(arc->m_pTo) + "\"/>\n";
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
