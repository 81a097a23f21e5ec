#include "occurrence/CNetDesignExport.h"

#include "base/XmlText.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "occurrence/NetXml.h"

std::string CNetDesignExport::BuildXML() const {
    std::string xml = NetXml::Begin("netdesign");
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* c = dynamic_cast<const CPNCondition*>(e))
            xml += std::string("  <condition token=\"") + (c->m_bToken ? "1" : "0") + "\">" +
                   XmlText::Escape(NetXml::NameOf(c)) + "</condition>\n";
    }
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* ev = dynamic_cast<const CPNEvent*>(e))
            xml += "  <event>" + XmlText::Escape(NetXml::NameOf(ev)) + "</event>\n";
    }
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* edge = dynamic_cast<const CPNEdge*>(e))
            xml += NetXml::Edge(NetXml::NameOf(edge->m_pFrom), NetXml::NameOf(edge->m_pTo));
    }
    return xml + NetXml::End("netdesign");
}

CFileResult CNetDesignExport::ExportXML(const std::string& path) const {
    return XmlText::Save(path, BuildXML());
}
