#include "simulation/CNameList.h"

#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

void CNameList::Append(const std::string& item) {
    if (!m_bEmpty)
        m_strText += ", ";
    m_strText += item;
    m_bEmpty = false;
}

std::string CNameList::NameOf(const CPNElement* element) {
    const CPNLabel* label = nullptr;
    if (auto* condition = dynamic_cast<const CPNCondition*>(element))
        label = condition->m_pLabel;
    else if (auto* event = dynamic_cast<const CPNEvent*>(element))
        label = event->m_pLabel;
    return label ? label->m_strText : std::string();
}

std::vector<std::string> CNameList::NamesInErrorLine(const std::string& line) {
    static const std::string kStart = "Error: found ";
    std::vector<std::string> names;
    const std::size_t colon = line.find(": ", kStart.size());
    if (line.compare(0, kStart.size(), kStart) != 0 || colon == std::string::npos)
        return names;
    const std::string rest = line.substr(colon + 2);
    const auto add = [&names](const std::string& name) {
        if (!name.empty())
            names.push_back(name);
    };
    std::size_t from = 0;
    while (from <= rest.size()) {
        std::size_t comma = rest.find(", ", from);
        if (comma == std::string::npos)
            comma = rest.size();
        const std::string item = rest.substr(from, comma - from);
        // A pair of indistinguishable nodes.
        if (const std::size_t pair = item.find(" and "); pair != std::string::npos) {
            add(item.substr(0, pair));
            add(item.substr(pair + 5));
        } else
            add(item);
        from = comma + 2;
    }
    return names;
}
