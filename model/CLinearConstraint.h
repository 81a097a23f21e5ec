#pragma once

#include <utility>
#include <vector>

// A linear constraint over a case: the sum of coefficient * (1 if the condition holds,
// else 0) compared with the bound. A condition named twice counts twice.
struct CLinearConstraint {
    enum class ECompare { LessEqual, GreaterEqual, Equal };
    std::vector<std::pair<int, long long>> terms; // condition, coefficient
    ECompare compare = ECompare::LessEqual;
    long long bound = 0;

    bool operator==(const CLinearConstraint&) const = default;
};
