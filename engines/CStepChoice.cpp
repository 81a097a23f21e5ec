#include "engines/CStepChoice.h"

#include "base/CRandomSource.h"
#include "engines/CDetachedSetCounter.h"
#include "model/CPNEvent.h"
#include "model/CSetConditions.h"

#include <cstddef>

CSetEvents CStepChoice::Choose(const std::vector<CPNEvent*>& events,
                               const CSetConditions& current, bool random, CRandomSource& source) {
    std::vector<CPNEvent*> enabled;
    for (CPNEvent* event : events)
        if (current.HasConcession(event->m_setPreConditions, event->m_setPostConditions, true))
            enabled.push_back(event);
    const auto conflict = [&enabled](int i, int j) {
        const CPNEvent* a = enabled[static_cast<std::size_t>(i)];
        const CPNEvent* b = enabled[static_cast<std::size_t>(j)];
        return a->m_setPreConditions.Meets(b->m_setPreConditions) ||
               a->m_setPostConditions.Meets(b->m_setPostConditions);
    };
    const int n = static_cast<int>(enabled.size());
    CSetEvents step;
    const auto counted = DetachedSets::Ask(n, conflict, DetachedSets::EAsk::Count);
    if (!counted) {
        // Past the counter's reach (over a thousand events with concession at once): the
        // events in order (from a random one on), each unless in conflict with those taken.
        const int first = random ? static_cast<int>(source.Rand() % static_cast<unsigned>(n)) : 0;
        std::vector<int> taken;
        for (int k = 0; k < n; ++k) {
            const int i = (first + k) % n;
            bool free = true;
            for (int j : taken)
                free = free && !conflict(i, j);
            if (free) {
                taken.push_back(i);
                step.Add(enabled[static_cast<std::size_t>(i)]);
            }
        }
        return step;
    }
    if (counted->count == 0)
        return step;
    const auto chosen =
        random ? DetachedSets::Ask(n, conflict, DetachedSets::EAsk::At,
                                   static_cast<UInt128>(source.Rand()) % counted->count)
               : DetachedSets::Ask(n, conflict, DetachedSets::EAsk::FirstLargest);
    for (int i : chosen->step)
        step.Add(enabled[static_cast<std::size_t>(i)]);
    return step;
}
