#include "properties/ReachabilityShape.h"

#include "properties/CExplanationWalk.h"

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

namespace {

// The walk that explains a verdict with the values at the initial case, three-valued:
// it stops at the leaf whose run shows the formula's value, and steps no further.
class CLeafWalk : public CExplanationWalk {
public:
    explicit CLeafWalk(const std::function<ETruth(const CFormula& leaf)>& leaf) : m_leaf(leaf) {}

    const CFormula* Deciding() const { return m_pLeaf; }

private:
    bool Shows(const CFormula& f, bool want) override {
        return Evaluate(f, m_leaf) == (want ? ETruth::True : ETruth::False);
    }
    bool Step(const CFormula&, bool) override { return false; }
    bool Reach(const CFormula& f, bool) override {
        if (!IsLeaf(f))
            return false;
        m_pLeaf = &f;
        return true;
    }
    bool ReachUntil(const CFormula&) override { return false; }

    const std::function<ETruth(const CFormula& leaf)>& m_leaf;
    const CFormula* m_pLeaf = nullptr;
};

} // namespace

const CFormula* DecidingLeaf(const CFormula& f, bool want,
                             const std::function<ETruth(const CFormula& leaf)>& leaf) {
    CLeafWalk walk(leaf);
    return walk.Extend(f, want) ? walk.Deciding() : nullptr;
}

} // namespace ReachabilityShape
