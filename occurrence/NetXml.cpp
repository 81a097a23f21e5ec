#include "occurrence/NetXml.h"

#include "base/XmlText.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

namespace NetXml {

std::string Begin(const std::string& root) {
    return std::string(XmlText::kDeclaration) + "<" + root + ">\n";
}

std::string End(const std::string& root) {
    return "</" + root + ">\n";
}

std::string Edge(const std::string& from, const std::string& to) {
    return "  <edge>\n    <from>" + XmlText::Escape(from) + "</from>\n    <to>" +
           XmlText::Escape(to) + "</to>\n  </edge>\n";
}

std::string NameOf(const CPNElement* element) {
    const CPNLabel* label = nullptr;
    if (auto* condition = dynamic_cast<const CPNCondition*>(element))
        label = condition->m_pLabel;
    else if (auto* event = dynamic_cast<const CPNEvent*>(element))
        label = event->m_pLabel;
    return label ? label->m_strText : std::string();
}

} // namespace NetXml
