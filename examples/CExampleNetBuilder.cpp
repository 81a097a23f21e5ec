#include "examples/CExampleNetBuilder.h"

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

namespace {

template <class Element>
Element* AddNamed(CNetDesign& net, CDC& dc, int x, int y, const std::string& name) {
    auto* label = new CPNLabel();
    label->m_strText = name;
    auto* element = new Element(x, y, label);
    label->m_pOwner = element;
    label->RecalcTextRect(dc);
    net.AddElement(element);
    net.AddElement(label);
    return element;
}

} // namespace

CPNCondition* CExampleNetBuilder::Condition(int x, int y, const std::string& name, bool token) {
    auto* condition = AddNamed<CPNCondition>(m_net, m_dc, x, y, name);
    condition->m_bToken = token;
    return condition;
}

CPNEvent* CExampleNetBuilder::Event(int x, int y, const std::string& name) {
    return AddNamed<CPNEvent>(m_net, m_dc, x, y, name);
}

void CExampleNetBuilder::Edge(CPNCondition* from, CPNEvent* to) {
    m_net.AddElement(new CPNEdge(from, to));
}

void CExampleNetBuilder::Edge(CPNEvent* from, CPNCondition* to) {
    m_net.AddElement(new CPNEdge(from, to));
}
