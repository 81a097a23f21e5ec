#pragma once

#include "base/WorkProgress.h"
#include "engines/CCaseSet.h"
#include "properties/CExplanationWalk.h"
#include "properties/CPropertyEngine.h"

#include <map>
#include <memory>
#include <optional>

class CNetStructure;
class CSymbolicEngine;
struct CBuchiAutomaton;

// Properties over decision diagrams: every state and CTL formula of conditions, fireable
// and deadlock, decided as sets of the cases reachable forward from the initial case
// (BuDDy fixpoints by the symbolic engine's saturation), for nets far past what can be
// listed case by case, drawn or read from a file; LTL over the same atoms by the fair
// cycles (Emerson and Lei) of the product with the formula's Buchi automaton, one set of
// cases per automaton state. The runs that show the answers it gives as the explicit CTL
// engine does, through EF, AG, EX, AX and EU under the connectives (a shortest path to a
// case by the rings of a breadth-first search), but no lasso (EG, AF, AU, LTL); counts
// and bounds it leaves to the others.
class CSymbolicPropertyEngine : public CPropertyEngine, private CExplanationWalk {
public:
    // Takes the engine of the net, already run forward.
    CSymbolicPropertyEngine(const CNetStructure& net, std::shared_ptr<CSymbolicEngine> engine);
    ~CSymbolicPropertyEngine() override;

    // The engine of the net, run forward within the memory limit (bytes, 0 for none);
    // null where the library is in use elsewhere, the forward cases do not fit or the
    // progress said stop.
    static std::unique_ptr<CSymbolicPropertyEngine>
    Make(const CNetStructure& net, long long memoryLimit, const WorkProgress& progress);
    // What a door onto the diagrams takes: everything; all but LTL (asked before the
    // explicit engines, which find an LTL counterexample on the fly sooner than the
    // fixpoints decide one); only what it shows with a run wherever the explicit engines
    // would (no EG, AF, AU, LTL), asked before them where runs are wanted.
    enum class ETakes { All, AllButLtl, WithRuns };
    // Another door onto the same diagrams, the whole engine asked after the others.
    std::unique_ptr<CSymbolicPropertyEngine> Door(ETakes takes) const;
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
    const CCaseSet& Deadlocks();
    // Whether f holds in the initial case.
    bool HoldsInitially(const CFormula& f, CCheckContext& context);
    CCaseSet ExistsNext(const CCaseSet& s);
    CCaseSet ExistsGlobally(const CCaseSet& s, CCheckContext& context);
    // A or E around a path formula (under negations), by the fair runs of the product
    // with the formula's Buchi automaton.
    void CheckLtl(const CFormula& formula, CCheckContext& context, CPropertyResult& result);
    // Whether a run of the net from the initial case is accepted by the automaton.
    bool HasFairRun(const CBuchiAutomaton& automaton, CCheckContext& context);
    // The run from the initial case that shows f has the value want there, if any.
    std::optional<CRun> Explain(const CFormula& f, bool want, CCheckContext& context);
    // The steps of the walk that explains a verdict, over the diagrams.
    bool Shows(const CFormula& f, bool want) override;
    bool Step(const CFormula& f, bool want) override;
    bool Reach(const CFormula& f, bool want) override;
    bool ReachUntil(const CFormula& f) override;
    // Appends a shortest run from the trace's last case to target, through within
    // (every case where null); false when there is none.
    bool PathTo(const CCaseSet& target, const CCaseSet* within, CCheckContext& context);

    const CNetStructure& m_net;
    std::shared_ptr<CSymbolicEngine> m_pEngine;
    ETakes m_eTakes = ETakes::All;
    CCaseSet m_reach;
    // The cases reached where no event has concession, made when first asked for.
    std::optional<CCaseSet> m_pDeadlocks;
    std::map<const CFormula*, CCaseSet> m_mapSets;
    // The run being explained, and the checking it is explained for.
    CRun m_trace;
    CCheckContext* m_pContext = nullptr;
};
