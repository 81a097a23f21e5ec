#include "properties/CExplanationWalk.h"

using EKind = CFormula::EKind;

bool CExplanationWalk::Extend(const CFormula& f, bool want) {
    if (f.IsState())
        return false;
    switch (f.Kind()) {
    case EKind::Not:
        return Extend(*f.Operand(), !want);
    case EKind::And:
    case EKind::Or:
        // A true conjunction or false disjunction needs every operand's run, not one.
        if (want == (f.Kind() == EKind::And))
            return false;
        for (const FormulaPtr& g : f.Operands())
            if (Shows(*g, want) && Extend(*g, want))
                return true;
        return false;
    case EKind::Implies:
        if (!want)
            return false;
        if (Shows(*f.Operand(0), false) && Extend(*f.Operand(0), false))
            return true;
        return Shows(*f.Operand(1), true) && Extend(*f.Operand(1), true);
    case EKind::EX:
    case EKind::AX:
        if (want != (f.Kind() == EKind::EX) || !Step(f, want))
            return false;
        Extend(*f.Operand(), want);
        return true;
    case EKind::EF:
    case EKind::AG:
        if (want != (f.Kind() == EKind::EF) || !Reach(f, want))
            return false;
        Extend(*f.Operand(), want);
        return true;
    case EKind::EU:
        return want && ReachUntil(f);
    default:
        return ExtendOther(f, want);
    }
}

bool CExplanationWalk::ExtendOther(const CFormula&, bool) {
    return false;
}
