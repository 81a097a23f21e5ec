#include "structure/CSemiflowSystem.h"

#include "model/CNetStructure.h"

#include <algorithm>

namespace {

// The events' columns of the incidence: (condition, C[c][e]) for the non-zero entries.
std::vector<std::vector<std::pair<int, int>>> EventColumns(const CNetStructure& net) {
    std::vector<std::vector<std::pair<int, int>>> columns(net.EventCount());
    for (std::size_t e = 0; e < columns.size(); ++e) {
        const std::vector<int>& pre = net.Pre(static_cast<int>(e));
        const std::vector<int>& post = net.Post(static_cast<int>(e));
        for (int c : pre)
            if (!std::binary_search(post.begin(), post.end(), c))
                columns[e].emplace_back(c, -1);
        for (int c : post)
            if (!std::binary_search(pre.begin(), pre.end(), c))
                columns[e].emplace_back(c, 1);
        std::sort(columns[e].begin(), columns[e].end());
    }
    return columns;
}

} // namespace

CSemiflowSystem CSemiflowSystem::ForTInvariants(const CNetStructure& net) {
    CSemiflowSystem system;
    system.constraints = static_cast<int>(net.ConditionCount());
    system.columns = EventColumns(net);
    return system;
}

CSemiflowSystem CSemiflowSystem::ForSInvariants(const CNetStructure& net) {
    CSemiflowSystem system;
    system.constraints = static_cast<int>(net.EventCount());
    system.columns.resize(net.ConditionCount());
    const auto events = EventColumns(net);
    // Events in ascending order, so each condition's list comes out sorted.
    for (std::size_t e = 0; e < events.size(); ++e)
        for (const auto& [c, value] : events[e])
            system.columns[static_cast<std::size_t>(c)].emplace_back(static_cast<int>(e), value);
    return system;
}
