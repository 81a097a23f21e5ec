#pragma once

#include "properties/CPropertyEngine.h"
#include "properties/StateEquationProof.h"

class CNetStructure;

// Decides reachability questions without exploring a case, where the state equation
// shows that no reachable case satisfies a state formula: EF p false, AG !p true, and
// what the connectives make of them. Each state formula becomes a disjunction of
// conjunctions of linear constraints over the conditions (a count compared, a condition
// held or not, an event with concession: its pre-set full and its post-set empty), at
// most kMaxDisjuncts of them; every conjunction must be proved unreachable.
class CStateEquationEngine : public CPropertyEngine {
public:
    static constexpr std::size_t kMaxDisjuncts = 64;

    CStateEquationEngine(const CNetStructure& net, StateEquationProof proof)
        : m_net(net), m_proof(std::move(proof)) {}

    EEngine Kind() const override { return EEngine::StateEquation; }
    unsigned Techniques() const override { return kStateEquation; }
    bool Accepts(const CFormula& formula) const override;
    void Check(const std::vector<const CProperty*>& properties, CCheckContext& context,
               const std::vector<CPropertyResult*>& results) override;

    using Conjunction = std::vector<CLinearConstraint>;
    // The state formula (its negation when negate) as a disjunction of conjunctions;
    // false when there would be more than kMaxDisjuncts.
    bool Disjunctions(const CFormula& f, bool negate, std::vector<Conjunction>& out) const;

private:
    // Fireable and deadlock: whether events have concession.
    bool Concession(const CFormula& f, bool negate, std::vector<Conjunction>& out) const;

    const CNetStructure& m_net;
    StateEquationProof m_proof;
};
