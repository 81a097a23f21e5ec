#include "properties/CStatePredicate.h"

#include <algorithm>

using EKind = CFormula::EKind;

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
