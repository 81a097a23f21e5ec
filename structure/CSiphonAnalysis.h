#pragma once

#include "base/WorkProgress.h"
#include "structure/CSiphonResult.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CNetStructure;

// The siphons and traps of a net. The minimal siphons are listed by a SAT solver
// (CaDiCaL): a siphon is a model of one clause per event and postcondition (the
// condition in the set implies one of the event's preconditions in it) and one for
// non-emptiness; each model is shrunk to a minimal siphon, which is then excluded with
// every set holding it. The siphon-trap property is decided by one more call: the same
// clauses with those saying that every marked condition of the siphon drops out of its
// largest trap (CSiphonSolver::RequireNoMarkedTrap) have no model exactly when it
// holds.
class CSiphonAnalysis {
public:
    static constexpr std::size_t kDefaultLimit = 1000;

    explicit CSiphonAnalysis(const CNetStructure& net);

    // The progress is told the minimal siphons found of the limit.
    CSiphonResult Analyse(std::size_t limit = kDefaultLimit,
                          const WorkProgress& progress = {}) const;

    // The largest siphon within the conditions (a set, by number, ascending): those left
    // when every condition is dropped that an event marks without taking from the rest.
    std::vector<int> LargestSiphonWithin(std::vector<int> conditions) const;
    // The largest trap within the conditions: those left when every condition is
    // dropped that an event empties without marking the rest.
    std::vector<int> LargestTrapWithin(std::vector<int> conditions) const;
    // A minimal siphon within the siphon given: conditions dropped from the last while
    // a siphon remains without them.
    std::vector<int> MinimalSiphonWithin(std::vector<int> siphon) const;
    // Whether two events that share a precondition always have the same pre-set.
    bool IsFreeChoice() const;

private:
    // Keeps the largest subset of the conditions in which every condition c has no event
    // of events(c) whose conditions given by other(e) all lie outside.
    std::vector<int> Fixpoint(std::vector<int> conditions, bool siphon) const;
    bool Marked(const std::vector<int>& conditions) const;

    const CNetStructure& m_net;
    // The fixpoint's scratch, all zero between calls (an analysis serves one thread).
    mutable std::vector<std::uint8_t> m_arrIn;
    mutable std::vector<int> m_arrCount;
};
