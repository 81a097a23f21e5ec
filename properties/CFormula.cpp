#include "properties/CFormula.h"

#include <algorithm>

std::shared_ptr<CFormula> CFormula::Make(EKind kind, std::vector<FormulaPtr> operands) {
    std::shared_ptr<CFormula> node(new CFormula(kind));
    node->m_arrOperands = std::move(operands);
    const bool temporal = (kind >= EKind::EX && kind <= EKind::Until) || kind == EKind::Bound;
    node->m_bState =
        !temporal && std::all_of(node->m_arrOperands.begin(), node->m_arrOperands.end(),
                                 [](const FormulaPtr& f) { return f->IsState(); });
    return node;
}

FormulaPtr CFormula::True() {
    static const FormulaPtr node = Make(EKind::True, {});
    return node;
}

FormulaPtr CFormula::False() {
    static const FormulaPtr node = Make(EKind::False, {});
    return node;
}

FormulaPtr CFormula::Deadlock() {
    static const FormulaPtr node = Make(EKind::Deadlock, {});
    return node;
}

FormulaPtr CFormula::Condition(int condition) {
    auto node = Make(EKind::Condition, {});
    node->m_arrElements = {condition};
    return node;
}

FormulaPtr CFormula::Fireable(std::vector<int> events) {
    auto node = Make(EKind::Fireable, {});
    node->m_arrElements = std::move(events);
    return node;
}

FormulaPtr CFormula::Bound(std::vector<int> conditions) {
    auto node = Make(EKind::Bound, {});
    node->m_arrElements = std::move(conditions);
    return node;
}

FormulaPtr CFormula::Compare(Term left, ECompare comparison, Term right) {
    auto node = Make(EKind::Compare, {});
    node->m_left = std::move(left);
    node->m_eCompare = comparison;
    node->m_right = std::move(right);
    return node;
}

FormulaPtr CFormula::Not(FormulaPtr operand) {
    return Make(EKind::Not, {std::move(operand)});
}

FormulaPtr CFormula::And(std::vector<FormulaPtr> operands) {
    return operands.size() == 1 ? operands.front() : Make(EKind::And, std::move(operands));
}

FormulaPtr CFormula::Or(std::vector<FormulaPtr> operands) {
    return operands.size() == 1 ? operands.front() : Make(EKind::Or, std::move(operands));
}

FormulaPtr CFormula::Implies(FormulaPtr left, FormulaPtr right) {
    return Make(EKind::Implies, {std::move(left), std::move(right)});
}

FormulaPtr CFormula::Iff(FormulaPtr left, FormulaPtr right) {
    return Make(EKind::Iff, {std::move(left), std::move(right)});
}

FormulaPtr CFormula::Ctl(EKind kind, FormulaPtr operand) {
    return Make(kind, {std::move(operand)});
}

FormulaPtr CFormula::EU(FormulaPtr left, FormulaPtr right) {
    return Make(EKind::EU, {std::move(left), std::move(right)});
}

FormulaPtr CFormula::AU(FormulaPtr left, FormulaPtr right) {
    return Make(EKind::AU, {std::move(left), std::move(right)});
}

namespace {

// X F G U, A E around them, a bound: what CTL's until may not hold.
bool IsNoCtl(const CFormula& f) {
    return f.IsPathOperator() || f.Kind() == CFormula::EKind::PathA ||
           f.Kind() == CFormula::EKind::PathE || f.Kind() == CFormula::EKind::Bound;
}

} // namespace

FormulaPtr CFormula::Quantified(bool all, FormulaPtr path) {
    if (path->Kind() == EKind::Until && !path->Operand(0)->Contains(IsNoCtl) &&
        !path->Operand(1)->Contains(IsNoCtl))
        return all ? AU(path->Operand(0), path->Operand(1))
                   : EU(path->Operand(0), path->Operand(1));
    return Make(all ? EKind::PathA : EKind::PathE, {std::move(path)});
}

FormulaPtr CFormula::Path(EKind kind, FormulaPtr operand) {
    return Make(kind, {std::move(operand)});
}

FormulaPtr CFormula::Until(FormulaPtr left, FormulaPtr right) {
    return Make(EKind::Until, {std::move(left), std::move(right)});
}

bool CFormula::Contains(bool (*test)(const CFormula&)) const {
    return test(*this) || std::any_of(m_arrOperands.begin(), m_arrOperands.end(),
                                      [test](const FormulaPtr& f) { return f->Contains(test); });
}

bool operator==(const CFormula& a, const CFormula& b) {
    if (a.m_eKind != b.m_eKind || a.m_arrElements != b.m_arrElements ||
        a.m_arrOperands.size() != b.m_arrOperands.size())
        return false;
    if (a.m_eKind == CFormula::EKind::Compare &&
        (a.m_eCompare != b.m_eCompare || a.m_left != b.m_left || a.m_right != b.m_right))
        return false;
    for (std::size_t i = 0; i < a.m_arrOperands.size(); ++i)
        if (!SameFormula(a.m_arrOperands[i], b.m_arrOperands[i]))
            return false;
    return true;
}

bool SameFormula(const FormulaPtr& a, const FormulaPtr& b) {
    if (a == b)
        return true;
    return a && b && *a == *b;
}
