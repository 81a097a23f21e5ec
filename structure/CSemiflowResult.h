#pragma once

#include "structure/CSemiflow.h"
#include "structure/EEnumeration.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The minimal semiflows of a net, S- or T-invariants: the first ones in colexicographic
// order of their supports (ColexBefore), all of them where the listing is complete.
struct CSemiflowResult {
    EEnumeration end = EEnumeration::Complete;
    std::vector<CSemiflow> semiflows;
    // Per condition (S-invariants) or event (T-invariants): whether some semiflow weights
    // it. Decided for every element, also where the listing stopped at its limit; empty
    // when cancelled or overflowed.
    std::vector<std::uint8_t> covered;

    bool Complete() const { return end == EEnumeration::Complete; }
    // Whether every condition (event) lies in some semiflow: the net is covered by S-
    // (T-)invariants. False when not decided (cancelled, overflowed).
    bool Covered() const {
        if (end == EEnumeration::Cancelled || end == EEnumeration::Overflow)
            return false;
        for (std::uint8_t in : covered)
            if (!in)
                return false;
        return true;
    }
};
