#pragma once

#include "properties/CPropertyEngine.h"

// Reachability on the fly: the cases are explored breadth first from the initial case,
// every case met asked at once for every question of the batch still open (EF p, AG p,
// the connectives over them, bounds), until each property is decided: an EF found true
// or an AG found false stops at its first case, with the shortest run to it. A bound
// explores every case unless it reaches the number of its conditions. Only the cases and
// the way back to the initial case are kept.
class COnTheFlyEngine : public CPropertyEngine {
public:
    EEngine Kind() const override { return EEngine::OnTheFly; }
    unsigned Techniques() const override { return kExplicit | kSequential | kStateCompression; }
    bool Accepts(const CFormula& formula) const override;
    void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
               const std::vector<CPropertyResult*>& results) override;
};
