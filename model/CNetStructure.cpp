#include "model/CNetStructure.h"

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/SerialOrder.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::string NameOf(const CPNElement* element) {
    const CPNLabel* label = CNetDesign::NameLabelOf(element);
    return label ? label->GetText() : std::string();
}

} // namespace

CNetStructure CNetStructure::FromDesign(const CNetDesign& design) {
    CNetStructure net;
    std::vector<CPNCondition*> conditions;
    for (CPNElement* e : design.m_listElements)
        if (auto* condition = dynamic_cast<CPNCondition*>(e))
            conditions.push_back(condition);
    std::sort(conditions.begin(), conditions.end(), SerialOrder::Less<CPNCondition>());
    std::unordered_map<const CPNElement*, int> numbers;
    for (CPNCondition* condition : conditions) {
        numbers[condition] = net.AddCondition(NameOf(condition), condition->m_bToken);
        net.m_conditions.push_back(condition);
    }
    for (CPNEvent* event : design.GetEvents()) {
        numbers[event] = net.AddEvent(NameOf(event));
        net.m_events.push_back(event);
    }
    for (CPNElement* e : design.m_listElements) {
        auto* edge = dynamic_cast<CPNEdge*>(e);
        if (!edge)
            continue;
        auto from = numbers.find(edge->m_pFrom);
        auto to = numbers.find(edge->m_pTo);
        if (from == numbers.end() || to == numbers.end())
            continue;
        const bool fromEvent = dynamic_cast<CPNEvent*>(edge->m_pFrom) != nullptr;
        const bool toEvent = dynamic_cast<CPNEvent*>(edge->m_pTo) != nullptr;
        if (fromEvent && !toEvent)
            net.AddPost(from->second, to->second);
        else if (!fromEvent && toEvent)
            net.AddPre(to->second, from->second);
    }
    return net;
}

int CNetStructure::AddCondition(std::string name, bool token) {
    m_conditionNames.push_back(std::move(name));
    m_initial.push_back(token);
    m_preEvents.emplace_back();
    m_postEvents.emplace_back();
    return static_cast<int>(m_conditionNames.size()) - 1;
}

int CNetStructure::AddEvent(std::string name) {
    m_eventNames.push_back(std::move(name));
    m_pre.emplace_back();
    m_post.emplace_back();
    return static_cast<int>(m_eventNames.size()) - 1;
}

void CNetStructure::InsertSorted(std::vector<int>& list, int value) {
    auto it = std::lower_bound(list.begin(), list.end(), value);
    if (it == list.end() || *it != value)
        list.insert(it, value);
}

void CNetStructure::AddPre(int event, int condition) {
    InsertSorted(m_pre[Index(event)], condition);
    InsertSorted(m_postEvents[Index(condition)], event);
}

void CNetStructure::AddPost(int event, int condition) {
    InsertSorted(m_post[Index(event)], condition);
    InsertSorted(m_preEvents[Index(condition)], event);
}

std::vector<int> CNetStructure::InitialCase() const {
    std::vector<int> result;
    for (std::size_t c = 0; c < m_initial.size(); ++c)
        if (m_initial[c])
            result.push_back(static_cast<int>(c));
    return result;
}

int CNetStructure::FindCondition(const std::string& name) const {
    auto it = std::find(m_conditionNames.begin(), m_conditionNames.end(), name);
    return it == m_conditionNames.end() ? -1 : static_cast<int>(it - m_conditionNames.begin());
}

int CNetStructure::FindEvent(const std::string& name) const {
    auto it = std::find(m_eventNames.begin(), m_eventNames.end(), name);
    return it == m_eventNames.end() ? -1 : static_cast<int>(it - m_eventNames.begin());
}
