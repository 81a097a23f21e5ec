#include "structure/CSiphonAnalysis.h"

#include "model/CNetStructure.h"
#include "structure/CSiphonSolver.h"
#include "structure/CWorkMeter.h"

#include <algorithm>

namespace {

bool SmallerSiphon(const CSiphon& a, const CSiphon& b) {
    if (a.conditions.size() != b.conditions.size())
        return a.conditions.size() < b.conditions.size();
    return a.conditions < b.conditions;
}

} // namespace

CSiphonAnalysis::CSiphonAnalysis(const CNetStructure& net) : m_net(net) {}

std::vector<int> CSiphonAnalysis::Fixpoint(std::vector<int> conditions, bool siphon) const {
    // For a siphon: a condition goes when an event marks it and takes from no condition
    // of the set (an event before it has none of its preconditions left); dropping it
    // may leave the events taking from it so, and the conditions they mark go too. For a
    // trap the same with pre and post exchanged.
    const auto events = [&](int c) -> const std::vector<int>& {
        return siphon ? m_net.PreEvents(c) : m_net.PostEvents(c);
    };
    const auto leaving = [&](int c) -> const std::vector<int>& {
        return siphon ? m_net.PostEvents(c) : m_net.PreEvents(c);
    };
    const auto reached = [&](int e) -> const std::vector<int>& {
        return siphon ? m_net.Post(e) : m_net.Pre(e);
    };
    // Per event, how many of its other conditions are in the set: counted from the set's
    // conditions, so that the work stays within the set and its events.
    m_arrIn.resize(m_net.ConditionCount(), 0);
    m_arrCount.resize(m_net.EventCount(), 0);
    for (int c : conditions) {
        m_arrIn[static_cast<std::size_t>(c)] = 1;
        for (int e : leaving(c))
            ++m_arrCount[static_cast<std::size_t>(e)];
    }
    std::vector<int> dropped;
    for (int c : conditions)
        for (int e : events(c))
            if (m_arrCount[static_cast<std::size_t>(e)] == 0) {
                dropped.push_back(c);
                break;
            }
    while (!dropped.empty()) {
        const int c = dropped.back();
        dropped.pop_back();
        if (!m_arrIn[static_cast<std::size_t>(c)])
            continue;
        m_arrIn[static_cast<std::size_t>(c)] = 0;
        for (int e : leaving(c))
            if (--m_arrCount[static_cast<std::size_t>(e)] == 0)
                for (int d : reached(e))
                    if (m_arrIn[static_cast<std::size_t>(d)])
                        dropped.push_back(d);
    }
    std::vector<int> kept;
    for (int c : conditions) {
        if (m_arrIn[static_cast<std::size_t>(c)])
            kept.push_back(c);
        m_arrIn[static_cast<std::size_t>(c)] = 0;
        for (int e : leaving(c))
            m_arrCount[static_cast<std::size_t>(e)] = 0;
    }
    return kept;
}

std::vector<int> CSiphonAnalysis::LargestSiphonWithin(std::vector<int> conditions) const {
    return Fixpoint(std::move(conditions), true);
}

std::vector<int> CSiphonAnalysis::LargestTrapWithin(std::vector<int> conditions) const {
    return Fixpoint(std::move(conditions), false);
}

std::vector<int> CSiphonAnalysis::MinimalSiphonWithin(std::vector<int> siphon) const {
    // A siphon none of whose conditions can go, leaving a siphon, holds no smaller one:
    // that would lie within the largest siphon without one of its conditions.
    for (std::size_t k = siphon.size(); k-- > 0;) {
        if (k >= siphon.size())
            continue;
        std::vector<int> without = siphon;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
        without = LargestSiphonWithin(std::move(without));
        if (!without.empty())
            siphon = std::move(without);
    }
    return siphon;
}

bool CSiphonAnalysis::Marked(const std::vector<int>& conditions) const {
    return std::any_of(conditions.begin(), conditions.end(),
                       [&](int c) { return m_net.Initial(c); });
}

bool CSiphonAnalysis::IsFreeChoice() const {
    for (int c = 0; c < static_cast<int>(m_net.ConditionCount()); ++c) {
        const std::vector<int>& after = m_net.PostEvents(c);
        for (std::size_t k = 1; k < after.size(); ++k)
            if (m_net.Pre(after[k]) != m_net.Pre(after[0]))
                return false;
    }
    return true;
}

CSiphonResult CSiphonAnalysis::Analyse(std::size_t limit, const WorkProgress& progress) const {
    CWorkMeter meter(progress);
    CSiphonResult result;
    limit = std::max<std::size_t>(limit, 1);
    {
        CSiphonSolver solver(m_net, meter);
        while (meter.Report(result.siphons.size(), limit)) {
            std::optional<std::vector<int>> model = solver.Next();
            if (!model)
                break;
            if (result.siphons.size() == limit) {
                result.end = EEnumeration::Limited;
                break;
            }
            CSiphon siphon;
            siphon.conditions = MinimalSiphonWithin(std::move(*model));
            solver.ExcludeSupersetsOf(siphon.conditions);
            result.siphons.push_back(std::move(siphon));
        }
    }
    // The property fails where a siphon's marked conditions all drop out of its largest
    // trap; the minimal siphon within one is such a siphon too.
    CSiphonSolver violation(m_net, meter);
    violation.RequireNoMarkedTrap();
    std::optional<std::vector<int>> model = violation.Next();
    const bool holds = !model;
    if (model)
        result.unmarkedTrapSiphon = MinimalSiphonWithin(std::move(*model));
    if (meter.Cancelled())
        return {EEnumeration::Cancelled, {}, false, {}, false, std::nullopt};
    std::sort(result.siphons.begin(), result.siphons.end(), SmallerSiphon);
    for (CSiphon& siphon : result.siphons) {
        siphon.trap = LargestTrapWithin(siphon.conditions);
        siphon.trapMarked = Marked(siphon.trap);
    }
    result.siphonTrapProperty = holds;
    result.freeChoice = IsFreeChoice();
    if (result.freeChoice)
        result.live = holds;
    return result;
}
