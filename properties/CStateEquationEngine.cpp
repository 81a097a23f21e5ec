#include "properties/CStateEquationEngine.h"

#include "model/CNetStructure.h"
#include "properties/CCheckContext.h"
#include "properties/CStatePredicate.h"
#include "properties/ReachabilityShape.h"

#include <map>

namespace {

using EKind = CFormula::EKind;
using ECompare = CFormula::ECompare;
using Conjunction = CStateEquationEngine::Conjunction;
using Linear = CLinearConstraint;

ECompare Opposite(ECompare c) {
    switch (c) {
    case ECompare::Less:
        return ECompare::GreaterEqual;
    case ECompare::LessEqual:
        return ECompare::Greater;
    case ECompare::Equal:
        return ECompare::NotEqual;
    case ECompare::NotEqual:
        return ECompare::Equal;
    case ECompare::GreaterEqual:
        return ECompare::Less;
    case ECompare::Greater:
        return ECompare::LessEqual;
    }
    return c;
}

Linear Single(int condition, Linear::ECompare compare, long long bound) {
    return Linear{{{condition, 1}}, compare, bound};
}

// Every conjunction of one side with every one of the other.
bool Product(std::vector<Conjunction>& left, const std::vector<Conjunction>& right) {
    if (left.size() * right.size() > CStateEquationEngine::kMaxDisjuncts)
        return false;
    std::vector<Conjunction> result;
    for (const Conjunction& a : left)
        for (const Conjunction& b : right) {
            Conjunction both = a;
            both.insert(both.end(), b.begin(), b.end());
            result.push_back(std::move(both));
        }
    left = std::move(result);
    return true;
}

} // namespace

namespace {

// left - right compared with the constants moved to the right: one conjunction of one
// constraint, two conjunctions for !=.
std::vector<Conjunction> Comparison(const CFormula& f, bool negate) {
    std::map<int, long long> coefficients;
    for (int c : f.Left().conditions)
        ++coefficients[c];
    for (int c : f.Right().conditions)
        --coefficients[c];
    const long long bound =
        (f.Right().count ? 0 : f.Right().value) - (f.Left().count ? 0 : f.Left().value);
    Linear linear;
    for (const auto& [c, k] : coefficients)
        if (k != 0)
            linear.terms.emplace_back(c, k);
    std::vector<Conjunction> out;
    const auto add = [&](Linear::ECompare op, long long b) {
        Linear l = linear;
        l.compare = op;
        l.bound = b;
        out.push_back({l});
    };
    switch (negate ? Opposite(f.Comparison()) : f.Comparison()) {
    case ECompare::Less:
        add(Linear::ECompare::LessEqual, bound - 1);
        break;
    case ECompare::LessEqual:
        add(Linear::ECompare::LessEqual, bound);
        break;
    case ECompare::Equal:
        add(Linear::ECompare::Equal, bound);
        break;
    case ECompare::NotEqual:
        add(Linear::ECompare::LessEqual, bound - 1);
        add(Linear::ECompare::GreaterEqual, bound + 1);
        break;
    case ECompare::GreaterEqual:
        add(Linear::ECompare::GreaterEqual, bound);
        break;
    case ECompare::Greater:
        add(Linear::ECompare::GreaterEqual, bound + 1);
        break;
    }
    return out;
}

} // namespace

bool CStateEquationEngine::Concession(const CFormula& f, bool negate,
                                      std::vector<Conjunction>& out) const {
    std::vector<int> events = f.Elements();
    bool fireable = f.Kind() == EKind::Fireable;
    if (!fireable)
        for (std::size_t e = 0; e < m_net.EventCount(); ++e)
            events.push_back(static_cast<int>(e));
    fireable = fireable != negate;
    if (fireable) {
        // One of the events with its pre-set full and its post-set empty.
        for (int e : events) {
            Conjunction c;
            for (int p : m_net.Pre(e))
                c.push_back(Single(p, Linear::ECompare::GreaterEqual, 1));
            for (int p : m_net.Post(e))
                c.push_back(Single(p, Linear::ECompare::LessEqual, 0));
            out.push_back(std::move(c));
        }
        return out.size() <= kMaxDisjuncts;
    }
    // None of them: for each, a condition of its pre-set empty or of its post-set held.
    out.emplace_back();
    for (int e : events) {
        std::vector<Conjunction> blocked;
        for (int p : m_net.Pre(e))
            blocked.push_back({Single(p, Linear::ECompare::LessEqual, 0)});
        for (int p : m_net.Post(e))
            blocked.push_back({Single(p, Linear::ECompare::GreaterEqual, 1)});
        if (!Product(out, blocked))
            return false;
    }
    return true;
}

bool CStateEquationEngine::Disjunctions(const CFormula& f, bool negate,
                                        std::vector<Conjunction>& out) const {
    out.clear();
    const auto both = [&](const CFormula& a, bool na, const CFormula& b, bool nb,
                          bool conjunction) {
        std::vector<Conjunction> left, right;
        if (!Disjunctions(a, na, left) || !Disjunctions(b, nb, right))
            return false;
        if (conjunction && !Product(left, right))
            return false;
        if (!conjunction)
            left.insert(left.end(), right.begin(), right.end());
        out = std::move(left);
        return out.size() <= kMaxDisjuncts;
    };
    switch (f.Kind()) {
    case EKind::True:
    case EKind::False:
        if ((f.Kind() == EKind::True) != negate)
            out.emplace_back();
        return true;
    case EKind::Condition:
        out.push_back({Single(f.Elements()[0],
                              negate ? Linear::ECompare::LessEqual : Linear::ECompare::GreaterEqual,
                              negate ? 0 : 1)});
        return true;
    case EKind::Compare:
        out = Comparison(f, negate);
        return true;
    case EKind::Fireable:
    case EKind::Deadlock:
        return Concession(f, negate, out);
    case EKind::Not:
        return Disjunctions(*f.Operand(), !negate, out);
    case EKind::And:
    case EKind::Or: {
        const bool conjunction = (f.Kind() == EKind::And) != negate;
        if (!Disjunctions(*f.Operand(0), negate, out))
            return false;
        for (std::size_t i = 1; i < f.Operands().size(); ++i) {
            std::vector<Conjunction> next;
            if (!Disjunctions(*f.Operand(i), negate, next))
                return false;
            if (conjunction) {
                if (!Product(out, next))
                    return false;
            } else {
                out.insert(out.end(), next.begin(), next.end());
                if (out.size() > kMaxDisjuncts)
                    return false;
            }
        }
        return true;
    }
    case EKind::Implies:
        return both(*f.Operand(0), !negate, *f.Operand(1), negate, negate);
    case EKind::Iff: {
        std::vector<Conjunction> same, differ;
        if (!both(*f.Operand(0), false, *f.Operand(1), negate, true))
            return false;
        same = out;
        if (!both(*f.Operand(0), true, *f.Operand(1), !negate, true))
            return false;
        differ = out;
        out = same;
        out.insert(out.end(), differ.begin(), differ.end());
        return out.size() <= kMaxDisjuncts;
    }
    default:
        return false;
    }
}

bool CStateEquationEngine::Accepts(const CFormula& formula) const {
    return m_proof && ReachabilityShape::Accepts(formula) && !formula.IsState();
}

void CStateEquationEngine::Check(const std::vector<const CProperty*>& properties,
                                 CCheckContext& context,
                                 const std::vector<CPropertyResult*>& results) {
    using ReachabilityShape::ETruth;
    // Per EF p leaf (AG p asks of !p): whether no reachable case satisfies it.
    std::map<const CFormula*, bool> unreachable;
    const auto proved = [&](const CFormula& leaf) {
        const auto it = unreachable.find(&leaf);
        if (it != unreachable.end())
            return it->second;
        std::vector<Conjunction> cases;
        bool none = Disjunctions(*leaf.Operand(), leaf.Kind() == EKind::AG, cases);
        for (std::size_t i = 0; none && i < cases.size(); ++i) {
            context.Budget().Check(0);
            none = m_proof(cases[i]) == EStateEquation::Unreachable;
        }
        unreachable.emplace(&leaf, none);
        return none;
    };
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const auto leaf = [&](const CFormula& l) {
            if (l.IsState())
                return CStatePredicate(l, context.Compact()).Holds(context.Compact().Initial())
                           ? ETruth::True
                           : ETruth::False;
            if (!proved(l))
                return ETruth::Unknown;
            return l.Kind() == EKind::EF ? ETruth::False : ETruth::True;
        };
        const ETruth truth = ReachabilityShape::Evaluate(*properties[i]->formula, leaf);
        if (truth == ETruth::Unknown)
            continue;
        CPropertyResult& result = *results[i];
        result.verdict = truth == ETruth::True ? EVerdict::True : EVerdict::False;
        result.techniques = Techniques();
        result.seconds = context.Budget().Elapsed();
    }
}
