#include "TestNet.h"

#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"

namespace {

CPNLabel* AddName(CNetDesign& net, const char* name, CDC& dc) {
    auto* label = new CPNLabel;
    label->SetText(name, dc);
    net.AddElement(label);
    return label;
}

} // namespace

TestNet::TestNet() {
    CMeasureDC dc;
    CPNLabel* n1 = AddName(net, "b1", dc);
    auto* b1 = new CPNCondition(60, 60, n1);
    n1->m_pOwner = b1;
    b1->m_bToken = 1;
    CPNLabel* n2 = AddName(net, "e1", dc);
    auto* e1 = new CPNEvent(140, 60, n2);
    n2->m_pOwner = e1;
    CPNLabel* n3 = AddName(net, "b2", dc);
    auto* b2 = new CPNCondition(220, 60, n3);
    n3->m_pOwner = b2;
    net.AddElement(b1);
    net.AddElement(e1);
    net.AddElement(b2);
    net.AddElement(new CPNEdge(b1, e1));
    net.AddElement(new CPNEdge(e1, b2));
    net.m_sizeNet = CSize(300, 120);
}
