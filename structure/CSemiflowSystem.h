#pragma once

#include <utility>
#include <vector>

class CNetStructure;

// A homogeneous system A y = 0 over y >= 0, by columns: each variable's non-zero
// coefficients as (constraint, coefficient) pairs, sorted by constraint. The
// S-invariants of a net solve it with the conditions as variables and the events as
// constraints (y^T C = 0), the T-invariants with the events as variables and the
// conditions as constraints (C x = 0). C[c][e] is 1 where c is after e only, -1 where
// c is before e only, 0 otherwise (a condition both before and after an event too).
struct CSemiflowSystem {
    int constraints = 0;
    std::vector<std::vector<std::pair<int, int>>> columns;

    int Variables() const { return static_cast<int>(columns.size()); }

    static CSemiflowSystem ForSInvariants(const CNetStructure& net);
    static CSemiflowSystem ForTInvariants(const CNetStructure& net);
};
