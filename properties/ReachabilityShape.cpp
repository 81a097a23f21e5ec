#include "properties/ReachabilityShape.h"

#include <algorithm>

namespace ReachabilityShape {

using EKind = CFormula::EKind;

bool IsLeaf(const CFormula& f) {
    return (f.Kind() == EKind::EF || f.Kind() == EKind::AG) && f.Operand()->IsState();
}

bool Accepts(const CFormula& f) {
    if (f.IsState() || IsLeaf(f))
        return true;
    switch (f.Kind()) {
    case EKind::Not:
    case EKind::And:
    case EKind::Or:
    case EKind::Implies:
    case EKind::Iff:
        return std::all_of(f.Operands().begin(), f.Operands().end(),
                           [](const FormulaPtr& g) { return Accepts(*g); });
    default:
        return false;
    }
}

namespace {

ETruth Negate(ETruth t) {
    return t == ETruth::Unknown ? t : t == ETruth::True ? ETruth::False : ETruth::True;
}

} // namespace

ETruth Evaluate(const CFormula& f, const std::function<ETruth(const CFormula& leaf)>& leaf) {
    if (IsLeaf(f) || f.IsState())
        return leaf(f);
    const auto operand = [&](std::size_t i) { return Evaluate(*f.Operand(i), leaf); };
    switch (f.Kind()) {
    case EKind::Not:
        return Negate(operand(0));
    case EKind::And:
    case EKind::Or: {
        const ETruth absorbing = f.Kind() == EKind::And ? ETruth::False : ETruth::True;
        ETruth result = Negate(absorbing);
        for (std::size_t i = 0; i < f.Operands().size(); ++i) {
            const ETruth t = operand(i);
            if (t == absorbing)
                return absorbing;
            if (t == ETruth::Unknown)
                result = ETruth::Unknown;
        }
        return result;
    }
    case EKind::Implies: {
        const ETruth a = operand(0), b = operand(1);
        if (a == ETruth::False || b == ETruth::True)
            return ETruth::True;
        if (a == ETruth::True && b == ETruth::False)
            return ETruth::False;
        return ETruth::Unknown;
    }
    case EKind::Iff: {
        const ETruth a = operand(0), b = operand(1);
        if (a == ETruth::Unknown || b == ETruth::Unknown)
            return ETruth::Unknown;
        return a == b ? ETruth::True : ETruth::False;
    }
    default:
        return ETruth::Unknown;
    }
}

const CFormula* DecidingLeaf(const CFormula& f, bool want,
                             const std::function<ETruth(const CFormula& leaf)>& leaf) {
    if (IsLeaf(f))
        return (f.Kind() == EKind::EF) == want ? &f : nullptr;
    if (f.IsState())
        return nullptr;
    const ETruth wanted = want ? ETruth::True : ETruth::False;
    switch (f.Kind()) {
    case EKind::Not:
        return DecidingLeaf(*f.Operand(), !want, leaf);
    case EKind::And:
    case EKind::Or:
        // One false conjunct decides a conjunction, one true disjunct a disjunction.
        if (want == (f.Kind() == EKind::And))
            return nullptr;
        for (const FormulaPtr& g : f.Operands())
            if (Evaluate(*g, leaf) == wanted)
                if (const CFormula* found = DecidingLeaf(*g, want, leaf))
                    return found;
        return nullptr;
    case EKind::Implies:
        if (!want)
            return nullptr;
        if (Evaluate(*f.Operand(0), leaf) == ETruth::False)
            if (const CFormula* found = DecidingLeaf(*f.Operand(0), false, leaf))
                return found;
        if (Evaluate(*f.Operand(1), leaf) == ETruth::True)
            return DecidingLeaf(*f.Operand(1), true, leaf);
        return nullptr;
    default:
        return nullptr;
    }
}

} // namespace ReachabilityShape
