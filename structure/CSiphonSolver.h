#pragma once

#include <cadical.hpp>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class CNetStructure;
class CWorkMeter;

// A SAT solver (CaDiCaL) whose models are the non-empty siphons of a net: one variable
// per condition (condition c is variable c + 1), and for each event and postcondition
// the clause "the condition in the set implies one of the event's preconditions in it".
// Stops when the meter is cancelled.
class CSiphonSolver : public CaDiCaL::Terminator {
public:
    CSiphonSolver(const CNetStructure& net, CWorkMeter& meter);

    bool terminate() override;
    // A siphon not yet excluded, ascending; none when no siphon is left or the work was
    // cancelled.
    std::optional<std::vector<int>> Next();
    // Excludes every set holding all of the conditions.
    void ExcludeSupersetsOf(const std::vector<int>& conditions);
    // Keeps only the siphons that hold no trap marked in the initial case: every
    // condition of the siphon holding a token must drop out of the largest trap within
    // it. A condition drops out by an event that takes from it and marks no condition
    // of the siphon that is left, so each marked condition needs an event whose
    // postconditions in the siphon all dropped out before it: ranks in binary order the
    // drops, so that the reasons cannot go round in a circle.
    void RequireNoMarkedTrap();

private:
    int NewVariable() { return ++m_nVariables; }
    void Clause(std::initializer_list<int> literals);
    // A variable that implies rank(a) < rank(b).
    int Before(int a, int b);

    const CNetStructure& m_net;
    CWorkMeter& m_meter;
    CaDiCaL::Solver m_solver;
    int m_nVariables = 0;
    // Per condition the variables of its rank, most significant bit first.
    std::vector<std::vector<int>> m_arrRanks;
    std::map<std::pair<int, int>, int> m_mapBefore;
};
