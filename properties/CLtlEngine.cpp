#include "properties/CLtlEngine.h"

#include "properties/CCheckContext.h"
#include "properties/CLtlTranslator.h"
#include "properties/CStatePredicate.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <unordered_map>

namespace {

using EKind = CFormula::EKind;

bool IsCtlOrQuantifier(const CFormula& f) {
    return f.IsCtlOperator() || f.Kind() == EKind::PathA || f.Kind() == EKind::PathE ||
           f.Kind() == EKind::Bound;
}

// The product of the cases and the automaton, searched for an accepting cycle.
class CProductSearch {
public:
    CProductSearch(CCheckContext& context, const CBuchiAutomaton& automaton)
        : m_context(context), m_space(context.Space(true)), m_automaton(automaton),
          m_nStates(automaton.states.size()), m_nAll(automaton.AllSets()) {
        for (const FormulaPtr& atom : automaton.atoms)
            m_arrAtoms.push_back(std::make_unique<CStatePredicate>(*atom, m_space.Net()));
    }

    // Whether an accepting run exists; its cases into cases, loop the position its
    // cycle begins at.
    bool Find(std::vector<int>& cases, long& loop) {
        const std::uint64_t initialAtoms = Atoms(0);
        for (std::size_t q = 0; q < m_automaton.states.size(); ++q) {
            const auto& state = m_automaton.states[q];
            if (!state.initial || !state.Matches(initialAtoms) ||
                Find(0, static_cast<int>(q)) != kNone)
                continue;
            Push(0, static_cast<int>(q));
            if (Search()) {
                Lasso(cases, loop);
                return true;
            }
        }
        return false;
    }

private:
    struct Frame {
        std::uint32_t id;
        std::uint32_t step = 0;   // the case's step being tried
        std::uint32_t target = 0; // the automaton's successor being tried
    };
    struct Root {
        std::uint32_t id;
        std::uint64_t sets;
    };

    static constexpr std::uint32_t kNone = 0xffffffffu;
    // The states a search for a shorter way to the cycle may look at, at least.
    static constexpr std::size_t kShortWay = 10000;

    std::uint32_t Find(int c, int q) const {
        const auto i = static_cast<std::size_t>(c);
        if (i >= m_arrRowOf.size() || m_arrRowOf[i] == kNone)
            return kNone;
        return m_arrRows[m_arrRowOf[i] * m_nStates + static_cast<std::size_t>(q)];
    }
    std::uint32_t* Row(int c) {
        const auto i = static_cast<std::size_t>(c);
        if (i >= m_arrRowOf.size())
            m_arrRowOf.resize(std::max(i + 1, static_cast<std::size_t>(m_space.Count())), kNone);
        if (m_arrRowOf[i] == kNone) {
            m_arrRowOf[i] = static_cast<std::uint32_t>(m_arrRows.size() / m_nStates);
            m_arrRows.resize(m_arrRows.size() + m_nStates, kNone);
        }
        return m_arrRows.data() + m_arrRowOf[i] * m_nStates;
    }

    std::uint64_t Atoms(int c) {
        const auto i = static_cast<std::size_t>(c);
        if (i >= m_arrKnown.size()) {
            m_arrKnown.resize(static_cast<std::size_t>(m_space.Count()), false);
            m_arrValues.resize(m_arrKnown.size(), 0);
        }
        if (!m_arrKnown[i]) {
            std::uint64_t values = 0;
            for (std::size_t a = 0; a < m_arrAtoms.size(); ++a)
                if (m_arrAtoms[a]->Holds(m_space.Case(c)))
                    values |= std::uint64_t{1} << a;
            m_arrValues[i] = values;
            m_arrKnown[i] = true;
        }
        return m_arrValues[i];
    }

    std::size_t Bytes() const {
        return m_context.Bytes() + (m_arrRowOf.capacity() + m_arrRows.capacity()) * 4 +
               m_arrCase.capacity() * 8 + m_arrValues.capacity() * 9 +
               (m_arrTodo.capacity() + m_arrRoots.capacity()) * 16 + m_arrLive.capacity() * 4;
    }

    std::uint32_t Push(int c, int q) {
        const auto id = static_cast<std::uint32_t>(m_arrCase.size());
        Row(c)[q] = id;
        m_arrCase.push_back(c);
        m_arrState.push_back(q);
        m_arrDead.push_back(false);
        m_space.Successors(c);
        m_arrTodo.push_back(Frame{id});
        m_arrRoots.push_back(Root{id, m_automaton.states[static_cast<std::size_t>(q)].accepting});
        m_arrLive.push_back(id);
        m_context.Budget().Tick([this] { return Bytes(); });
        return id;
    }

    // The next successor of the frame's product state: its case and automaton state;
    // false when there is none left.
    bool NextSuccessor(Frame& frame, int& c, int& q) {
        const int from = m_arrCase[frame.id];
        const auto& targets =
            m_automaton.states[static_cast<std::size_t>(m_arrState[frame.id])].successors;
        const auto steps = m_space.StoredSuccessors(from);
        // A case without concession steps to itself.
        const std::size_t count = steps.empty() ? 1 : steps.size();
        for (; frame.step < count; ++frame.step, frame.target = 0) {
            const int to = steps.empty() ? from : static_cast<int>(steps[frame.step]);
            const std::uint64_t atoms = Atoms(to);
            while (frame.target < targets.size()) {
                const int t = targets[frame.target++];
                if (m_automaton.states[static_cast<std::size_t>(t)].Matches(atoms)) {
                    c = to;
                    q = t;
                    return true;
                }
            }
        }
        return false;
    }

    // Depth first from the state pushed last, Couvreur's way: a step back into the
    // stack merges the components on the way (their acceptance sets with them); a
    // component whose root is left is done and dead. True at an accepting cycle, with
    // the stack holding the way to it.
    bool Search() {
        while (!m_arrTodo.empty()) {
            Frame& frame = m_arrTodo.back();
            int c = 0, q = 0;
            if (NextSuccessor(frame, c, q)) {
                const std::uint32_t id = Find(c, q);
                if (id == kNone) {
                    Push(c, q);
                    continue;
                }
                if (m_arrDead[id])
                    continue;
                // A cycle: the components on the way back to it are one.
                std::uint64_t sets = 0;
                while (m_arrRoots.back().id > id) {
                    sets |= m_arrRoots.back().sets;
                    m_arrRoots.pop_back();
                }
                m_arrRoots.back().sets |= sets;
                if (m_arrRoots.back().sets == m_nAll)
                    return true;
                continue;
            }
            const std::uint32_t id = frame.id;
            m_arrTodo.pop_back();
            if (m_arrRoots.back().id == id) {
                m_arrRoots.pop_back();
                while (!m_arrLive.empty() && m_arrLive.back() >= id) {
                    m_arrDead[m_arrLive.back()] = true;
                    m_arrLive.pop_back();
                }
            }
        }
        return false;
    }

    // The product successors of a state that belong to the component.
    template <class Visit> void ForEachInside(std::uint32_t id, std::uint32_t root, Visit visit) {
        Frame frame{id};
        int c = 0, q = 0;
        while (NextSuccessor(frame, c, q)) {
            const std::uint32_t t = Find(c, q);
            if (t != kNone && t >= root && !m_arrDead[t])
                visit(t);
        }
    }

    // Breadth first inside the component from one state to the first that satisfies
    // the test (after one step at least where first is), appending the way.
    template <class Test>
    void Walk(std::uint32_t from, std::uint32_t root, bool stepFirst, Test test,
              std::vector<std::uint32_t>& path) {
        if (!stepFirst && test(from))
            return;
        std::unordered_map<std::uint32_t, std::uint32_t> parent;
        std::deque<std::uint32_t> queue{from};
        while (!queue.empty()) {
            const std::uint32_t s = queue.front();
            queue.pop_front();
            std::uint32_t found = 0;
            bool done = false;
            ForEachInside(s, root, [&](std::uint32_t t) {
                if (done || !parent.emplace(t, s).second)
                    return;
                if (test(t)) {
                    found = t;
                    done = true;
                    return;
                }
                queue.push_back(t);
            });
            if (done) {
                std::vector<std::uint32_t> way{found};
                for (std::uint32_t v = parent.at(found); v != from; v = parent.at(v))
                    way.push_back(v);
                path.insert(path.end(), way.rbegin(), way.rend());
                return;
            }
        }
    }

    // The states met from the initial ones, breadth first, to the first one of the
    // targets: the shortest way there; empty when it is not found among the first
    // limit states.
    std::vector<std::uint32_t> WayTo(const std::vector<bool>& target, std::size_t limit) {
        std::vector<std::uint32_t> parent(m_arrCase.size(), kNone);
        std::vector<std::uint32_t> queue;
        const std::uint64_t initialAtoms = Atoms(0);
        for (std::size_t q = 0; q < m_automaton.states.size(); ++q) {
            const std::uint32_t id = Find(0, static_cast<int>(q));
            if (id != kNone && m_automaton.states[q].initial &&
                m_automaton.states[q].Matches(initialAtoms) && parent[id] == kNone) {
                parent[id] = id;
                queue.push_back(id);
            }
        }
        for (std::size_t head = 0; head < queue.size() && head < limit; ++head) {
            std::uint32_t s = queue[head];
            if (target[s]) {
                std::vector<std::uint32_t> way{s};
                for (; parent[s] != s; s = parent[s])
                    way.push_back(parent[s]);
                return {way.rbegin(), way.rend()};
            }
            Frame frame{s};
            int c = 0, q = 0;
            while (NextSuccessor(frame, c, q)) {
                const std::uint32_t t = Find(c, q);
                if (t != kNone && parent[t] == kNone) {
                    parent[t] = s;
                    queue.push_back(t);
                }
            }
        }
        return {};
    }

    // The lasso through the accepting component just found: a cycle from the state on
    // top of the stack through every acceptance set, and the way to it: the shortest,
    // where a search of a few times the stack's length finds it, else the stack.
    void Lasso(std::vector<int>& cases, long& loop) {
        const std::uint32_t start = m_arrTodo.back().id;
        const std::uint32_t root = m_arrRoots.back().id;
        const auto setsOf = [&](std::uint32_t s) {
            return m_automaton.states[static_cast<std::size_t>(m_arrState[s])].accepting;
        };
        std::vector<std::uint32_t> cycle{start};
        std::uint64_t met = setsOf(start);
        for (int k = 0; k < m_automaton.acceptanceSets; ++k) {
            const std::uint64_t bit = std::uint64_t{1} << k;
            if (met & bit)
                continue;
            Walk(
                cycle.back(), root, false, [&](std::uint32_t s) { return (setsOf(s) & bit) != 0; },
                cycle);
            for (std::uint32_t s : cycle)
                met |= setsOf(s);
        }
        Walk(
            cycle.back(), root, true, [&](std::uint32_t s) { return s == start; }, cycle);
        cycle.pop_back();
        // The way to the cycle's first state met, and the cycle from there round.
        std::vector<bool> onCycle(m_arrCase.size(), false);
        for (std::uint32_t s : cycle)
            onCycle[s] = true;
        std::vector<std::uint32_t> path =
            WayTo(onCycle, std::max<std::size_t>(kShortWay, 20 * m_arrTodo.size()));
        if (path.empty())
            for (const Frame& frame : m_arrTodo)
                path.push_back(frame.id);
        const auto entry = static_cast<std::size_t>(
            std::find(cycle.begin(), cycle.end(), path.back()) - cycle.begin());
        loop = static_cast<long>(path.size()) - 1;
        for (std::size_t k = 1; k <= cycle.size(); ++k)
            path.push_back(cycle[(entry + k) % cycle.size()]);
        for (std::uint32_t id : path)
            cases.push_back(m_arrCase[id]);
    }

    CCheckContext& m_context;
    CCaseSpace& m_space;
    const CBuchiAutomaton& m_automaton;
    std::size_t m_nStates;
    std::uint64_t m_nAll;
    std::vector<std::unique_ptr<CStatePredicate>> m_arrAtoms;
    std::vector<bool> m_arrKnown;
    std::vector<std::uint64_t> m_arrValues;
    // The product states' numbers: per case, a row of one number per automaton state
    // (made when the case is first met), so that the states of one case lie together.
    std::vector<std::uint32_t> m_arrRowOf;
    std::vector<std::uint32_t> m_arrRows;
    std::vector<int> m_arrCase;
    std::vector<int> m_arrState;
    std::vector<bool> m_arrDead;
    std::vector<Frame> m_arrTodo;
    std::vector<Root> m_arrRoots;
    std::vector<std::uint32_t> m_arrLive;
};

} // namespace

bool CLtlEngine::Accepts(const CFormula& formula) const {
    const CFormula* f = &formula;
    while (f->Kind() == EKind::Not)
        f = f->Operand().get();
    return (f->Kind() == EKind::PathA || f->Kind() == EKind::PathE) &&
           !f->Operand()->Contains(IsCtlOrQuantifier);
}

void CLtlEngine::Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
                       const std::vector<CPropertyResult*>& results) {
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const CFormula* f = properties[i]->formula.get();
        bool negated = false;
        while (f->Kind() == EKind::Not) {
            f = f->Operand().get();
            negated = !negated;
        }
        // A phi: a run of !phi refutes it; E phi: a run of phi proves it.
        const bool all = f->Kind() == EKind::PathA;
        const auto automaton = CLtlTranslator::Translate(f->Operand(), all);
        CPropertyResult& result = *results[i];
        if (!automaton) {
            result.reason = EStopReason::TooLarge;
            continue;
        }
        std::vector<int> cases;
        long loop = -1;
        const bool found = CProductSearch(context, *automaton).Find(cases, loop);
        const bool value = (all ? !found : found) != negated;
        result.verdict = value ? EVerdict::True : EVerdict::False;
        if (found)
            result.run = context.Space(true).RunThrough(cases, loop);
        result.techniques = Techniques();
        result.seconds = context.Budget().Elapsed();
    }
}
