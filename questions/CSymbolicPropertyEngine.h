#pragma once

#include "base/WorkProgress.h"
#include "engines/CCaseSet.h"
#include "properties/CPropertyEngine.h"

#include <map>
#include <memory>

class CNetStructure;
class CSymbolicEngine;

// Properties over decision diagrams: every state and CTL formula of conditions, fireable
// and deadlock, decided as sets of the cases reachable forward from the initial case
// (BuDDy fixpoints by the symbolic engine's saturation), for nets far past what can be
// listed case by case. It needs the drawn net (the engine works on its elements) and
// gives no runs; counts and bounds it leaves to the others.
class CSymbolicPropertyEngine : public CPropertyEngine {
public:
    // Takes the engine, already run forward; the net is the one it was made from.
    CSymbolicPropertyEngine(const CNetStructure& net, std::unique_ptr<CSymbolicEngine> engine);
    ~CSymbolicPropertyEngine() override;

    // The engine of a drawn net, run forward within the memory limit (bytes, 0 for
    // none); null where the net is not drawn, the library is in use elsewhere, the
    // forward cases do not fit or the progress said stop.
    static std::unique_ptr<CSymbolicPropertyEngine>
    Make(const CNetStructure& net, long long memoryLimit, const WorkProgress& progress);
    // How many cases the initial case reaches forward, in decimal.
    std::string ForwardCount();

    EEngine Kind() const override { return EEngine::Symbolic; }
    unsigned Techniques() const override;
    bool Accepts(const CFormula& formula) const override;
    void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
               const std::vector<CPropertyResult*>& results) override;

private:
    const CCaseSet& Of(const CFormula& f, CCheckContext& context);
    CCaseSet Compute(const CFormula& f, CCheckContext& context);
    CCaseSet ExistsNext(const CCaseSet& s);
    CCaseSet ExistsGlobally(const CCaseSet& s, CCheckContext& context);

    const CNetStructure& m_net;
    std::unique_ptr<CSymbolicEngine> m_pEngine;
    CCaseSet m_reach;
    CCaseSet m_deadlocks;
    std::map<const CFormula*, CCaseSet> m_mapSets;
};
