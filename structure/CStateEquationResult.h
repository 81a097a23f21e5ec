#pragma once

#include <cstdint>
#include <vector>

// What the state equation says of a case. Unreachable: the equation has no solution,
// so no case meeting the constraints is reached (a proof). DontKnow: it has one, or the
// search stopped first; reachable or not, the equation cannot tell.
enum class EStateEquationVerdict { Unreachable, DontKnow };

struct CStateEquationResult {
    EStateEquationVerdict verdict = EStateEquationVerdict::DontKnow;
    // Why it was proved: the linear relaxation alone has no solution (checked in exact
    // rational arithmetic), or the integer search found none.
    bool provedByRelaxation = false;
    // With DontKnow: whether a solution was found, then given below; false when the
    // search stopped at its time limit or was cancelled.
    bool solved = false;
    bool cancelled = false;
    // The solution: the conditions its case holds (ascending), and how often each event
    // occurs (negative: backward).
    std::vector<int> marking;
    std::vector<std::int64_t> firings;
};
