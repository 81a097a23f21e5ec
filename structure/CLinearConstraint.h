#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// A linear constraint over a case: the sum of coefficient * M[c] over its terms (M[c] 1
// where condition c holds, else 0) at most, at least or equal to the bound.
struct CLinearConstraint {
    enum class ERelation { AtMost, AtLeast, Equal };

    // (condition, coefficient) pairs; a condition named twice counts twice.
    std::vector<std::pair<int, std::int64_t>> terms;
    ERelation relation = ERelation::Equal;
    std::int64_t bound = 0;
};
