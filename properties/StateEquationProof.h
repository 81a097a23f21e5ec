#pragma once

#include "model/CLinearConstraint.h"

#include <functional>
#include <vector>

enum class EStateEquation { Unreachable, DontKnow };

// The quick proof by the state equation, supplied from outside this layer: given
// constraints that a case should meet together, Unreachable when no solution of the
// state equation M = M0 + C x (x >= 0) meets them, so that no reachable case does;
// DontKnow otherwise. It never says a case is reachable.
using StateEquationProof = std::function<EStateEquation(const std::vector<CLinearConstraint>&)>;
