#include "properties/CStatePredicate.h"

#include <algorithm>

using EKind = CFormula::EKind;

bool CStatePredicate::Test(ETest test, const Word* mask, const Word* c) const {
    bool all = true, any = false;
    for (int w = 0; w < m_net.Words(); ++w) {
        all = all && (c[w] & mask[w]) == mask[w];
        any = any || (c[w] & mask[w]) != 0;
    }
    switch (test) {
    case ETest::All:
        return all;
    case ETest::Any:
        return any;
    case ETest::None:
        return !any;
    case ETest::NotAll:
        return !all;
    case ETest::True:
        return true;
    default:
        return false;
    }
}

CStatePredicate::CStatePredicate(const CFormula& formula, const CCompactNet& net) : m_net(net) {
    Compile(formula);
}

int CStatePredicate::Compile(const CFormula& f) {
    const int index = static_cast<int>(m_arrNodes.size());
    m_arrNodes.push_back(Node{f.Kind()});
    Node node{f.Kind()};
    switch (f.Kind()) {
    case EKind::Condition:
        node.first = f.Elements()[0];
        break;
    case EKind::Fireable:
        node.first = static_cast<int>(m_arrEvents.size());
        node.count = static_cast<int>(f.Elements().size());
        m_arrEvents.insert(m_arrEvents.end(), f.Elements().begin(), f.Elements().end());
        break;
    case EKind::Compare:
        node.compare = f.Comparison();
        node.test = TestOf(f);
        if (node.test != ETest::Count) {
            const auto& conditions = f.Left().count ? f.Left().conditions : f.Right().conditions;
            node.first = static_cast<int>(m_arrMasks.size());
            const auto mask = m_net.Mask(conditions);
            m_arrMasks.insert(m_arrMasks.end(), mask.begin(), mask.end());
            break;
        }
        node.first = static_cast<int>(m_arrTerms.size());
        for (const CFormula::Term* t : {&f.Left(), &f.Right()}) {
            Term term;
            term.constant = t->value;
            if (t->count) {
                std::vector<int> unique = t->conditions;
                std::sort(unique.begin(), unique.end());
                for (std::size_t i = 1; i < unique.size(); ++i)
                    if (unique[i] == unique[i - 1])
                        term.again.push_back(unique[i]);
                unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
                term.mask = static_cast<long>(m_arrMasks.size());
                const auto mask = m_net.Mask(unique);
                m_arrMasks.insert(m_arrMasks.end(), mask.begin(), mask.end());
            }
            m_arrTerms.push_back(std::move(term));
        }
        break;
    default: {
        // The operands are compiled first, their indexes then stored together.
        std::vector<int> operands;
        for (const FormulaPtr& operand : f.Operands())
            operands.push_back(Compile(*operand));
        node.first = static_cast<int>(m_arrOperands.size());
        node.count = static_cast<int>(operands.size());
        m_arrOperands.insert(m_arrOperands.end(), operands.begin(), operands.end());
        break;
    }
    }
    m_arrNodes[static_cast<std::size_t>(index)] = node;
    return index;
}

CStatePredicate::ETest CStatePredicate::TestOf(const CFormula& f) {
    using C = CFormula::ECompare;
    const CFormula::Term& left = f.Left();
    const CFormula::Term& right = f.Right();
    if (left.count == right.count)
        return ETest::Count;
    const auto& conditions = left.count ? left.conditions : right.conditions;
    std::vector<int> unique = conditions;
    std::sort(unique.begin(), unique.end());
    if (unique.empty() || std::adjacent_find(unique.begin(), unique.end()) != unique.end())
        return ETest::Count;
    // count compare k, the count on the left.
    const long long n = static_cast<long long>(unique.size());
    long long k = left.count ? right.value : left.value;
    C compare = f.Comparison();
    if (!left.count)
        compare = compare == C::Less           ? C::Greater
                  : compare == C::LessEqual    ? C::GreaterEqual
                  : compare == C::GreaterEqual ? C::LessEqual
                  : compare == C::Greater      ? C::Less
                                               : compare;
    if (compare == C::Greater) {
        compare = C::GreaterEqual;
        ++k;
    } else if (compare == C::Less) {
        compare = C::LessEqual;
        --k;
    }
    switch (compare) {
    case C::GreaterEqual:
        return k <= 0   ? ETest::True
               : k == 1 ? ETest::Any
               : k == n ? ETest::All
               : k > n  ? ETest::False
                        : ETest::Count;
    case C::LessEqual:
        return k < 0        ? ETest::False
               : k == 0     ? ETest::None
               : k == n - 1 ? ETest::NotAll
               : k >= n     ? ETest::True
                            : ETest::Count;
    case C::Equal:
        return k < 0 || k > n ? ETest::False
               : k == 0       ? ETest::None
               : k == n       ? ETest::All
                              : ETest::Count;
    case C::NotEqual:
        return k < 0 || k > n ? ETest::True
               : k == 0       ? ETest::Any
               : k == n       ? ETest::NotAll
                              : ETest::Count;
    default:
        return ETest::Count;
    }
}

long long CStatePredicate::Value(const Term& term, const Word* c) const {
    if (term.mask < 0)
        return term.constant;
    long long n = m_net.Count(c, m_arrMasks.data() + term.mask);
    for (int condition : term.again)
        n += CCompactNet::Holds(c, condition) ? 1 : 0;
    return n;
}

bool CStatePredicate::Eval(int index, const Word* c) const {
    const Node& node = m_arrNodes[static_cast<std::size_t>(index)];
    const auto operand = [&](int k) {
        return m_arrOperands[static_cast<std::size_t>(node.first + k)];
    };
    switch (node.kind) {
    case EKind::True:
        return true;
    case EKind::False:
        return false;
    case EKind::Condition:
        return CCompactNet::Holds(c, node.first);
    case EKind::Deadlock:
        return m_net.IsDeadlock(c);
    case EKind::Fireable:
        for (int k = 0; k < node.count; ++k)
            if (m_net.HasConcession(c, m_arrEvents[static_cast<std::size_t>(node.first + k)]))
                return true;
        return false;
    case EKind::Compare: {
        if (node.test != ETest::Count)
            return Test(node.test, m_arrMasks.data() + node.first, c);
        const long long a = Value(m_arrTerms[static_cast<std::size_t>(node.first)], c);
        const long long b = Value(m_arrTerms[static_cast<std::size_t>(node.first + 1)], c);
        switch (node.compare) {
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
        return !Eval(operand(0), c);
    case EKind::And:
        for (int k = 0; k < node.count; ++k)
            if (!Eval(operand(k), c))
                return false;
        return true;
    case EKind::Or:
        for (int k = 0; k < node.count; ++k)
            if (Eval(operand(k), c))
                return true;
        return false;
    case EKind::Implies:
        return !Eval(operand(0), c) || Eval(operand(1), c);
    case EKind::Iff:
        return Eval(operand(0), c) == Eval(operand(1), c);
    default:
        // Not a state formula: the engines never ask.
        return false;
    }
}
