#include "OccurrenceFixture.h"

CPNCondition* OccurrenceFixture::AddCondition(const std::string& name, bool token) {
    auto* label = new CPNLabel();
    label->SetText(name, dc);
    auto* c = new CPNCondition(100, 100, label);
    c->m_bToken = token;
    net.AddElement(c);
    net.AddElement(label);
    label->m_pOwner = c;
    return c;
}

CPNEvent* OccurrenceFixture::AddEvent(const std::string& name) {
    auto* label = new CPNLabel();
    label->SetText(name, dc);
    auto* e = new CPNEvent(200, 100, label);
    net.AddElement(e);
    net.AddElement(label);
    label->m_pOwner = e;
    return e;
}

void OccurrenceFixture::AddEdge(CPNElement* from, CPNElement* to) {
    net.AddElement(new CPNEdge(from, to));
}

CPNEvent* OccurrenceFixture::AddEvent(const std::string& name,
                                      std::initializer_list<CPNCondition*> pre,
                                      std::initializer_list<CPNCondition*> post) {
    CPNEvent* e = AddEvent(name);
    for (CPNCondition* c : pre)
        AddEdge(c, e);
    for (CPNCondition* c : post)
        AddEdge(e, c);
    return e;
}

void OccurrenceFixture::Prepare() {
    net.BuildStructure();
    record.NumberElements(net.m_listElements);
    sink.Reset();
}

CSetConditions OccurrenceFixture::Case(std::initializer_list<CPNCondition*> members) {
    CSetConditions s;
    for (CPNCondition* c : members)
        s.Add(c);
    return s;
}

CSetConditions OccurrenceFixture::Fire(const CSetConditions& current,
                                       std::initializer_list<CPNEvent*> events) {
    CSetConditions next = current;
    std::list<CPNElement*> step;
    for (CPNEvent* e : events) {
        next.Subtract(e->m_setPreConditions);
        step.push_back(e);
    }
    for (CPNEvent* e : events)
        next.Union(e->m_setPostConditions);
    record.RecordStep(step, next);
    return next;
}
