#pragma once

#include "base/WorkProgress.h"
#include "structure/CStateEquationQuery.h"
#include "structure/CStateEquationResult.h"

class CNetStructure;

// The state equation of a condition/event net, M = M0 + C x with M a 0/1 vector, as the
// quickest proof that a case cannot be reached: every firing sequence solves it, so a
// question whose constraints together with the equation have no integer solution is
// answered Unreachable. GLPK: first the linear relaxation (presolved; an infeasible one
// is checked again in exact rational arithmetic), then branch and bound on the integers
// within the time limit. A solution found is checked in integers before it is given; an
// integer program found infeasible rests on GLPK's floating-point branch and bound,
// whose tolerances are far from the small integers of an incidence matrix.
class CStateEquation {
public:
    explicit CStateEquation(const CNetStructure& net) : m_net(net) {}

    // Conditions out of range in a query throw std::out_of_range. The progress hears 0
    // of 1 during the integer search (a cancel stops it: DontKnow, cancelled) and 1 of 1
    // at the end.
    CStateEquationResult Solve(const CStateEquationQuery& query,
                               const WorkProgress& progress = {}) const;

private:
    // Whether the solution meets the equation and the constraints, in integers.
    bool Check(const CStateEquationQuery& query, const std::vector<int>& marked,
               const std::vector<std::int64_t>& firings) const;

    const CNetStructure& m_net;
};
