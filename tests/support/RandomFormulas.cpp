#include "support/RandomFormulas.h"

#include "model/CNetStructure.h"

using EKind = CFormula::EKind;

std::vector<int> CRandomFormulas::Conditions(int most) {
    std::vector<int> list;
    const int n = 1 + Below(most);
    for (int i = 0; i < n; ++i)
        list.push_back(Below(static_cast<int>(m_net.ConditionCount())));
    return list;
}

FormulaPtr CRandomFormulas::Atom() {
    switch (Below(9)) {
    case 0:
        return Below(2) ? CFormula::True() : CFormula::False();
    case 1:
        return CFormula::Deadlock();
    case 2:
    case 3: {
        std::vector<int> events{Below(static_cast<int>(m_net.EventCount()))};
        if (Below(3) == 0)
            events.push_back(Below(static_cast<int>(m_net.EventCount())));
        return CFormula::Fireable(events);
    }
    case 4:
    case 5: {
        const auto compare = static_cast<CFormula::ECompare>(Below(6));
        const auto left = CFormula::Term::Count(Conditions(3));
        const auto right =
            Below(2) ? CFormula::Term::Count(Conditions(3)) : CFormula::Term::Constant(Below(4));
        return Below(2) ? CFormula::Compare(left, compare, right)
                        : CFormula::Compare(right, compare, left);
    }
    default:
        return CFormula::Condition(Below(static_cast<int>(m_net.ConditionCount())));
    }
}

FormulaPtr CRandomFormulas::Connect(int depth, FormulaPtr (CRandomFormulas::*make)(int)) {
    switch (Below(5)) {
    case 0:
        return CFormula::Not((this->*make)(depth - 1));
    case 1:
        return CFormula::And({(this->*make)(depth - 1), (this->*make)(depth - 1)});
    case 2:
        return CFormula::Or(
            {(this->*make)(depth - 1), (this->*make)(depth - 1), (this->*make)(depth - 1)});
    case 3:
        return CFormula::Implies((this->*make)(depth - 1), (this->*make)(depth - 1));
    default:
        return CFormula::Iff((this->*make)(depth - 1), (this->*make)(depth - 1));
    }
}

FormulaPtr CRandomFormulas::State(int depth) {
    if (depth <= 0 || Below(3) == 0)
        return Atom();
    return Connect(depth, &CRandomFormulas::State);
}

FormulaPtr CRandomFormulas::Reachability(int depth) {
    if (depth <= 0 || Below(2) == 0)
        return CFormula::Ctl(Below(2) ? EKind::EF : EKind::AG, State(2));
    return Connect(depth, &CRandomFormulas::Reachability);
}

FormulaPtr CRandomFormulas::Ctl(int depth) {
    if (depth <= 0)
        return State(1);
    switch (Below(10)) {
    case 0:
    case 1:
        return Connect(depth, &CRandomFormulas::Ctl);
    case 2:
        return CFormula::EU(Ctl(depth - 1), Ctl(depth - 1));
    case 3:
        return CFormula::AU(Ctl(depth - 1), Ctl(depth - 1));
    case 4:
        return State(2);
    default: {
        static constexpr EKind kUnary[] = {EKind::EX, EKind::AX, EKind::EF,
                                           EKind::AG, EKind::EG, EKind::AF};
        return CFormula::Ctl(kUnary[Below(6)], Ctl(depth - 1));
    }
    }
}

FormulaPtr CRandomFormulas::Path(int depth) {
    if (depth <= 0 || m_nTemporal >= 4 || Below(4) == 0)
        return State(1);
    if (Below(3) == 0)
        return Connect(depth, &CRandomFormulas::Path);
    ++m_nTemporal;
    switch (Below(4)) {
    case 0:
        return CFormula::Path(EKind::Next, Path(depth - 1));
    case 1:
        return CFormula::Path(EKind::Finally, Path(depth - 1));
    case 2:
        return CFormula::Path(EKind::Globally, Path(depth - 1));
    default:
        return CFormula::Until(Path(depth - 1), Path(depth - 1));
    }
}

FormulaPtr CRandomFormulas::Ltl(int depth) {
    m_nTemporal = 0;
    FormulaPtr f = CFormula::Quantified(Below(4) != 0, Path(depth));
    return Below(5) == 0 ? CFormula::Not(f) : f;
}

FormulaPtr CRandomFormulas::Bound() {
    return CFormula::Bound(Conditions(4));
}
