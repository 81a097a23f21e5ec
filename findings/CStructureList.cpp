#include "findings/CStructureList.h"

#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"

#include <algorithm>

namespace {

std::string Counted(std::size_t n, const char* what, bool complete) {
    return std::to_string(n) + " " + what + (complete ? "" : " (the first; there are more)");
}

} // namespace

void CStructureList::Clear() {
    m_pNet.reset();
    m_arrItems.clear();
    m_arrSummary.clear();
}

void CStructureList::Fill(std::shared_ptr<const CNetStructure> net,
                          const std::optional<CSemiflowResult>& s,
                          const std::optional<CSemiflowResult>& t,
                          const std::optional<CSiphonResult>& siphons) {
    Clear();
    m_pNet = std::move(net);
    for (const auto& [found, kind] : {std::pair{&s, EKind::SInvariant}, {&t, EKind::TInvariant}}) {
        if (!*found)
            continue;
        const CSemiflowResult& result = **found;
        for (const CSemiflow& flow : result.semiflows)
            m_arrItems.push_back({kind, flow.support, flow.weights, flow.initialValue, {}, false});
        const bool conditions = kind == EKind::SInvariant;
        m_arrSummary.push_back(
            Counted(result.semiflows.size(), conditions ? "S-invariant(s)" : "T-invariant(s)",
                    result.Complete()) +
            (result.Covered() ? conditions ? ", every condition in one" : ", every event in one"
                              : ""));
    }
    if (siphons) {
        for (const CSiphon& siphon : siphons->siphons)
            m_arrItems.push_back({EKind::Siphon, siphon.conditions,
                                  std::vector<std::int64_t>(siphon.conditions.size(), 1), 0,
                                  siphon.trap, siphon.trapMarked});
        m_arrSummary.push_back(Counted(siphons->siphons.size(), "minimal siphon(s)",
                                       siphons->end == EEnumeration::Complete) +
                               (siphons->siphonTrapProperty
                                    ? ", each with a marked trap: none is ever emptied"
                                    : ", not each with a marked trap"));
    }
}

std::vector<std::size_t> CStructureList::ItemsOf(EKind kind) const {
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < m_arrItems.size(); ++i)
        if (m_arrItems[i].kind == kind)
            items.push_back(i);
    return items;
}

std::string CStructureList::Describe(const Item& item) const {
    if (!m_pNet)
        return {};
    const CNetStructure& net = *m_pNet;
    auto name = [&](int element) {
        return item.kind == EKind::TInvariant ? net.EventName(element) : net.ConditionName(element);
    };
    auto set = [&](const std::vector<int>& elements) {
        std::string text = "{";
        for (std::size_t k = 0; k < elements.size(); ++k)
            text += (k ? ", " : " ") + name(elements[k]);
        return text + (elements.empty() ? "}" : " }");
    };
    if (item.kind == EKind::Siphon)
        return set(item.elements) +
               (item.trap.empty()
                    ? ", no trap"
                    : ", trap " + set(item.trap) + (item.trapMarked ? " marked" : " unmarked"));
    std::string text;
    for (std::size_t k = 0; k < item.elements.size(); ++k)
        text += (k ? " + " : "") +
                (item.weights[k] == 1 ? std::string() : std::to_string(item.weights[k]) + " ") +
                name(item.elements[k]);
    if (item.kind == EKind::SInvariant)
        text += " = " + std::to_string(item.value);
    return text;
}

std::int64_t CStructureList::ValueIn(const Item& item, const std::vector<bool>& held) {
    std::int64_t value = 0;
    for (std::size_t k = 0; k < item.elements.size(); ++k) {
        const auto c = static_cast<std::size_t>(item.elements[k]);
        if (c < held.size() && held[c])
            value += item.weights[k];
    }
    return value;
}

std::vector<bool> CStructureList::Held(const CSetConditions& c) const {
    std::vector<bool> held;
    if (!m_pNet)
        return held;
    const std::vector<CPNCondition*>& conditions = m_pNet->Conditions();
    held.resize(conditions.size());
    for (std::size_t i = 0; i < conditions.size(); ++i)
        held[i] = c.Contains(conditions[i]);
    return held;
}

std::vector<CElementHighlight::Mark> CStructureList::Marks(const Item& item) const {
    std::vector<CElementHighlight::Mark> marks;
    if (!m_pNet)
        return marks;
    const bool events = item.kind == EKind::TInvariant;
    const auto& conditions = m_pNet->Conditions();
    const auto& netEvents = m_pNet->Events();
    for (std::size_t k = 0; k < item.elements.size(); ++k) {
        const auto element = static_cast<std::size_t>(item.elements[k]);
        const CPNElement* pElement = nullptr;
        if (events && element < netEvents.size())
            pElement = netEvents[element];
        else if (!events && element < conditions.size())
            pElement = conditions[element];
        std::string text = item.weights[k] == 1 ? std::string() : std::to_string(item.weights[k]);
        if (item.kind == EKind::Siphon &&
            std::binary_search(item.trap.begin(), item.trap.end(), item.elements[k]))
            text = "trap";
        if (events)
            text = "\xC3\x97" + std::to_string(item.weights[k]);
        marks.push_back({pElement, text});
    }
    return marks;
}
