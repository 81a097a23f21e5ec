#include "support/ReferenceSteps.h"

#include "model/CPNEvent.h"
#include "model/CSetConditions.h"

#include <cstddef>

namespace {

struct Lister {
    std::vector<CPNEvent*> enabled;
    std::vector<CSetEvents> steps;

    void Extend(const CSetEvents& prefix, const CSetConditions& pre, const CSetConditions& post,
                std::size_t first, std::size_t depth) {
        for (std::size_t j = first; j < enabled.size(); ++j) {
            CPNEvent* event = enabled[j];
            if (depth != 1 &&
                (event->m_setPreConditions.Meets(pre) || event->m_setPostConditions.Meets(post)))
                continue;
            CSetEvents step = prefix;
            step.Add(event);
            CSetConditions stepPre = pre, stepPost = post;
            stepPre.Union(event->m_setPreConditions);
            stepPost.Union(event->m_setPostConditions);
            steps.push_back(step);
            if (depth + 1 < enabled.size())
                Extend(step, stepPre, stepPost, j + 1, depth + 1);
        }
    }
};

} // namespace

std::vector<CSetEvents> ListSteps(const std::vector<CPNEvent*>& events, const CSetConditions& c,
                                  bool forward) {
    Lister lister;
    for (CPNEvent* event : events)
        if (c.HasConcession(event->m_setPreConditions, event->m_setPostConditions, forward))
            lister.enabled.push_back(event);
    const std::size_t n = lister.enabled.size();
    if (n == 0)
        return {};
    if (n == 1) {
        CSetEvents single;
        single.Add(lister.enabled[0]);
        return {single};
    }
    lister.Extend(CSetEvents(), CSetConditions(), CSetConditions(), 0, 1);
    // The whole set, when its events are pairwise detached.
    CSetEvents all;
    CSetConditions pre, post;
    for (CPNEvent* event : lister.enabled) {
        if (event->m_setPreConditions.Meets(pre) || event->m_setPostConditions.Meets(post))
            return lister.steps;
        all.Add(event);
        pre.Union(event->m_setPreConditions);
        post.Union(event->m_setPostConditions);
    }
    lister.steps.push_back(all);
    return lister.steps;
}
