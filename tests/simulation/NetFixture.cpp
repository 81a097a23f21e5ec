#include "NetFixture.h"

CPNCondition* NetFixture::AddCondition(const std::string& name, int x, int y, bool token) {
    return builder.ConditionAt(name, CPoint(x, y), token);
}

CPNEvent* NetFixture::AddEvent(const std::string& name, int x, int y) {
    return builder.EventAt(name, CPoint(x, y));
}

CPNEvent* NetFixture::AddEvent(const std::string& name, std::initializer_list<CPNCondition*> pre,
                               std::initializer_list<CPNCondition*> post) {
    return builder.EventAt(name, CPoint(200, 100), pre, post);
}

CPNEdge* NetFixture::AddEdge(CPNElement* from, CPNElement* to) {
    auto* edge = new CPNEdge(from, to);
    return net.AddElement(edge) ? edge : nullptr;
}

void NetFixture::Build() {
    net.BuildStructure();
    sink.Reset();
}
