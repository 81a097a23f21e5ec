#include "NetFixture.h"

CPNCondition* NetFixture::AddCondition(const std::string& name, int x, int y, bool token) {
    auto* label = new CPNLabel();
    label->SetText(name, dc);
    auto* c = new CPNCondition(x, y, label);
    c->m_bToken = token;
    net.AddElement(c);
    net.AddElement(label);
    label->m_pOwner = c;
    return c;
}

CPNEvent* NetFixture::AddEvent(const std::string& name, int x, int y) {
    auto* label = new CPNLabel();
    label->SetText(name, dc);
    auto* e = new CPNEvent(x, y, label);
    net.AddElement(e);
    net.AddElement(label);
    label->m_pOwner = e;
    return e;
}

CPNEvent* NetFixture::AddEvent(const std::string& name, std::initializer_list<CPNCondition*> pre,
                               std::initializer_list<CPNCondition*> post) {
    CPNEvent* e = AddEvent(name);
    for (CPNCondition* c : pre)
        AddEdge(c, e);
    for (CPNCondition* c : post)
        AddEdge(e, c);
    return e;
}

CPNEdge* NetFixture::AddEdge(CPNElement* from, CPNElement* to) {
    auto* edge = new CPNEdge(from, to);
    return net.AddElement(edge) ? edge : nullptr;
}

void NetFixture::Build() {
    net.BuildStructure();
    sink.Reset();
}
