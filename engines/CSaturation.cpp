#include "engines/CSaturation.h"

#include <algorithm>
#include <climits>

namespace {

// The collector may run inside any operation; the calls are counted to ask goOn.
constexpr std::uint64_t kAskEvery = 1 << 10;

} // namespace

CSaturation::CSaturation(const std::vector<CEvent>& events, bool both)
    : m_events(events), m_bBoth(both), m_nLevels(bdd_varnum()) {
    m_arrAtLevel.assign(static_cast<std::size_t>(m_nLevels) + 1, {});
    for (std::size_t e = 0; e < events.size(); ++e) {
        if (events[e].variables.empty())
            continue;
        int top = INT_MAX;
        for (const int v : events[e].variables)
            top = std::min(top, bdd_var2level(v));
        m_arrAtLevel[static_cast<std::size_t>(top)].push_back(static_cast<int>(e));
    }
    // m_nLevels stands for "below every variable": no events there.
    m_arrNextLevel.assign(static_cast<std::size_t>(m_nLevels) + 1, m_nLevels);
    for (int k = m_nLevels - 1; k >= 0; --k)
        m_arrNextLevel[static_cast<std::size_t>(k)] =
            m_arrAtLevel[static_cast<std::size_t>(k)].empty()
                ? m_arrNextLevel[static_cast<std::size_t>(k) + 1]
                : k;
}

int CSaturation::Level(const bdd& s) {
    return s == bddtrue || s == bddfalse ? INT_MAX : bdd_var2level(bdd_var(s));
}

bdd CSaturation::Image(const bdd& s, const CEvent& event, bool forward) const {
    const bdd& need = forward ? event.need : event.give;
    const bdd& give = forward ? event.give : event.need;
    // need assigns every variable of the event: the cases of s where the event has
    // concession, its variables left out, are the cofactor of s by that cube.
    if (need == bddfalse)
        return bddfalse;
    return bdd_restrict(s, need) & give;
}

bdd CSaturation::Closure(const bdd& s, const std::function<bool()>& goOn) {
    m_goOn = goOn;
    m_nCalls = 0;
    const bdd closed = Saturate(s, 0);
    m_memo.clear();
    return closed;
}

bdd CSaturation::SaturateBelow(const bdd& s, int k) {
    if (Level(s) > k)
        return Saturate(s, k + 1);
    const bdd x = bdd_ithvar(bdd_level2var(k));
    return bdd_ite(x, Saturate(bdd_high(s), k + 1), Saturate(bdd_low(s), k + 1));
}

bdd CSaturation::Saturate(const bdd& s, int k) {
    // Every set of all assignments below, and the empty set, is closed.
    if (s == bddtrue || s == bddfalse)
        return s;
    // The levels without events between k and the node's own change nothing.
    const int level = Level(s);
    k = std::min(m_arrNextLevel[static_cast<std::size_t>(std::min(k, m_nLevels))], level);
    const std::uint64_t key = static_cast<std::uint64_t>(s.id()) << 24 | static_cast<unsigned>(k);
    if (const auto it = m_memo.find(key); it != m_memo.end())
        return it->second.second;
    if (m_goOn && ++m_nCalls % kAskEvery == 0 && !m_goOn())
        throw CStopped();
    bdd r = SaturateBelow(s, k);
    // The events of level k to a fixpoint, what they reach closed below each time.
    const std::vector<int>& events = m_arrAtLevel[static_cast<std::size_t>(k)];
    for (bool grew = !events.empty(); grew;) {
        grew = false;
        for (const int e : events)
            for (const bool forward : {true, false}) {
                if (!forward && !m_bBoth)
                    continue;
                const bdd more = r | Image(r, m_events[static_cast<std::size_t>(e)], forward);
                if (more == r)
                    continue;
                r = SaturateBelow(more, k);
                grew = true;
            }
    }
    m_memo.emplace(key, std::make_pair(s, r));
    return r;
}
