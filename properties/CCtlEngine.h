#pragma once

#include "properties/CPropertyEngine.h"

// CTL by fixpoints over the stored forward graph: every reachable case is found first,
// then each subformula's cases computed bottom up as a bit set, the temporal operators
// walking the steps backwards. At a case without concession EX p is false and AX p
// true, while EG, AF and the untils are taken over the maximal runs: the run ending
// there satisfies G p when p holds there, F p only when p does. The answer at the
// initial case comes with its run where one shows it: a witness of a true EF, EX, EU or
// EG, a counterexample of a false AG, AX, AU or AF (a path, or a lasso or a run into a
// deadlock for EG and its duals), through negations and the conjuncts or disjuncts that
// decide.
class CCtlEngine : public CPropertyEngine {
public:
    EEngine Kind() const override { return EEngine::Ctl; }
    unsigned Techniques() const override { return kExplicit | kSequential | kStateCompression; }
    bool Accepts(const CFormula& formula) const override;
    void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
               const std::vector<CPropertyResult*>& results) override;
};
