#pragma once

// The answers worked out the long way, to hold the engines to: the case graph built
// case by case from the C/E rule with standard containers, CTL by fixpoints iterated to
// a standstill, LTL by the tableau of consistent subformula sets over the graph (a run of
// the formula is a path into a strongly connected part that fulfils every eventuality
// it promises), runs replayed and formulas read off lassos position by position.

#include "model/CNetStructure.h"
#include "properties/CFormula.h"
#include "properties/CRun.h"

#include <map>
#include <optional>
#include <vector>

class CPropertyOracle {
public:
    using Case = std::vector<bool>;

    explicit CPropertyOracle(const CNetStructure& net);

    std::size_t CaseCount() const { return m_arrCases.size(); }
    const Case& CaseAt(std::size_t i) const { return m_arrCases[i]; }
    bool Concession(const Case& c, int event) const;
    bool Deadlock(const Case& c) const;
    bool Contact(const Case& c) const;

    bool Holds(const CFormula& state, const Case& c) const;
    // The cases where a state or CTL formula holds.
    std::vector<bool> Sat(const CFormula& f) const;
    // The answer at the initial case: CTL and state formulas, LTL (A or E under negations).
    bool Answer(const CFormula& f) const;
    // The most conditions of the list holding together.
    long long Bound(const std::vector<int>& conditions) const;

    // The global examinations.
    bool Deadlocks() const;
    bool QuasiLive() const;
    bool Live() const;
    bool StableMarking() const;
    bool OneSafe() const;
    // Whether the event gets concession in a case reachable from case i.
    bool CanFire(std::size_t i, int event) const;

    // Whether the run is one of the net's (each event with concession where fired, the
    // cases as they follow, the loop closing, the deadlock one); the index of its last
    // case.
    std::optional<std::size_t> Replay(const CRun& run) const;
    // The path formula read off the run (a lasso, or a run staying in its last case).
    bool HoldsOn(const CFormula& path, const CRun& run) const;
    std::size_t IndexOf(const std::vector<int>& held) const;
    // The index of each case of the run, in its order.
    std::vector<std::size_t> IndicesOf(const CRun& run) const;
    // The formula under its negations, want turned over for each.
    static const CFormula& Unnegated(const CFormula& f, bool& want);

private:
    bool Ltl(const CFormula& path) const; // some run satisfies it

    const CNetStructure& m_net;
    std::vector<Case> m_arrCases;
    std::map<Case, std::size_t> m_mapIndex;
    std::vector<std::vector<std::size_t>> m_arrSucc;
};
