#include "properties/CLtlTranslator.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace {

using EKind = CFormula::EKind;

enum class EOp { True, False, Literal, And, Or, Next, Until, Release };

struct Node {
    EOp op;
    int a = -1; // operand, or the atom of a literal
    int b = -1; // operand, or 1 for a negated literal
    // F n is n (eventual), G n is n (universal); both: X n is n too.
    bool eventual = false;
    bool universal = false;
};

// The value a state formula has in every case, where its counts alone decide it (a
// count of k conditions lies between 0 and k).
std::optional<bool> StaticValue(const CFormula& f) {
    const auto range = [](const CFormula::Term& t) {
        return t.count ? std::make_pair(0LL, static_cast<long long>(t.conditions.size()))
                       : std::make_pair(t.value, t.value);
    };
    switch (f.Kind()) {
    case EKind::True:
        return true;
    case EKind::False:
        return false;
    case EKind::Compare: {
        const auto [a0, a1] = range(f.Left());
        const auto [b0, b1] = range(f.Right());
        // Whether the comparison holds for every value and for none.
        const auto decide = [](bool always, bool never) -> std::optional<bool> {
            if (always)
                return true;
            if (never)
                return false;
            return std::nullopt;
        };
        switch (f.Comparison()) {
        case CFormula::ECompare::Less:
            return decide(a1 < b0, a0 >= b1);
        case CFormula::ECompare::LessEqual:
            return decide(a1 <= b0, a0 > b1);
        case CFormula::ECompare::GreaterEqual:
            return decide(a0 >= b1, a1 < b0);
        case CFormula::ECompare::Greater:
            return decide(a0 > b1, a1 <= b0);
        case CFormula::ECompare::Equal:
            return decide(a0 == a1 && b0 == b1 && a0 == b0, a1 < b0 || b1 < a0);
        case CFormula::ECompare::NotEqual:
            return decide(a1 < b0 || b1 < a0, a0 == a1 && b0 == b1 && a0 == b0);
        }
        return std::nullopt;
    }
    case EKind::Not: {
        const auto v = StaticValue(*f.Operand());
        return v ? std::optional<bool>(!*v) : std::nullopt;
    }
    case EKind::And:
    case EKind::Or: {
        const bool absorbing = f.Kind() == EKind::Or;
        bool all = true;
        for (const FormulaPtr& g : f.Operands()) {
            const auto v = StaticValue(*g);
            if (v && *v == absorbing)
                return absorbing;
            all = all && v.has_value();
        }
        return all ? std::optional<bool>(!absorbing) : std::nullopt;
    }
    case EKind::Implies:
    case EKind::Iff: {
        const auto a = StaticValue(*f.Operand(0)), b = StaticValue(*f.Operand(1));
        if (f.Kind() == EKind::Implies && ((a && !*a) || (b && *b)))
            return true;
        if (a && b)
            return f.Kind() == EKind::Implies ? (!*a || *b) : *a == *b;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// A set of nodes of the formula as bits.
using NodeSet = std::vector<std::uint64_t>;

bool In(const NodeSet& s, int i) {
    return (s[static_cast<std::size_t>(i / 64)] >> (i % 64)) & 1u;
}
void Add(NodeSet& s, int i) {
    s[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
}
void Remove(NodeSet& s, int i) {
    s[static_cast<std::size_t>(i / 64)] &= ~(std::uint64_t{1} << (i % 64));
}
int First(const NodeSet& s) {
    for (std::size_t w = 0; w < s.size(); ++w)
        if (s[w] != 0)
            return static_cast<int>(w * 64) + __builtin_ctzll(s[w]);
    return -1;
}

struct Failure {};

class CTableau {
public:
    // The formula in negation normal form, its nodes shared.
    int Build(const FormulaPtr& formula, bool negate) {
        const CFormula& f = *formula;
        if (f.IsState()) {
            if (const auto value = StaticValue(f))
                return Constant(*value != negate);
            if (f.Kind() == EKind::Not)
                return Build(f.Operand(), !negate);
            return Intern({EOp::Literal, Atom(formula), negate ? 1 : 0});
        }
        const auto sub = [&](std::size_t i, bool n) { return Build(f.Operand(i), n); };
        switch (f.Kind()) {
        case EKind::Not:
            return sub(0, !negate);
        case EKind::And:
        case EKind::Or: {
            const bool conjunction = (f.Kind() == EKind::And) != negate;
            int result = sub(0, negate);
            for (std::size_t i = 1; i < f.Operands().size(); ++i)
                result = conjunction ? And(result, sub(i, negate)) : Or(result, sub(i, negate));
            return result;
        }
        case EKind::Implies:
            return negate ? And(sub(0, false), sub(1, true)) : Or(sub(0, true), sub(1, false));
        case EKind::Iff: {
            const int both = And(sub(0, false), sub(1, negate));
            const int neither = And(sub(0, true), sub(1, !negate));
            return Or(both, neither);
        }
        case EKind::Next:
            return Next(sub(0, negate));
        case EKind::Finally:
            return negate ? Release(Constant(false), sub(0, true))
                          : Until(Constant(true), sub(0, false));
        case EKind::Globally:
            return negate ? Until(Constant(true), sub(0, true))
                          : Release(Constant(false), sub(0, false));
        case EKind::Until:
            return negate ? Release(sub(0, true), sub(1, true))
                          : Until(sub(0, false), sub(1, false));
        default:
            // CTL inside a path formula: the engine does not hand it over.
            throw Failure{};
        }
    }

    CBuchiAutomaton Expand(int root);

private:
    int Intern(Node n) {
        const auto key = std::make_tuple(static_cast<int>(n.op), n.a, n.b);
        const auto it = m_mapNodes.find(key);
        if (it != m_mapNodes.end())
            return it->second;
        switch (n.op) {
        case EOp::True:
        case EOp::False:
            n.eventual = n.universal = true;
            break;
        case EOp::And:
        case EOp::Or:
            n.eventual = At(n.a).eventual && At(n.b).eventual;
            n.universal = At(n.a).universal && At(n.b).universal;
            break;
        case EOp::Next:
            n.eventual = At(n.a).eventual;
            n.universal = At(n.a).universal;
            break;
        case EOp::Until: // F b: eventual, and universal where b is (F G b)
            n.eventual = IsConstant(n.a, true);
            n.universal = n.eventual && At(n.b).universal;
            break;
        case EOp::Release: // G b: universal, and eventual where b is (G F b)
            n.universal = IsConstant(n.a, false);
            n.eventual = n.universal && At(n.b).eventual;
            break;
        default:
            break;
        }
        m_arrNodes.push_back(n);
        const int index = static_cast<int>(m_arrNodes.size()) - 1;
        m_mapNodes.emplace(key, index);
        return index;
    }
    int Atom(const FormulaPtr& f) {
        for (std::size_t i = 0; i < m_arrAtoms.size(); ++i)
            if (*m_arrAtoms[i] == *f)
                return static_cast<int>(i);
        if (m_arrAtoms.size() == 64)
            throw Failure{};
        m_arrAtoms.push_back(f);
        return static_cast<int>(m_arrAtoms.size()) - 1;
    }
    const Node& At(int i) const { return m_arrNodes[static_cast<std::size_t>(i)]; }
    int Constant(bool value) { return Intern({value ? EOp::True : EOp::False}); }
    bool IsConstant(int i, bool value) const {
        return At(i).op == (value ? EOp::True : EOp::False);
    }
    bool Complementary(int x, int y) const {
        return At(x).op == EOp::Literal && At(y).op == EOp::Literal && At(x).a == At(y).a &&
               At(x).b != At(y).b;
    }
    int And(int x, int y) {
        if (IsConstant(x, false) || IsConstant(y, false) || Complementary(x, y))
            return Constant(false);
        if (IsConstant(x, true) || x == y)
            return y;
        if (IsConstant(y, true))
            return x;
        return Intern({EOp::And, std::min(x, y), std::max(x, y)});
    }
    int Or(int x, int y) {
        if (IsConstant(x, true) || IsConstant(y, true) || Complementary(x, y))
            return Constant(true);
        if (IsConstant(x, false) || x == y)
            return y;
        if (IsConstant(y, false))
            return x;
        return Intern({EOp::Or, std::min(x, y), std::max(x, y)});
    }
    // The rules keep runs as they are (every run infinite): X of a formula both eventual
    // and universal (G F p, F G p) is the formula; F X p = X F p, G X p = X G p; F of an
    // eventual formula and G of a universal one are the formula.
    int Next(int x) {
        if (At(x).eventual && At(x).universal)
            return x;
        return Intern({EOp::Next, x});
    }
    int Until(int x, int y) {
        if (At(y).op == EOp::True || At(y).op == EOp::False || IsConstant(x, false))
            return y;
        if (IsConstant(x, true)) {
            if (At(y).eventual)
                return y;
            if (At(y).op == EOp::Next)
                return Next(Until(x, At(y).a));
        }
        return Intern({EOp::Until, x, y});
    }
    int Release(int x, int y) {
        if (At(y).op == EOp::True || At(y).op == EOp::False || IsConstant(x, true))
            return y;
        if (IsConstant(x, false)) {
            if (At(y).universal)
                return y;
            if (At(y).op == EOp::Next)
                return Next(Release(x, At(y).a));
        }
        return Intern({EOp::Release, x, y});
    }
    // The literal of the same atom with the other sign, -1 when there is none.
    int Opposite(int literal) const {
        const auto it = m_mapNodes.find(
            std::make_tuple(static_cast<int>(EOp::Literal), At(literal).a, 1 - At(literal).b));
        return it == m_mapNodes.end() ? -1 : it->second;
    }

    std::vector<Node> m_arrNodes;
    std::map<std::tuple<int, int, int>, int> m_mapNodes;
    std::vector<FormulaPtr> m_arrAtoms;
};

CBuchiAutomaton CTableau::Expand(int root) {
    const std::size_t words = (m_arrNodes.size() + 63) / 64;
    struct Pending {
        std::vector<int> incoming; // -1: the start
        NodeSet fresh, old, next;
    };
    struct StateSets {
        std::vector<int> incoming;
        NodeSet old, next;
    };
    std::vector<StateSets> states;
    std::map<std::pair<NodeSet, NodeSet>, int> index;
    std::vector<Pending> work;
    Pending start{{-1}, NodeSet(words), NodeSet(words), NodeSet(words)};
    Add(start.fresh, root);
    work.push_back(std::move(start));
    long steps = 0;
    while (!work.empty()) {
        if (++steps > 50L * CLtlTranslator::kMaxStates)
            throw Failure{};
        Pending p = std::move(work.back());
        work.pop_back();
        const int eta = First(p.fresh);
        if (eta < 0) {
            auto key = std::make_pair(p.old, p.next);
            const auto it = index.find(key);
            if (it != index.end()) {
                auto& incoming = states[static_cast<std::size_t>(it->second)].incoming;
                incoming.insert(incoming.end(), p.incoming.begin(), p.incoming.end());
                continue;
            }
            if (static_cast<int>(states.size()) >= CLtlTranslator::kMaxStates)
                throw Failure{};
            const int k = static_cast<int>(states.size());
            index.emplace(std::move(key), k);
            states.push_back(StateSets{std::move(p.incoming), p.old, p.next});
            work.push_back(Pending{{k}, p.next, NodeSet(words), NodeSet(words)});
            continue;
        }
        Remove(p.fresh, eta);
        if (In(p.old, eta)) {
            work.push_back(std::move(p));
            continue;
        }
        const Node node = At(eta);
        Add(p.old, eta);
        const auto adding = [&](Pending q, std::initializer_list<int> now, int later) {
            for (int f : now)
                if (!In(q.old, f))
                    Add(q.fresh, f);
            if (later >= 0)
                Add(q.next, later);
            work.push_back(std::move(q));
        };
        switch (node.op) {
        case EOp::False:
            break;
        case EOp::True:
            work.push_back(std::move(p));
            break;
        case EOp::Literal: {
            const int opposite = Opposite(eta);
            if (opposite < 0 || !In(p.old, opposite))
                work.push_back(std::move(p));
            break;
        }
        case EOp::And:
            adding(std::move(p), {node.a, node.b}, -1);
            break;
        case EOp::Or:
            adding(p, {node.a}, -1);
            adding(std::move(p), {node.b}, -1);
            break;
        case EOp::Until:
            adding(p, {node.a}, eta);
            adding(std::move(p), {node.b}, -1);
            break;
        case EOp::Release:
            adding(p, {node.b}, eta);
            adding(std::move(p), {node.a, node.b}, -1);
            break;
        case EOp::Next:
            adding(std::move(p), {}, node.a);
            break;
        }
    }

    std::vector<int> untils;
    for (std::size_t i = 0; i < m_arrNodes.size(); ++i)
        if (m_arrNodes[i].op == EOp::Until)
            untils.push_back(static_cast<int>(i));
    if (untils.size() > 64)
        throw Failure{};
    CBuchiAutomaton automaton;
    automaton.atoms = m_arrAtoms;
    automaton.acceptanceSets = static_cast<int>(untils.size());
    automaton.states.resize(states.size());
    for (std::size_t k = 0; k < states.size(); ++k) {
        CBuchiAutomaton::State& state = automaton.states[k];
        const StateSets& sets = states[k];
        for (std::size_t i = 0; i < m_arrNodes.size(); ++i) {
            const Node& n = m_arrNodes[i];
            if (n.op == EOp::Literal && In(sets.old, static_cast<int>(i)))
                (n.b ? state.mustNot : state.must) |= std::uint64_t{1} << n.a;
        }
        for (std::size_t u = 0; u < untils.size(); ++u)
            if (!In(sets.old, untils[u]) || In(sets.old, At(untils[u]).b))
                state.accepting |= std::uint64_t{1} << u;
        std::vector<int> incoming = sets.incoming;
        std::sort(incoming.begin(), incoming.end());
        incoming.erase(std::unique(incoming.begin(), incoming.end()), incoming.end());
        for (int from : incoming) {
            if (from < 0)
                state.initial = true;
            else
                automaton.states[static_cast<std::size_t>(from)].successors.push_back(
                    static_cast<int>(k));
        }
    }
    return automaton;
}

} // namespace

void CLtlTranslator::Prune(CBuchiAutomaton& automaton) {
    const std::size_t n = automaton.states.size();
    // A search from every state: for the small automata of formulas people write.
    if (n > kMaxPruned)
        return;
    std::vector<std::vector<int>> back(n);
    for (std::size_t q = 0; q < n; ++q)
        for (int t : automaton.states[q].successors)
            back[static_cast<std::size_t>(t)].push_back(static_cast<int>(q));
    // The states reachable from q (q itself only along a cycle).
    const auto reach = [&](std::size_t q, const std::vector<std::vector<int>>& edges) {
        std::vector<bool> seen(n, false);
        std::vector<std::size_t> stack;
        for (int t : edges[q])
            if (!seen[static_cast<std::size_t>(t)]) {
                seen[static_cast<std::size_t>(t)] = true;
                stack.push_back(static_cast<std::size_t>(t));
            }
        while (!stack.empty()) {
            const std::size_t x = stack.back();
            stack.pop_back();
            for (int t : edges[x])
                if (!seen[static_cast<std::size_t>(t)]) {
                    seen[static_cast<std::size_t>(t)] = true;
                    stack.push_back(static_cast<std::size_t>(t));
                }
        }
        return seen;
    };
    std::vector<std::vector<int>> edges(n);
    for (std::size_t x = 0; x < n; ++x)
        edges[x] = automaton.states[x].successors;
    std::vector<std::size_t> fair;
    for (std::size_t q = 0; q < n; ++q) {
        const auto forward = reach(q, edges);
        if (!forward[q])
            continue;
        // q lies on a cycle; its component is what it reaches and what reaches it.
        const auto backward = reach(q, back);
        std::uint64_t sets = 0;
        for (std::size_t x = 0; x < n; ++x)
            if (forward[x] && backward[x])
                sets |= automaton.states[x].accepting;
        if (sets == automaton.AllSets())
            fair.push_back(q);
    }
    // Keep the states from which a fair cycle can be reached.
    std::vector<bool> keep(n, false);
    std::vector<std::size_t> stack = fair;
    for (std::size_t q : fair)
        keep[q] = true;
    while (!stack.empty()) {
        const std::size_t x = stack.back();
        stack.pop_back();
        for (int t : back[x])
            if (!keep[static_cast<std::size_t>(t)]) {
                keep[static_cast<std::size_t>(t)] = true;
                stack.push_back(static_cast<std::size_t>(t));
            }
    }
    std::vector<int> number(n, -1);
    std::vector<CBuchiAutomaton::State> states;
    for (std::size_t q = 0; q < n; ++q)
        if (keep[q]) {
            number[q] = static_cast<int>(states.size());
            states.push_back(automaton.states[q]);
        }
    for (CBuchiAutomaton::State& state : states) {
        std::vector<int> successors;
        for (int t : state.successors)
            if (number[static_cast<std::size_t>(t)] >= 0)
                successors.push_back(number[static_cast<std::size_t>(t)]);
        state.successors = std::move(successors);
    }
    automaton.states = std::move(states);
}

std::optional<CBuchiAutomaton> CLtlTranslator::Translate(const FormulaPtr& path, bool negate) {
    try {
        CTableau tableau;
        const int root = tableau.Build(path, negate);
        CBuchiAutomaton automaton = tableau.Expand(root);
        Prune(automaton);
        return automaton;
    } catch (const Failure&) {
        return std::nullopt;
    }
}
