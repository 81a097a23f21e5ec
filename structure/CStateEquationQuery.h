#pragma once

#include "model/CLinearConstraint.h"

#include <vector>

// A question to the state equation: can a case M be reached that meets every
// constraint? Reached forward means M = M0 + C x for numbers of occurrences x >= 0;
// with forward false x may be any integers (the case is reached by steps forward and
// backward).
struct CStateEquationQuery {
    std::vector<CLinearConstraint> constraints;
    bool forward = true;
    // How long the integer search may take, in milliseconds (0: no limit); past it the
    // answer is "don't know".
    int timeLimitMs = 10000;

    // The case holds the condition.
    void Want(int condition) {
        constraints.push_back({{{condition, 1}}, CLinearConstraint::ECompare::Equal, 1});
    }
    // The case does not hold the condition.
    void Forbid(int condition) {
        constraints.push_back({{{condition, 1}}, CLinearConstraint::ECompare::Equal, 0});
    }
    // The case is exactly the conditions given (ascending) of the net's count.
    void RequireCase(const std::vector<int>& conditions, int count) {
        std::size_t k = 0;
        for (int c = 0; c < count; ++c) {
            const bool held = k < conditions.size() && conditions[k] == c;
            k += held ? 1 : 0;
            held ? Want(c) : Forbid(c);
        }
    }
};
