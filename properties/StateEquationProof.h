#pragma once

#include <functional>
#include <utility>
#include <vector>

// A linear constraint over a case: the sum of coefficient * (1 if the condition holds,
// else 0) compared with the bound.
struct CLinearConstraint {
    enum class ECompare { LessEqual, GreaterEqual, Equal };
    std::vector<std::pair<int, long long>> terms; // condition, coefficient
    ECompare compare = ECompare::LessEqual;
    long long bound = 0;

    bool operator==(const CLinearConstraint&) const = default;
};

enum class EStateEquation { Unreachable, DontKnow };

// The quick proof by the state equation, supplied from outside this layer: given
// constraints that a case should meet together, Unreachable when no solution of the
// state equation M = M0 + C x (x >= 0) meets them, so that no reachable case does;
// DontKnow otherwise. It never says a case is reachable.
using StateEquationProof = std::function<EStateEquation(const std::vector<CLinearConstraint>&)>;
