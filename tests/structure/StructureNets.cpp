#include "StructureNets.h"

#include "model/CNetDesign.h"
#include "support/NetFamilies.h"

#include <algorithm>

CNetStructure RandomStructure(std::mt19937& gen, int conditions, int events) {
    CNetDesign design;
    BuildRandomNet(design, gen, conditions, events);
    return CNetStructure::FromDesign(design);
}

CNetStructure StructureFromText(const std::string& text) {
    CNetDesign design;
    BuildNetFromText(design, text);
    return CNetStructure::FromDesign(design);
}

int Incidence(const CNetStructure& net, int c, int e) {
    const auto& pre = net.Pre(e);
    const auto& post = net.Post(e);
    return (std::count(post.begin(), post.end(), c) ? 1 : 0) -
           (std::count(pre.begin(), pre.end(), c) ? 1 : 0);
}

std::vector<std::vector<bool>> RandomRun(const CNetStructure& net, std::mt19937& gen, int steps) {
    std::vector<bool> marked(net.ConditionCount());
    for (int c : net.InitialCase())
        marked[static_cast<std::size_t>(c)] = true;
    std::vector<std::vector<bool>> run{marked};
    for (int step = 0; step < steps; ++step) {
        std::vector<int> enabled;
        auto held = [&](int c) { return marked[static_cast<std::size_t>(c)]; };
        for (int e = 0; e < static_cast<int>(net.EventCount()); ++e)
            if (std::all_of(net.Pre(e).begin(), net.Pre(e).end(), held) &&
                std::none_of(net.Post(e).begin(), net.Post(e).end(), held))
                enabled.push_back(e);
        if (enabled.empty())
            break;
        const int e = enabled[gen() % enabled.size()];
        for (int c : net.Pre(e))
            marked[static_cast<std::size_t>(c)] = false;
        for (int c : net.Post(e))
            marked[static_cast<std::size_t>(c)] = true;
        run.push_back(marked);
    }
    return run;
}
