#include "structure/CSiphonSolver.h"

#include "model/CNetStructure.h"
#include "structure/CWorkMeter.h"

#include <algorithm>
#include <bit>

CSiphonSolver::CSiphonSolver(const CNetStructure& net, CWorkMeter& meter)
    : m_net(net), m_meter(meter) {
    m_solver.set("quiet", 1);
    // Conditions out of the set first: small siphons.
    m_solver.set("phase", 0);
    m_solver.connect_terminator(this);
    m_nVariables = static_cast<int>(net.ConditionCount());
    for (int e = 0; e < static_cast<int>(net.EventCount()); ++e)
        for (int c : net.Post(e)) {
            m_solver.add(-(c + 1));
            for (int p : net.Pre(e))
                m_solver.add(p + 1);
            m_solver.add(0);
        }
    for (int c = 0; c < m_nVariables; ++c)
        m_solver.add(c + 1);
    m_solver.add(0);
}

bool CSiphonSolver::terminate() {
    return !m_meter.Tick();
}

std::optional<std::vector<int>> CSiphonSolver::Next() {
    if (m_solver.solve() != 10)
        return std::nullopt;
    std::vector<int> siphon;
    for (int c = 0; c < static_cast<int>(m_net.ConditionCount()); ++c)
        if (m_solver.val(c + 1) > 0)
            siphon.push_back(c);
    return siphon;
}

void CSiphonSolver::ExcludeSupersetsOf(const std::vector<int>& conditions) {
    for (int c : conditions)
        m_solver.add(-(c + 1));
    m_solver.add(0);
}

void CSiphonSolver::Clause(std::initializer_list<int> literals) {
    for (int literal : literals)
        m_solver.add(literal);
    m_solver.add(0);
}

int CSiphonSolver::Before(int a, int b) {
    if (auto known = m_mapBefore.find({a, b}); known != m_mapBefore.end())
        return known->second;
    // g_i: rank(a) < rank(b) on the bits from i down; at bit i either a has 0 where b
    // has 1, or the two agree and the lower bits decide.
    const std::vector<int>& x = m_arrRanks[static_cast<std::size_t>(a)];
    const std::vector<int>& y = m_arrRanks[static_cast<std::size_t>(b)];
    const int first = NewVariable();
    int g = first;
    for (std::size_t i = 0; i < x.size(); ++i) {
        Clause({-g, -x[i], y[i]});
        if (i + 1 == x.size()) {
            Clause({-g, -x[i]});
            Clause({-g, y[i]});
            break;
        }
        const int lower = NewVariable();
        Clause({-g, -x[i], lower});
        Clause({-g, y[i], lower});
        g = lower;
    }
    m_mapBefore[{a, b}] = first;
    return first;
}

void CSiphonSolver::RequireNoMarkedTrap() {
    const int conditions = static_cast<int>(m_net.ConditionCount());
    const int bits =
        std::max(1, static_cast<int>(std::bit_width(static_cast<unsigned>(conditions))));
    m_arrRanks.assign(static_cast<std::size_t>(conditions), {});
    for (auto& rank : m_arrRanks)
        for (int i = 0; i < bits; ++i)
            rank.push_back(NewVariable());
    // Per condition: it drops out (d), by one of the events taking from it (j).
    std::vector<int> drops(static_cast<std::size_t>(conditions));
    for (int& d : drops)
        d = NewVariable();
    for (int p = 0; p < conditions; ++p) {
        const int s = p + 1, d = drops[static_cast<std::size_t>(p)];
        if (m_net.Initial(p))
            Clause({-s, d});
        std::vector<int> reasons;
        for (int e : m_net.PostEvents(p)) {
            const int j = NewVariable();
            reasons.push_back(j);
            for (int q : m_net.Post(e)) {
                if (q == p) {
                    Clause({-j, -s});
                    continue;
                }
                Clause({-j, -(q + 1), drops[static_cast<std::size_t>(q)]});
                Clause({-j, -(q + 1), Before(q, p)});
            }
        }
        m_solver.add(-d);
        for (int j : reasons)
            m_solver.add(j);
        m_solver.add(0);
    }
}
