#include "simulation/CNetVerification.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "model/CConditionCaseIndex.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"
#include "simulation/CNameCountMap.h"
#include "simulation/CNameList.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <list>
#include <map>
#include <vector>

namespace {

bool IsIsolated(const CPNCondition& c) {
    return c.m_setPreEvents.IsEmpty() && c.m_setPostEvents.IsEmpty();
}

bool IsIsolated(const CPNEvent& e) {
    return e.m_setPreConditions.IsEmpty() && e.m_setPostConditions.IsEmpty();
}

// The pairs of nodes of one kind (in list order, each pair once, the earlier node
// first) whose pre- and post-sets are equal, with the number of nodes counted per pair.
// Nodes are grouped by their two sets first, so that a long net costs what it has.
template <class Node, class Set>
void FindEqualNodes(const std::list<CPNElement*>& elements, Set Node::*pre, Set Node::*post,
                    CNameList& pairs, int& count) {
    std::vector<const Node*> nodes;
    for (const CPNElement* e : elements)
        if (auto* node = dynamic_cast<const Node*>(e); node && !IsIsolated(*node))
            nodes.push_back(node);
    // The sets order their members by serial number: equal sets give equal keys.
    auto key = [pre, post](const Node* node) {
        std::vector<std::uint64_t> k;
        for (const auto* member : node->*pre)
            k.push_back(member->GetSerial());
        k.push_back(0);
        for (const auto* member : node->*post)
            k.push_back(member->GetSerial());
        return k;
    };
    std::map<std::vector<std::uint64_t>, std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        groups[key(nodes[i])].push_back(i);
    std::vector<const std::vector<std::size_t>*> groupOf(nodes.size(), nullptr);
    std::vector<std::size_t> placeIn(nodes.size(), 0);
    for (const auto& [k, members] : groups)
        for (std::size_t p = 0; p < members.size(); ++p) {
            groupOf[members[p]] = &members;
            placeIn[members[p]] = p;
        }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::vector<std::size_t>& members = *groupOf[i];
        for (std::size_t q = placeIn[i] + 1; q < members.size(); ++q) {
            pairs.Append(CNameList::NameOf(nodes[i]) + " and " +
                         CNameList::NameOf(nodes[members[q]]));
            count += 2;
        }
    }
}

} // namespace

int CNetVerification::CheckNaming() const {
    WriteOutput(PANE_STANDARD, "  Correct naming...");
    CNameCountMap names;
    int blankConditions = 0;
    int blankEvents = 0;
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* condition = dynamic_cast<const CPNCondition*>(e)) {
            if (!condition->m_pLabel)
                continue;
            if (condition->m_pLabel->m_strText.empty())
                ++blankConditions;
            else
                names.Add(condition->m_pLabel->m_strText);
        } else if (auto* event = dynamic_cast<const CPNEvent*>(e)) {
            if (event->m_pLabel && event->m_pLabel->m_strText.empty())
                ++blankEvents;
        }
    }

    CNameList duplicates;
    int duplicated = 0;
    names.ForEach([&](const std::string& name, int count) {
        if (count > 1) {
            duplicates.Append(name);
            duplicated += count;
        }
    });

    int errors = 0;
    if (!duplicates.IsEmpty()) {
        WriteError(PANE_STANDARD, FormatString("found %d conditions with same name: ", duplicated) +
                                      duplicates.GetText());
        ++errors;
    }
    if (blankConditions > 0) {
        WriteError(PANE_STANDARD,
                   FormatString("found %d condition(s) with blank name", blankConditions));
        ++errors;
    }
    if (blankEvents > 0) {
        WriteError(PANE_STANDARD, FormatString("found %d event(s) with blank name", blankEvents));
        ++errors;
    }
    return errors;
}

int CNetVerification::CheckIsolated() const {
    int errors = 0;

    WriteOutput(PANE_STANDARD, "  Isolated conditions...");
    CNameList conditions;
    int isolatedConditions = 0;
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* condition = dynamic_cast<const CPNCondition*>(e);
            condition && IsIsolated(*condition)) {
            ++isolatedConditions;
            conditions.Append(CNameList::NameOf(condition));
        }
    }
    if (isolatedConditions > 0) {
        WriteError(PANE_STANDARD,
                   FormatString("found %d isolated condition(s): ", isolatedConditions) +
                       conditions.GetText());
        ++errors;
    }

    WriteOutput(PANE_STANDARD, "  Isolated events...");
    CNameList events;
    int isolatedEvents = 0;
    for (const CPNElement* e : m_net.m_listElements) {
        if (auto* event = dynamic_cast<const CPNEvent*>(e); event && IsIsolated(*event)) {
            ++isolatedEvents;
            events.Append(CNameList::NameOf(event));
        }
    }
    if (isolatedEvents > 0) {
        WriteError(PANE_STANDARD,
                   FormatString("found %d isolated event(s): ", isolatedEvents) + events.GetText());
        ++errors;
    }
    return errors;
}

int CNetVerification::CheckConcession(std::span<const CSetConditions* const> cases) {
    WriteOutput(PANE_STANDARD, "  Events concession...");
    CNameList dead;
    int deadEvents = 0;
    // Concession needs the pre-set in the case: only the cases that may include it are
    // asked, in their order.
    const CConditionCaseIndex index(cases);
    const auto firstCase = std::find_if(cases.begin(), cases.end(),
                                        [](const CSetConditions* c) { return c != nullptr; });
    for (CPNElement* e : m_net.m_listElements) {
        auto* event = dynamic_cast<CPNEvent*>(e);
        if (!event)
            continue;
        bool enabled = false;
        const std::vector<std::size_t>* candidates =
            index.CasesThatMayInclude(event->m_setPreConditions);
        const std::size_t count = candidates ? candidates->size() : cases.size();
        for (std::size_t k = 0; k < count && !enabled; ++k) {
            const CSetConditions* c = cases[candidates ? (*candidates)[k] : k];
            enabled = c && event->UpdateEnabled(*c, true);
        }
        // An event without concession is left marked disabled, as by every case.
        if (!enabled && firstCase != cases.end())
            event->UpdateEnabled(**firstCase, true);
        if (!enabled) {
            ++deadEvents;
            dead.Append(CNameList::NameOf(event));
        }
    }
    return ReportDead(deadEvents, dead);
}

int CNetVerification::CheckConcession(const std::function<bool(const CPNEvent&)>& hasConcession) {
    WriteOutput(PANE_STANDARD, "  Events concession...");
    CNameList dead;
    int deadEvents = 0;
    for (CPNElement* e : m_net.m_listElements)
        if (auto* event = dynamic_cast<CPNEvent*>(e); event && !hasConcession(*event)) {
            ++deadEvents;
            dead.Append(CNameList::NameOf(event));
        }
    return ReportDead(deadEvents, dead);
}

int CNetVerification::ReportDead(int deadEvents, const CNameList& dead) {
    if (deadEvents == 0)
        return 0;
    WriteError(PANE_STANDARD,
               FormatString("found %d event(s) without concession: ", deadEvents) + dead.GetText());
    return 1;
}

int CNetVerification::CheckIndistinguishable() const {
    int errors = 0;
    const auto& elements = m_net.m_listElements;

    WriteOutput(PANE_STANDARD, "  Indistinguishable conditions...");
    CNameList conditionPairs;
    int conditionCount = 0;
    FindEqualNodes(elements, &CPNCondition::m_setPreEvents, &CPNCondition::m_setPostEvents,
                   conditionPairs, conditionCount);
    if (conditionCount > 0) {
        WriteError(PANE_STANDARD,
                   FormatString("found %d indistinguishable conditions: ", conditionCount) +
                       conditionPairs.GetText());
        ++errors;
    }

    WriteOutput(PANE_STANDARD, "  Indistinguishable events...");
    CNameList eventPairs;
    int eventCount = 0;
    FindEqualNodes(elements, &CPNEvent::m_setPreConditions, &CPNEvent::m_setPostConditions,
                   eventPairs, eventCount);
    if (eventCount > 0) {
        WriteError(PANE_STANDARD, FormatString("found %d indistinguishable events: ", eventCount) +
                                      eventPairs.GetText());
        ++errors;
    }
    return errors;
}

int CNetVerification::CheckEmpty() const {
    if (m_net.m_nEvents != 0 || m_net.m_nConditions != 0)
        return 0;
    WriteError(PANE_STANDARD, "Empty net");
    return 1;
}
