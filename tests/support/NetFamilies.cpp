#include "support/NetFamilies.h"

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <vector>

namespace {

template <class Element> Element* AddNamed(CNetDesign& net, const std::string& name, int& placed) {
    // Spread over a grid so that no two elements overlap.
    const int x = 60 + 80 * (placed % 20), y = 60 + 80 * (placed / 20);
    ++placed;
    auto* label = new CPNLabel();
    label->m_strText = name;
    auto* element = new Element(x, y, label);
    label->m_pOwner = element;
    net.AddElement(element);
    net.AddElement(label);
    return element;
}

} // namespace

CPNCondition* NetBuilder::Condition(const std::string& name, bool token) {
    auto* c = AddNamed<CPNCondition>(m_net, name, m_nPlaced);
    c->m_bToken = token;
    return c;
}

CPNEvent* NetBuilder::Event(const std::string& name, std::initializer_list<CPNCondition*> pre,
                            std::initializer_list<CPNCondition*> post) {
    auto* e = AddNamed<CPNEvent>(m_net, name, m_nPlaced);
    for (CPNCondition* c : pre)
        Edge(c, e);
    for (CPNCondition* c : post)
        Edge(e, c);
    return e;
}

void NetBuilder::Edge(CPNCondition* from, CPNEvent* to) {
    m_net.AddElement(new CPNEdge(from, to));
}

void NetBuilder::Edge(CPNEvent* from, CPNCondition* to) {
    m_net.AddElement(new CPNEdge(from, to));
}

CSetConditions NetBuilder::Build() {
    return m_net.BuildStructure();
}

CSetConditions BuildDiningPhilosophers(CNetDesign& net, int n) {
    NetBuilder b(net);
    std::vector<CPNCondition*> think, eat, fork;
    for (int i = 0; i < n; ++i) {
        think.push_back(b.Condition("think_" + std::to_string(i), true));
        eat.push_back(b.Condition("eat_" + std::to_string(i)));
        fork.push_back(b.Condition("fork_" + std::to_string(i), true));
    }
    for (int i = 0; i < n; ++i) {
        const auto u = static_cast<std::size_t>(i), v = static_cast<std::size_t>((i + 1) % n);
        b.Event("take_" + std::to_string(i), {think[u], fork[u], fork[v]}, {eat[u]});
        b.Event("put_" + std::to_string(i), {eat[u]}, {think[u], fork[u], fork[v]});
    }
    return b.Build();
}

CSetConditions BuildIndependentComponents(CNetDesign& net, int n) {
    NetBuilder b(net);
    for (int i = 0; i < n; ++i) {
        CPNCondition* a = b.Condition("a_" + std::to_string(i), true);
        CPNCondition* c = b.Condition("b_" + std::to_string(i));
        b.Event("f_" + std::to_string(i), {a}, {c});
        b.Event("g_" + std::to_string(i), {c}, {a});
    }
    return b.Build();
}
