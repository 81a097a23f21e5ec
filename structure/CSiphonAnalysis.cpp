#include "structure/CSiphonAnalysis.h"

#include "model/CNetStructure.h"
#include "structure/CWorkMeter.h"

#include <cadical.hpp>

#include <algorithm>

namespace {

// A solver over one variable per condition (condition c is variable c + 1) whose
// models are the non-empty siphons, stopped when the meter is cancelled.
class CSiphonSolver : public CaDiCaL::Terminator {
public:
    CSiphonSolver(const CNetStructure& net, CWorkMeter& meter) : m_meter(meter) {
        m_solver.set("quiet", 1);
        // Conditions out of the set first: small siphons.
        m_solver.set("phase", 0);
        m_solver.connect_terminator(this);
        for (int e = 0; e < static_cast<int>(net.EventCount()); ++e)
            for (int c : net.Post(e)) {
                m_solver.add(-(c + 1));
                for (int p : net.Pre(e))
                    m_solver.add(p + 1);
                m_solver.add(0);
            }
        for (int c = 0; c < static_cast<int>(net.ConditionCount()); ++c)
            m_solver.add(c + 1);
        m_solver.add(0);
        m_nConditions = static_cast<int>(net.ConditionCount());
    }

    bool terminate() override { return !m_meter.Tick(); }

    // A siphon not yet excluded; none when there is none left or the work was cancelled.
    std::optional<std::vector<int>> Next() {
        if (m_solver.solve() != 10)
            return std::nullopt;
        std::vector<int> siphon;
        for (int c = 0; c < m_nConditions; ++c)
            if (m_solver.val(c + 1) > 0)
                siphon.push_back(c);
        return siphon;
    }
    // Excludes every set holding all of the conditions.
    void ExcludeSupersetsOf(const std::vector<int>& conditions) {
        for (int c : conditions)
            m_solver.add(-(c + 1));
        m_solver.add(0);
    }

private:
    CaDiCaL::Solver m_solver;
    CWorkMeter& m_meter;
    int m_nConditions = 0;
};

bool SmallerSiphon(const CSiphon& a, const CSiphon& b) {
    if (a.conditions.size() != b.conditions.size())
        return a.conditions.size() < b.conditions.size();
    return a.conditions < b.conditions;
}

} // namespace

CSiphonAnalysis::CSiphonAnalysis(const CNetStructure& net) : m_net(net) {}

std::vector<int> CSiphonAnalysis::Fixpoint(std::vector<int> conditions, bool siphon) const {
    const auto events = [&](int c) -> const std::vector<int>& {
        return siphon ? m_net.PreEvents(c) : m_net.PostEvents(c);
    };
    const auto others = [&](int e) -> const std::vector<int>& {
        return siphon ? m_net.Pre(e) : m_net.Post(e);
    };
    // Per event, how many of its other conditions are still in the set.
    std::vector<bool> in(m_net.ConditionCount(), false);
    for (int c : conditions)
        in[static_cast<std::size_t>(c)] = true;
    std::vector<int> count(m_net.EventCount(), 0);
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
        for (int c : others(e))
            count[static_cast<std::size_t>(e)] += in[static_cast<std::size_t>(c)] ? 1 : 0;
    std::vector<int> dropped;
    for (int c : conditions)
        for (int e : events(c))
            if (count[static_cast<std::size_t>(e)] == 0) {
                dropped.push_back(c);
                break;
            }
    // Dropping a condition may leave an event of it with none of its others in the set:
    // then the conditions that event marks (empties) go too.
    while (!dropped.empty()) {
        const int c = dropped.back();
        dropped.pop_back();
        if (!in[static_cast<std::size_t>(c)])
            continue;
        in[static_cast<std::size_t>(c)] = false;
        for (int e : siphon ? m_net.PostEvents(c) : m_net.PreEvents(c))
            if (--count[static_cast<std::size_t>(e)] == 0)
                for (int d : siphon ? m_net.Post(e) : m_net.Pre(e))
                    if (in[static_cast<std::size_t>(d)])
                        dropped.push_back(d);
    }
    std::erase_if(conditions, [&](int c) { return !in[static_cast<std::size_t>(c)]; });
    return conditions;
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

std::vector<int> CSiphonAnalysis::MinimalMarkedTrapWithin(std::vector<int> trap) const {
    for (std::size_t k = trap.size(); k-- > 0;) {
        if (k >= trap.size())
            continue;
        std::vector<int> without = trap;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
        without = LargestTrapWithin(std::move(without));
        if (Marked(without))
            trap = std::move(without);
    }
    return trap;
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
    // The property: siphons whose largest trap is marked rule out the sets holding a
    // minimal marked trap of theirs, until none is left or one has an unmarked trap.
    CSiphonSolver solver(m_net, meter);
    bool holds = true;
    while (!meter.Cancelled()) {
        std::optional<std::vector<int>> model = solver.Next();
        if (!model)
            break;
        std::vector<int> trap = LargestTrapWithin(*model);
        if (!Marked(trap)) {
            holds = false;
            result.unmarkedTrapSiphon = MinimalSiphonWithin(std::move(*model));
            break;
        }
        solver.ExcludeSupersetsOf(MinimalMarkedTrapWithin(std::move(trap)));
    }
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
