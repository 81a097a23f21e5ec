#pragma once

#include "properties/CPropertyEngine.h"

// LTL: A phi holds when no run satisfies !phi, E phi when some run satisfies phi. The
// formula asked for is translated into a Buchi automaton (CLtlTranslator), whose product
// with the cases is searched on the fly, depth first, for an accepting cycle by
// Couvreur's algorithm (strongly connected components, the acceptance sets met in each
// gathered at its root); the cases' steps are kept as the search expands them, so that
// the next formula walks them again. A case without concession has its own step back to
// itself: the run stays there for ever. An accepting cycle found gives the lasso: the
// depth-first path to it and a cycle through every acceptance set.
class CLtlEngine : public CPropertyEngine {
public:
    EEngine Kind() const override { return EEngine::Ltl; }
    unsigned Techniques() const override {
        return kExplicit | kSequential | kStateCompression | kAutomata;
    }
    bool Accepts(const CFormula& formula) const override;
    void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
               const std::vector<CPropertyResult*>& results) override;
};
