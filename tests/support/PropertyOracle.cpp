#include "support/PropertyOracle.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <tuple>

using EKind = CFormula::EKind;

CPropertyOracle::CPropertyOracle(const CNetStructure& net) : m_net(net) {
    Case initial(net.ConditionCount(), false);
    for (int c : net.InitialCase())
        initial[static_cast<std::size_t>(c)] = true;
    m_arrCases.push_back(initial);
    m_mapIndex[initial] = 0;
    for (std::size_t i = 0; i < m_arrCases.size(); ++i) {
        m_arrSucc.emplace_back();
        for (int e = 0; e < static_cast<int>(net.EventCount()); ++e) {
            if (!Concession(m_arrCases[i], e))
                continue;
            Case next = m_arrCases[i];
            for (int c : net.Pre(e))
                next[static_cast<std::size_t>(c)] = false;
            for (int c : net.Post(e))
                next[static_cast<std::size_t>(c)] = true;
            auto [it, added] = m_mapIndex.emplace(next, m_arrCases.size());
            if (added)
                m_arrCases.push_back(next);
            m_arrSucc[i].push_back(it->second);
        }
    }
}

bool CPropertyOracle::Concession(const Case& c, int event) const {
    for (int p : m_net.Pre(event))
        if (!c[static_cast<std::size_t>(p)])
            return false;
    for (int p : m_net.Post(event))
        if (c[static_cast<std::size_t>(p)])
            return false;
    return true;
}

bool CPropertyOracle::Deadlock(const Case& c) const {
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
        if (Concession(c, e))
            return false;
    return true;
}

bool CPropertyOracle::Contact(const Case& c) const {
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e) {
        const auto& pre = m_net.Pre(e);
        bool held = std::all_of(pre.begin(), pre.end(),
                                [&](int p) { return c[static_cast<std::size_t>(p)]; });
        for (int p : m_net.Post(e))
            if (held && c[static_cast<std::size_t>(p)] &&
                std::find(pre.begin(), pre.end(), p) == pre.end())
                return true;
    }
    return false;
}

bool CPropertyOracle::Holds(const CFormula& f, const Case& c) const {
    const auto value = [&](const CFormula::Term& t) {
        long long n = t.count ? 0 : t.value;
        for (int p : t.conditions)
            n += c[static_cast<std::size_t>(p)] ? 1 : 0;
        return n;
    };
    const auto operand = [&](std::size_t i) { return Holds(*f.Operand(i), c); };
    switch (f.Kind()) {
    case EKind::True:
        return true;
    case EKind::False:
        return false;
    case EKind::Condition:
        return c[static_cast<std::size_t>(f.Elements()[0])];
    case EKind::Deadlock:
        return Deadlock(c);
    case EKind::Fireable:
        return std::any_of(f.Elements().begin(), f.Elements().end(),
                           [&](int e) { return Concession(c, e); });
    case EKind::Compare: {
        const long long a = value(f.Left()), b = value(f.Right());
        switch (f.Comparison()) {
        case CFormula::ECompare::Less:
            return a < b;
        case CFormula::ECompare::LessEqual:
            return a <= b;
        case CFormula::ECompare::Equal:
            return a == b;
        case CFormula::ECompare::NotEqual:
            return a != b;
        case CFormula::ECompare::GreaterEqual:
            return a >= b;
        case CFormula::ECompare::Greater:
            return a > b;
        }
        return false;
    }
    case EKind::Not:
        return !operand(0);
    case EKind::And:
        for (std::size_t i = 0; i < f.Operands().size(); ++i)
            if (!operand(i))
                return false;
        return true;
    case EKind::Or:
        for (std::size_t i = 0; i < f.Operands().size(); ++i)
            if (operand(i))
                return true;
        return false;
    case EKind::Implies:
        return !operand(0) || operand(1);
    case EKind::Iff:
        return operand(0) == operand(1);
    default:
        return false;
    }
}

std::vector<bool> CPropertyOracle::Sat(const CFormula& f) const {
    const std::size_t n = m_arrCases.size();
    std::vector<bool> result(n);
    if (f.IsState()) {
        for (std::size_t i = 0; i < n; ++i)
            result[i] = Holds(f, m_arrCases[i]);
        return result;
    }
    const auto sub = [&](std::size_t k) { return Sat(*f.Operand(k)); };
    const auto some = [&](std::size_t i, const std::vector<bool>& z) {
        return std::any_of(m_arrSucc[i].begin(), m_arrSucc[i].end(),
                           [&](std::size_t j) { return z[j]; });
    };
    const auto every = [&](std::size_t i, const std::vector<bool>& z) {
        return std::all_of(m_arrSucc[i].begin(), m_arrSucc[i].end(),
                           [&](std::size_t j) { return z[j]; });
    };
    // Iterated to a standstill from the given start.
    const auto fixpoint =
        [&](std::vector<bool> z,
            const std::function<bool(std::size_t, const std::vector<bool>&)>& step) {
            for (;;) {
                std::vector<bool> next(n);
                for (std::size_t i = 0; i < n; ++i)
                    next[i] = step(i, z);
                if (next == z)
                    return z;
                z = next;
            }
        };
    const std::vector<bool> none(n, false), all(n, true);
    switch (f.Kind()) {
    case EKind::Not: {
        auto p = sub(0);
        p.flip();
        return p;
    }
    case EKind::And:
    case EKind::Or:
    case EKind::Implies:
    case EKind::Iff: {
        std::vector<std::vector<bool>> parts;
        for (std::size_t k = 0; k < f.Operands().size(); ++k)
            parts.push_back(sub(k));
        for (std::size_t i = 0; i < n; ++i) {
            bool v = f.Kind() == EKind::And;
            if (f.Kind() == EKind::And || f.Kind() == EKind::Or)
                for (const auto& p : parts)
                    v = f.Kind() == EKind::And ? v && p[i] : v || p[i];
            else
                v = f.Kind() == EKind::Implies ? !parts[0][i] || parts[1][i]
                                               : parts[0][i] == parts[1][i];
            result[i] = v;
        }
        return result;
    }
    case EKind::EX: {
        const auto p = sub(0);
        for (std::size_t i = 0; i < n; ++i)
            result[i] = some(i, p);
        return result;
    }
    case EKind::AX: {
        const auto p = sub(0);
        for (std::size_t i = 0; i < n; ++i)
            result[i] = every(i, p);
        return result;
    }
    case EKind::EF:
    case EKind::EU: {
        const auto p = f.Kind() == EKind::EF ? all : sub(0);
        const auto q = sub(f.Operands().size() - 1);
        return fixpoint(none, [&](std::size_t i, const std::vector<bool>& z) {
            return q[i] || (p[i] && some(i, z));
        });
    }
    case EKind::AF:
    case EKind::AU: {
        const auto p = f.Kind() == EKind::AF ? all : sub(0);
        const auto q = sub(f.Operands().size() - 1);
        return fixpoint(none, [&](std::size_t i, const std::vector<bool>& z) {
            return q[i] || (p[i] && !m_arrSucc[i].empty() && every(i, z));
        });
    }
    case EKind::EG: {
        const auto p = sub(0);
        return fixpoint(all, [&](std::size_t i, const std::vector<bool>& z) {
            return p[i] && (m_arrSucc[i].empty() || some(i, z));
        });
    }
    case EKind::AG: {
        auto notP = sub(0);
        notP.flip();
        auto reach = fixpoint(
            none, [&](std::size_t i, const std::vector<bool>& z) { return notP[i] || some(i, z); });
        reach.flip();
        return reach;
    }
    default:
        return none;
    }
}

namespace {

// The product of the cases and the consistent values of the subformulas.
struct Tableau {
    std::vector<std::vector<bool>> value; // per node, the subformulas' values
    std::vector<std::vector<std::size_t>> edges;
    std::vector<std::size_t> initial;
    // Subformula, goal, the value that promises: F p and p U q true promise p or q at
    // last, G p false promises !p.
    std::vector<std::tuple<std::size_t, std::size_t, bool>> promises;
};

// Whether a strongly connected part with a cycle that keeps every promise made in it is
// reachable from an initial node.
bool FairCycleReachable(const Tableau& t) {
    const std::size_t nodes = t.edges.size();
    const auto closureFrom = [&](const std::vector<std::size_t>& from,
                                 const std::vector<std::vector<std::size_t>>& graph,
                                 const std::vector<bool>* within) {
        std::vector<bool> seen(nodes, false);
        std::deque<std::size_t> queue(from.begin(), from.end());
        for (std::size_t x : from)
            seen[x] = true;
        while (!queue.empty()) {
            const std::size_t a = queue.front();
            queue.pop_front();
            for (std::size_t b : graph[a])
                if ((!within || (*within)[b]) && !seen[b]) {
                    seen[b] = true;
                    queue.push_back(b);
                }
        }
        return seen;
    };
    const std::vector<bool> reached = closureFrom(t.initial, t.edges, nullptr);
    std::vector<std::vector<std::size_t>> back(nodes);
    for (std::size_t x = 0; x < nodes; ++x)
        for (std::size_t y : t.edges[x])
            back[y].push_back(x);
    std::vector<bool> done(nodes, false);
    for (std::size_t x = 0; x < nodes; ++x) {
        if (!reached[x] || done[x])
            continue;
        const auto forward = closureFrom({x}, t.edges, &reached);
        const auto backward = closureFrom({x}, back, &reached);
        std::vector<std::size_t> part;
        for (std::size_t y = 0; y < nodes; ++y)
            if (forward[y] && backward[y]) {
                part.push_back(y);
                done[y] = true;
            }
        const auto& out = t.edges[x];
        if (part.size() == 1 && std::find(out.begin(), out.end(), x) == out.end())
            continue;
        bool fair = true;
        for (const auto& [k, goal, sign] : t.promises) {
            const auto any = [&](std::size_t i) {
                return std::any_of(part.begin(), part.end(),
                                   [&](std::size_t y) { return t.value[y][i] == sign; });
            };
            fair = fair && (!any(k) || any(goal));
        }
        if (fair)
            return true;
    }
    return false;
}

} // namespace

bool CPropertyOracle::Ltl(const CFormula& path) const {
    // The subformulas, operands before their operators; state formulas are leaves.
    std::vector<const CFormula*> closure;
    std::function<void(const CFormula&)> collect = [&](const CFormula& g) {
        if (!g.IsState())
            for (const FormulaPtr& o : g.Operands())
                collect(*o);
        closure.push_back(&g);
    };
    collect(path);
    std::vector<std::size_t> temporal;
    for (std::size_t k = 0; k < closure.size(); ++k)
        if (closure[k]->IsPathOperator())
            temporal.push_back(k);
    const std::size_t masks = std::size_t{1} << temporal.size();
    const auto position = [&](const CFormula* g) {
        return static_cast<std::size_t>(std::find(closure.begin(), closure.end(), g) -
                                        closure.begin());
    };
    // The values of every subformula in case s when the temporal ones are as in mask.
    const auto values = [&](std::size_t s, std::size_t mask) {
        std::vector<bool> v(closure.size());
        std::size_t t = 0;
        for (std::size_t k = 0; k < closure.size(); ++k) {
            const CFormula& g = *closure[k];
            const auto op = [&](std::size_t i) { return bool(v[position(g.Operand(i).get())]); };
            if (g.IsState())
                v[k] = Holds(g, m_arrCases[s]);
            else if (g.IsPathOperator())
                v[k] = (mask >> t++) & 1u;
            else if (g.Kind() == EKind::Not)
                v[k] = !op(0);
            else if (g.Kind() == EKind::Implies)
                v[k] = !op(0) || op(1);
            else if (g.Kind() == EKind::Iff)
                v[k] = op(0) == op(1);
            else {
                bool a = g.Kind() == EKind::And;
                for (std::size_t i = 0; i < g.Operands().size(); ++i)
                    a = g.Kind() == EKind::And ? a && op(i) : a || op(i);
                v[k] = a;
            }
        }
        return v;
    };
    const std::size_t nodes = m_arrCases.size() * masks;
    std::vector<std::vector<bool>> value(nodes);
    for (std::size_t s = 0; s < m_arrCases.size(); ++s)
        for (std::size_t m = 0; m < masks; ++m)
            value[s * masks + m] = values(s, m);
    const auto consistent = [&](const std::vector<bool>& now, const std::vector<bool>& next) {
        for (std::size_t k : temporal) {
            const CFormula& g = *closure[k];
            const auto at = [&](const std::vector<bool>& v, std::size_t i) {
                return bool(v[position(g.Operand(i).get())]);
            };
            bool expected = false;
            switch (g.Kind()) {
            case EKind::Next:
                expected = at(next, 0);
                break;
            case EKind::Finally:
                expected = at(now, 0) || next[k];
                break;
            case EKind::Globally:
                expected = at(now, 0) && next[k];
                break;
            default:
                expected = at(now, 1) || (at(now, 0) && next[k]);
                break;
            }
            if (now[k] != expected)
                return false;
        }
        return true;
    };
    std::vector<std::vector<std::size_t>> edges(nodes);
    for (std::size_t s = 0; s < m_arrCases.size(); ++s) {
        std::vector<std::size_t> succ = m_arrSucc[s];
        if (succ.empty())
            succ.push_back(s);
        for (std::size_t m = 0; m < masks; ++m)
            for (std::size_t t : succ)
                for (std::size_t m2 = 0; m2 < masks; ++m2)
                    if (consistent(value[s * masks + m], value[t * masks + m2]))
                        edges[s * masks + m].push_back(t * masks + m2);
    }
    Tableau tableau{std::move(value), std::move(edges), {}, {}};
    for (std::size_t m = 0; m < masks; ++m)
        if (tableau.value[m].back())
            tableau.initial.push_back(m);
    for (std::size_t k : temporal) {
        const CFormula& g = *closure[k];
        if (g.Kind() != EKind::Next)
            tableau.promises.emplace_back(k, position(g.Operands().back().get()),
                                          g.Kind() != EKind::Globally);
    }
    return FairCycleReachable(tableau);
}

bool CPropertyOracle::Answer(const CFormula& f) const {
    if (f.Kind() == EKind::Not)
        return !Answer(*f.Operand());
    if (f.Kind() == EKind::PathA)
        return !Ltl(*CFormula::Not(f.Operand()));
    if (f.Kind() == EKind::PathE)
        return Ltl(*f.Operand());
    return Sat(f)[0];
}

long long CPropertyOracle::Bound(const std::vector<int>& conditions) const {
    long long most = 0;
    for (const Case& c : m_arrCases) {
        long long n = 0;
        for (int p : conditions)
            n += c[static_cast<std::size_t>(p)] ? 1 : 0;
        most = std::max(most, n);
    }
    return most;
}

bool CPropertyOracle::Deadlocks() const {
    return std::any_of(m_arrSucc.begin(), m_arrSucc.end(), [](const auto& s) { return s.empty(); });
}

bool CPropertyOracle::QuasiLive() const {
    for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
        if (!CanFire(0, e))
            return false;
    return true;
}

bool CPropertyOracle::CanFire(std::size_t from, int event) const {
    std::vector<bool> seen(m_arrCases.size(), false);
    std::deque<std::size_t> queue{from};
    seen[from] = true;
    while (!queue.empty()) {
        const std::size_t i = queue.front();
        queue.pop_front();
        if (Concession(m_arrCases[i], event))
            return true;
        for (std::size_t j : m_arrSucc[i])
            if (!seen[j]) {
                seen[j] = true;
                queue.push_back(j);
            }
    }
    return false;
}

bool CPropertyOracle::Live() const {
    for (std::size_t i = 0; i < m_arrCases.size(); ++i)
        for (int e = 0; e < static_cast<int>(m_net.EventCount()); ++e)
            if (!CanFire(i, e))
                return false;
    return true;
}

bool CPropertyOracle::StableMarking() const {
    for (std::size_t c = 0; c < m_net.ConditionCount(); ++c)
        if (std::all_of(m_arrCases.begin(), m_arrCases.end(),
                        [&](const Case& k) { return k[c] == m_arrCases[0][c]; }))
            return true;
    return false;
}

bool CPropertyOracle::OneSafe() const {
    return std::none_of(m_arrCases.begin(), m_arrCases.end(),
                        [&](const Case& c) { return Contact(c); });
}

std::size_t CPropertyOracle::IndexOf(const std::vector<int>& held) const {
    Case c(m_net.ConditionCount(), false);
    for (int p : held)
        c[static_cast<std::size_t>(p)] = true;
    const auto it = m_mapIndex.find(c);
    return it == m_mapIndex.end() ? m_arrCases.size() : it->second;
}

std::optional<std::size_t> CPropertyOracle::Replay(const CRun& run) const {
    if (run.cases.empty() || run.cases.size() != run.events.size() + 1 ||
        IndexOf(run.cases[0]) != 0)
        return std::nullopt;
    std::size_t at = 0;
    for (std::size_t k = 0; k < run.events.size(); ++k) {
        const int e = run.events[k];
        if (e < 0 || e >= static_cast<int>(m_net.EventCount()) || !Concession(m_arrCases[at], e))
            return std::nullopt;
        Case next = m_arrCases[at];
        for (int c : m_net.Pre(e))
            next[static_cast<std::size_t>(c)] = false;
        for (int c : m_net.Post(e))
            next[static_cast<std::size_t>(c)] = true;
        at = m_mapIndex.at(next);
        if (IndexOf(run.cases[k + 1]) != at)
            return std::nullopt;
    }
    if (run.end == CRun::EEnd::Loop &&
        (run.loopStart + 1 >= run.cases.size() || IndexOf(run.cases[run.loopStart]) != at))
        return std::nullopt;
    if (run.end == CRun::EEnd::Deadlock && !Deadlock(m_arrCases[at]))
        return std::nullopt;
    return at;
}

std::vector<std::size_t> CPropertyOracle::IndicesOf(const CRun& run) const {
    std::vector<std::size_t> cases;
    for (const auto& held : run.cases)
        cases.push_back(IndexOf(held));
    return cases;
}

const CFormula& CPropertyOracle::Unnegated(const CFormula& f, bool& want) {
    const CFormula* g = &f;
    while (g->Kind() == CFormula::EKind::Not) {
        g = g->Operand().get();
        want = !want;
    }
    return *g;
}

bool CPropertyOracle::HoldsOn(const CFormula& path, const CRun& run) const {
    // The positions of the run and the one after each: a loop goes back, a deadlock stays.
    std::vector<std::size_t> cases = IndicesOf(run), next;
    if (run.end == CRun::EEnd::Loop)
        cases.pop_back();
    for (std::size_t i = 0; i < cases.size(); ++i)
        next.push_back(i + 1 < cases.size()          ? i + 1
                       : run.end == CRun::EEnd::Loop ? run.loopStart
                                                     : i);
    const std::size_t n = cases.size();
    std::function<std::vector<bool>(const CFormula&)> eval = [&](const CFormula& g) {
        std::vector<bool> v(n);
        if (g.IsState()) {
            for (std::size_t i = 0; i < n; ++i)
                v[i] = Holds(g, m_arrCases[cases[i]]);
            return v;
        }
        std::vector<std::vector<bool>> ops;
        for (const FormulaPtr& o : g.Operands())
            ops.push_back(eval(*o));
        const bool least = g.Kind() != EKind::Globally;
        for (std::size_t i = 0; i < n; ++i)
            v[i] = !least;
        // Each round carries the values one position further round the run.
        for (std::size_t round = 0; round <= 2 * n + 1; ++round)
            for (std::size_t i = n; i-- > 0;) {
                switch (g.Kind()) {
                case EKind::Not:
                    v[i] = !ops[0][i];
                    break;
                case EKind::And:
                case EKind::Or: {
                    bool a = g.Kind() == EKind::And;
                    for (const auto& o : ops)
                        a = g.Kind() == EKind::And ? a && o[i] : a || o[i];
                    v[i] = a;
                    break;
                }
                case EKind::Implies:
                    v[i] = !ops[0][i] || ops[1][i];
                    break;
                case EKind::Iff:
                    v[i] = ops[0][i] == ops[1][i];
                    break;
                case EKind::Next:
                    v[i] = ops[0][next[i]];
                    break;
                case EKind::Finally:
                    v[i] = ops[0][i] || v[next[i]];
                    break;
                case EKind::Globally:
                    v[i] = ops[0][i] && v[next[i]];
                    break;
                default:
                    v[i] = ops[1][i] || (ops[0][i] && v[next[i]]);
                    break;
                }
            }
        return v;
    };
    return eval(path)[0];
}
