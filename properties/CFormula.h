#pragma once

#include <memory>
#include <string>
#include <vector>

class CFormula;
using FormulaPtr = std::shared_ptr<const CFormula>;

// A property of a net's cases, as a tree of immutable nodes over the net's conditions
// and events by number. Three kinds of formulas meet here:
// - state formulas, true or false in one case: true, false, a condition holding,
//   fireable(events) (one of them has concession), deadlock (none has), comparisons of
//   counts (#(conditions): how many of them hold) and constants, and the Boolean
//   connectives over them;
// - CTL: EX AX EF AG EG AF E(p U q) A(p U q) over state formulas and each other;
// - LTL: a path quantifier A (every run) or E (some run) around a path formula made of
//   X F G U and the connectives over state formulas; it stands for the whole formula
//   (under negations at most).
// A quantifier around "p U q" of two state or CTL formulas is CTL's until, whatever
// wrote it: both readings agree on every run. The place-bound question (the most conditions of a
// list that hold together in a reachable case) is a formula of its own, with a number
// for an answer.
class CFormula {
public:
    enum class EKind : unsigned char {
        True,
        False,
        Condition, // the condition Elements()[0] holds
        Fireable,  // one of the events Elements() has concession
        Deadlock,  // no event has concession
        Compare,   // Left() Comparison() Right()
        Not,
        And, // two or more operands
        Or,  // two or more operands
        Implies,
        Iff,
        EX,
        AX,
        EF,
        AG,
        EG,
        AF,
        EU, // E (Operands()[0] U Operands()[1])
        AU,
        PathA, // A around the path formula Operands()[0]
        PathE,
        Next,
        Finally,
        Globally,
        Until,
        Bound, // the place-bound of the conditions Elements()
    };
    enum class ECompare : unsigned char { Less, LessEqual, Equal, NotEqual, GreaterEqual, Greater };

    // An integer: a constant, or how many of the conditions hold.
    struct Term {
        bool count = false;
        long long value = 0;
        std::vector<int> conditions;
        bool operator==(const Term&) const = default;
        static Term Constant(long long value) { return Term{false, value, {}}; }
        static Term Count(std::vector<int> conditions) {
            return Term{true, 0, std::move(conditions)};
        }
    };

    static FormulaPtr True();
    static FormulaPtr False();
    static FormulaPtr Condition(int condition);
    static FormulaPtr Fireable(std::vector<int> events);
    static FormulaPtr Deadlock();
    static FormulaPtr Compare(Term left, ECompare comparison, Term right);
    static FormulaPtr Not(FormulaPtr operand);
    // And and Or of one operand give the operand itself.
    static FormulaPtr And(std::vector<FormulaPtr> operands);
    static FormulaPtr Or(std::vector<FormulaPtr> operands);
    static FormulaPtr Implies(FormulaPtr left, FormulaPtr right);
    static FormulaPtr Iff(FormulaPtr left, FormulaPtr right);
    // EX AX EF AG EG AF.
    static FormulaPtr Ctl(EKind kind, FormulaPtr operand);
    static FormulaPtr EU(FormulaPtr left, FormulaPtr right);
    static FormulaPtr AU(FormulaPtr left, FormulaPtr right);
    // A or E around a path formula; "p U q" of state or CTL formulas gives AU or EU.
    static FormulaPtr Quantified(bool all, FormulaPtr path);
    // X F G.
    static FormulaPtr Path(EKind kind, FormulaPtr operand);
    static FormulaPtr Until(FormulaPtr left, FormulaPtr right);
    static FormulaPtr Bound(std::vector<int> conditions);

    EKind Kind() const { return m_eKind; }
    const std::vector<FormulaPtr>& Operands() const { return m_arrOperands; }
    const FormulaPtr& Operand(std::size_t i = 0) const { return m_arrOperands[i]; }
    // The conditions of Condition and Bound, the events of Fireable.
    const std::vector<int>& Elements() const { return m_arrElements; }
    ECompare Comparison() const { return m_eCompare; }
    const Term& Left() const { return m_left; }
    const Term& Right() const { return m_right; }

    // No temporal operator below: true or false in a case.
    bool IsState() const { return m_bState; }
    // A CTL operator at the top.
    bool IsCtlOperator() const { return m_eKind >= EKind::EX && m_eKind <= EKind::AU; }
    // X F G U at the top.
    bool IsPathOperator() const { return m_eKind >= EKind::Next && m_eKind <= EKind::Until; }
    // Whether an operator of the kind is found in the tree.
    bool Contains(bool (*test)(const CFormula&)) const;

    // The same tree, node for node.
    friend bool operator==(const CFormula& a, const CFormula& b);
    friend bool operator!=(const CFormula& a, const CFormula& b) { return !(a == b); }

private:
    explicit CFormula(EKind kind) : m_eKind(kind) {}
    static std::shared_ptr<CFormula> Make(EKind kind, std::vector<FormulaPtr> operands);

    EKind m_eKind;
    ECompare m_eCompare = ECompare::LessEqual;
    bool m_bState = true;
    std::vector<FormulaPtr> m_arrOperands;
    std::vector<int> m_arrElements;
    Term m_left;
    Term m_right;
};

// Whether both point to equal trees (or both to none).
bool SameFormula(const FormulaPtr& a, const FormulaPtr& b);
