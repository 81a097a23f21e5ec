#pragma once

#include "properties/CCheckLimits.h"
#include "properties/CProperty.h"
#include "properties/CPropertyEngine.h"
#include "properties/CPropertyResult.h"
#include "properties/EExamination.h"
#include "properties/StateEquationProof.h"

#include <memory>
#include <optional>
#include <vector>

class CCompactNet;
class CNetStructure;

// Answers properties of a net's cases. Each property goes to the engines in turn, the
// first that accepts it and can be sure answering: the state equation's proof (where one
// is supplied), reachability on the fly, CTL over the stored graph, LTL by automata, then
// the engines added (decision diagrams). The engines share one exploration of the cases
// per call, so that a batch of formulas costs about one walk through the cases. A
// property no engine can be sure of within the limits is "cannot compute", with the
// reason.
class CPropertyChecker {
public:
    explicit CPropertyChecker(const CNetStructure& net);
    ~CPropertyChecker();

    const CNetStructure& Net() const { return m_net; }

    // The state equation's proof, asked first for reachability questions.
    void SetStateEquation(StateEquationProof proof);
    // Another engine, asked after this layer's own, or before them (after the state
    // equation) with first.
    void AddEngine(std::unique_ptr<CPropertyEngine> engine, bool first = false);
    // Only this engine answers; nullopt (the default) lets each property go to the first
    // that accepts it.
    void SetEngine(std::optional<EEngine> engine) { m_engine = engine; }

    // An answer per property, in their order.
    std::vector<CPropertyResult> Check(const std::vector<CProperty>& properties,
                                       const CCheckLimits& limits = {});
    CPropertyResult Check(const CProperty& property, const CCheckLimits& limits = {});

    // A global examination (ReachabilityDeadlock, QuasiLiveness, Liveness, StableMarking,
    // OneSafe), its id the examination's name. OneSafe asks for contact: in a case where
    // an event's pre-set is held and a condition of its post-set too, the place/transition
    // net would put a second token there.
    CPropertyResult CheckGlobal(EExamination examination, const CCheckLimits& limits = {});

private:
    // The engines that may answer, in order.
    std::vector<CPropertyEngine*> Chain() const;
    // Runs the engines over the results' undecided properties.
    void RunChain(const std::vector<CProperty>& properties, std::vector<CPropertyResult>& results,
                  const std::vector<CPropertyEngine*>& chain, const CCheckLimits& limits);
    CPropertyResult Combine(EExamination examination, const std::vector<CPropertyResult>& parts,
                            bool any) const;

    const CNetStructure& m_net;
    std::unique_ptr<CCompactNet> m_pCompact;
    std::vector<std::unique_ptr<CPropertyEngine>> m_arrEngines;
    std::unique_ptr<CPropertyEngine> m_pStateEquation;
    std::optional<EEngine> m_engine;
};
