#include "OccurrenceFixture.h"

CPNCondition* OccurrenceFixture::AddCondition(const std::string& name, bool token) {
    return builder.ConditionAt(name, CPoint(100, 100), token);
}

CPNEvent* OccurrenceFixture::AddEvent(const std::string& name) {
    return builder.EventAt(name, CPoint(200, 100));
}

void OccurrenceFixture::AddEdge(CPNElement* from, CPNElement* to) {
    net.AddElement(new CPNEdge(from, to));
}

CPNEvent* OccurrenceFixture::AddEvent(const std::string& name,
                                      std::initializer_list<CPNCondition*> pre,
                                      std::initializer_list<CPNCondition*> post) {
    return builder.EventAt(name, CPoint(200, 100), pre, post);
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
