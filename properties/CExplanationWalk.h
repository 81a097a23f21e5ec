#pragma once

#include "properties/CFormula.h"

// The walk that explains a verdict with a run: from the run's last case down through the
// connectives whose value one operand decides (a negation, a false conjunct, a true
// disjunct, the false premise or true conclusion of an implication) to a temporal
// operator, which extends the run by its own kind of step and goes on into its operand
// where that has a run of its own. A state formula is shown by the case itself and needs
// none. An engine tells how a formula's value at the last case is known and how its run
// steps, over its own sets of cases.
class CExplanationWalk {
public:
    // Extends the run to show f has the value want at its last case; false, the run left
    // as it was, when no run shows it.
    bool Extend(const CFormula& f, bool want);

protected:
    ~CExplanationWalk() = default;

    // Whether f is known to have the value want at the run's last case.
    virtual bool Shows(const CFormula& f, bool want) = 0;
    // EX p to show true, AX p to show false: one step to a case where p has the value
    // want; false when none has.
    virtual bool Step(const CFormula& f, bool want) = 0;
    // EF p to show true, AG p to show false: a run to a case where p has the value want;
    // false when there is none.
    virtual bool Reach(const CFormula& f, bool want) = 0;
    // E (p U q) to show true: a run through cases of p to one of q; false when there is
    // none.
    virtual bool ReachUntil(const CFormula& f) = 0;
    // The other operators (EG, AF, AU): none explained unless an engine does.
    virtual bool ExtendOther(const CFormula& f, bool want);
};
