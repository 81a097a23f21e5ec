#include "support/NetFamilies.h"

#include "base/CDC.h"
#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <vector>

template <class Element> Element* NetBuilder::AddNamed(const std::string& name, CPoint at) {
    auto* label = new CPNLabel();
    if (m_pDC)
        label->SetText(name, *m_pDC);
    else
        label->m_strText = name;
    auto* element = new Element(at.x, at.y, label);
    label->m_pOwner = element;
    m_net.AddElement(element);
    m_net.AddElement(label);
    return element;
}

CPoint NetBuilder::NextPlace() {
    // Spread over a grid so that no two elements overlap.
    const int placed = m_nPlaced++;
    return CPoint(60 + 80 * (placed % 20), 60 + 80 * (placed / 20));
}

CPNCondition* NetBuilder::Condition(const std::string& name, bool token) {
    return ConditionAt(name, NextPlace(), token);
}

CPNCondition* NetBuilder::ConditionAt(const std::string& name, CPoint at, bool token) {
    auto* c = AddNamed<CPNCondition>(name, at);
    c->m_bToken = token;
    return c;
}

CPNEvent* NetBuilder::Event(const std::string& name, std::initializer_list<CPNCondition*> pre,
                            std::initializer_list<CPNCondition*> post) {
    return EventAt(name, NextPlace(), pre, post);
}

CPNEvent* NetBuilder::EventAt(const std::string& name, CPoint at,
                              std::initializer_list<CPNCondition*> pre,
                              std::initializer_list<CPNCondition*> post) {
    auto* e = AddNamed<CPNEvent>(name, at);
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

CSetConditions BuildRandomNet(CNetDesign& net, std::mt19937& gen, int conditions, int events,
                              CDC* measure) {
    NetBuilder b(net, measure);
    std::vector<CPNCondition*> conds;
    for (int i = 0; i < conditions; ++i)
        conds.push_back(b.Condition("k" + std::to_string(i), gen() % 2 == 0));
    for (int e = 0; e < events; ++e) {
        CPNEvent* event = b.Event("t" + std::to_string(e));
        for (CPNCondition* c : conds) {
            const unsigned r = gen() % 6;
            if (r == 0)
                b.Edge(c, event);
            else if (r == 1)
                b.Edge(event, c);
        }
    }
    return b.Build();
}

CSetConditions BuildRandomSystem(CNetDesign& net, std::mt19937& gen, int components, int length,
                                 int shared) {
    NetBuilder b(net);
    std::vector<std::vector<CPNCondition*>> states(static_cast<std::size_t>(components));
    for (int i = 0; i < components; ++i)
        for (int j = 0; j < length; ++j)
            states[static_cast<std::size_t>(i)].push_back(
                b.Condition("s" + std::to_string(i) + "_" + std::to_string(j), j == 0));
    std::vector<CPNCondition*> resources;
    for (int r = 0; r < shared; ++r)
        resources.push_back(b.Condition("r" + std::to_string(r), true));
    for (int i = 0; i < components; ++i) {
        // The stretch of the cycle that holds each resource it uses: taken by the event
        // entering the stretch, given back by the one leaving it.
        std::vector<std::vector<CPNCondition*>> takes(static_cast<std::size_t>(length)),
            gives(static_cast<std::size_t>(length));
        for (CPNCondition* r : resources) {
            if (gen() % 2 != 0)
                continue;
            const auto from = static_cast<std::size_t>(gen() % static_cast<unsigned>(length));
            const auto to = (from + 1 + gen() % static_cast<unsigned>(length - 1)) %
                            static_cast<std::size_t>(length);
            takes[from].push_back(r);
            gives[to].push_back(r);
        }
        for (int j = 0; j < length; ++j) {
            const auto u = static_cast<std::size_t>(j);
            const auto v = static_cast<std::size_t>((j + 1) % length);
            CPNEvent* e = b.Event("t" + std::to_string(i) + "_" + std::to_string(j));
            const auto& cycle = states[static_cast<std::size_t>(i)];
            b.Edge(cycle[u], e);
            b.Edge(e, cycle[v]);
            for (CPNCondition* r : takes[u])
                b.Edge(r, e);
            for (CPNCondition* r : gives[v])
                b.Edge(e, r);
        }
    }
    return b.Build();
}

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word[0] == '~' ? word.substr(1) : word);
    return words;
}

} // namespace

CNetStructure Undrawn(const CNetStructure& drawn, int pad) {
    CNetStructure net;
    for (int c = 0; c < pad; ++c)
        net.AddCondition("pad" + std::to_string(c), c % 2 == 0);
    for (int c = 0; c < static_cast<int>(drawn.ConditionCount()); ++c)
        net.AddCondition(drawn.ConditionName(c), drawn.Initial(c));
    for (int e = 0; e < static_cast<int>(drawn.EventCount()); ++e) {
        net.AddEvent(drawn.EventName(e));
        for (const int c : drawn.Pre(e))
            net.AddPre(e, c + pad);
        for (const int c : drawn.Post(e))
            net.AddPost(e, c + pad);
    }
    return net;
}

std::vector<CPNCondition*> ConditionsOf(const CNetDesign& net) {
    std::vector<CPNCondition*> conditions;
    for (CPNElement* element : net.m_listElements)
        if (auto* condition = dynamic_cast<CPNCondition*>(element))
            conditions.push_back(condition);
    return conditions;
}

CSetConditions BuildNetFromText(CNetDesign& net, const std::string& text, CDC* measure) {
    NetBuilder b(net, measure);
    std::map<std::string, CPNCondition*> conditions;
    // Each condition listed is a new one, even under a name listed before; an event
    // refers to the last of that name.
    auto condition = [&](std::string name, bool listed) {
        const bool token = !name.empty() && name.back() == '*';
        if (token)
            name.pop_back();
        CPNCondition*& c = conditions[name];
        if (!c || listed)
            c = b.Condition(name, token);
        return c;
    };
    std::istringstream parts(text);
    std::string part;
    std::getline(parts, part, ';');
    for (const std::string& name : Words(part))
        condition(name, true);
    while (std::getline(parts, part, ';')) {
        const auto colon = part.find(':'), arrow = part.find("->");
        const std::vector<std::string> name = Words(part.substr(0, colon));
        CPNEvent* e = b.Event(name.empty() ? "" : name.front());
        if (colon == std::string::npos)
            continue;
        for (const std::string& pre : Words(part.substr(colon + 1, arrow - colon - 1)))
            b.Edge(condition(pre, false), e);
        if (arrow != std::string::npos)
            for (const std::string& post : Words(part.substr(arrow + 2)))
                b.Edge(e, condition(post, false));
    }
    return b.Build();
}

std::string RingNetText(int n) {
    std::string text = "c0*";
    for (int i = 1; i < n; ++i)
        text += " c" + std::to_string(i);
    for (int i = 0; i < n; ++i)
        text += "; t" + std::to_string(i) + ": c" + std::to_string(i) + " -> c" +
                std::to_string((i + 1) % n);
    return text;
}

std::string RandomSystemText(std::mt19937& gen) {
    struct Event {
        std::string name;
        std::vector<std::string> pre, post;
        int ring = 0;
    };
    const int rings = std::uniform_int_distribution<int>(2, 4)(gen);
    std::string text;
    std::vector<Event> events;
    for (int r = 0; r < rings; ++r) {
        const int length = std::uniform_int_distribution<int>(2, 3)(gen);
        const int marked = std::uniform_int_distribution<int>(0, length - 1)(gen);
        const std::string ring = std::to_string(r);
        for (int p = 0; p < length; ++p)
            text += (text.empty() ? "" : " ") + ("c" + ring + "_" + std::to_string(p)) +
                    (p == marked ? "*" : "");
        for (int p = 0; p < length; ++p)
            events.push_back({"t" + ring + "_" + std::to_string(p),
                              {"c" + ring + "_" + std::to_string(p)},
                              {"c" + ring + "_" + std::to_string((p + 1) % length)},
                              r});
    }
    std::set<std::pair<int, int>> joined;
    const int joins = std::uniform_int_distribution<int>(0, 3)(gen);
    for (int k = 0; k < joins; ++k) {
        std::uniform_int_distribution<std::size_t> pick(0, events.size() - 1);
        const std::size_t a = pick(gen), b = pick(gen);
        const int ra = events[a].ring, rb = events[b].ring;
        // Single events of two rings not joined yet.
        if (ra < 0 || rb < 0 || ra == rb || !joined.insert(std::minmax(ra, rb)).second)
            continue;
        Event both{"s" + std::to_string(k), events[a].pre, events[a].post, -1};
        both.pre.insert(both.pre.end(), events[b].pre.begin(), events[b].pre.end());
        both.post.insert(both.post.end(), events[b].post.begin(), events[b].post.end());
        events[std::min(a, b)] = std::move(both);
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(std::max(a, b)));
    }
    for (const Event& event : events) {
        text += "; " + event.name + ":";
        for (const std::string& c : event.pre)
            text += " " + c;
        text += " ->";
        for (const std::string& c : event.post)
            text += " " + c;
    }
    return text;
}
