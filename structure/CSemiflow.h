#pragma once

#include <cstdint>
#include <vector>

// A minimal semiflow: a weighting of conditions (an S-invariant, y with y^T C = 0) or of
// events (a T-invariant, x with C x = 0) by non-negative integers without a common
// divisor, whose support holds no other semiflow's support. Every semiflow is a
// non-negative rational combination of the minimal ones.
struct CSemiflow {
    // The numbers of the conditions or events weighted, ascending.
    std::vector<int> support;
    // Their weights in the same order: positive, greatest common divisor 1.
    std::vector<std::int64_t> weights;
    // An S-invariant's value in the initial case (the weights of the conditions holding
    // a token, summed), which every reachable case keeps; 0 for a T-invariant.
    std::int64_t initialValue = 0;

    // The weight of a condition or event; 0 outside the support.
    std::int64_t Weight(int element) const;
    bool operator==(const CSemiflow&) const = default;
};

// Colexicographic order of the supports: the semiflow whose support lacks the largest
// element where the two differ comes first. A semiflow over the first conditions
// precedes any that needs a later one.
bool ColexBefore(const std::vector<int>& a, const std::vector<int>& b);
