#include "simulation/CNetVerification.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"
#include "simulation/CNameCountMap.h"
#include "simulation/CNameList.h"

#include <iterator>

namespace {

bool IsIsolated(const CPNCondition& c) {
    return c.m_setPreEvents.IsEmpty() && c.m_setPostEvents.IsEmpty();
}

bool IsIsolated(const CPNEvent& e) {
    return e.m_setPreConditions.IsEmpty() && e.m_setPostConditions.IsEmpty();
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
    for (CPNElement* e : m_net.m_listElements) {
        auto* event = dynamic_cast<CPNEvent*>(e);
        if (!event)
            continue;
        bool enabled = false;
        for (const CSetConditions* c : cases) {
            if (c && event->UpdateEnabled(*c, true)) {
                enabled = true;
                break;
            }
        }
        if (!enabled) {
            ++deadEvents;
            dead.Append(CNameList::NameOf(event));
        }
    }
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
    for (auto i = elements.begin(); i != elements.end(); ++i) {
        auto* c = dynamic_cast<const CPNCondition*>(*i);
        if (!c || IsIsolated(*c))
            continue;
        for (auto j = std::next(i); j != elements.end(); ++j) {
            auto* d = dynamic_cast<const CPNCondition*>(*j);
            if (d && c->m_setPreEvents.IsEqual(d->m_setPreEvents) &&
                c->m_setPostEvents.IsEqual(d->m_setPostEvents)) {
                conditionPairs.Append(CNameList::NameOf(c) + " and " + CNameList::NameOf(d));
                conditionCount += 2;
            }
        }
    }
    if (conditionCount > 0) {
        WriteError(PANE_STANDARD,
                   FormatString("found %d indistinguishable conditions: ", conditionCount) +
                       conditionPairs.GetText());
        ++errors;
    }

    WriteOutput(PANE_STANDARD, "  indistinguishable events...");
    CNameList eventPairs;
    int eventCount = 0;
    for (auto i = elements.begin(); i != elements.end(); ++i) {
        auto* e = dynamic_cast<const CPNEvent*>(*i);
        if (!e || IsIsolated(*e))
            continue;
        for (auto j = std::next(i); j != elements.end(); ++j) {
            auto* f = dynamic_cast<const CPNEvent*>(*j);
            if (f && e->m_setPreConditions.IsEqual(f->m_setPreConditions) &&
                e->m_setPostConditions.IsEqual(f->m_setPostConditions)) {
                eventPairs.Append(CNameList::NameOf(e) + " and " + CNameList::NameOf(f));
                eventCount += 2;
            }
        }
    }
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
