#pragma once

#include "structure/CSiphon.h"
#include "structure/EEnumeration.h"

#include <optional>
#include <vector>

// The minimal siphons of a net, smallest first (conditions in ascending order decide
// between siphons of one size), and what they say about the net.
struct CSiphonResult {
    // Complete, or Limited: the first minimal siphons the search met, up to the limit,
    // in the order above; Cancelled leaves everything empty.
    EEnumeration end = EEnumeration::Complete;
    std::vector<CSiphon> siphons;
    // Every siphon holds a trap marked in the initial case (the siphon-trap property),
    // decided for all siphons, also where the list stops at its limit. Then no reachable
    // case empties a siphon: an argument for deadlock freedom (a case without concession
    // as a place/transition net empties the siphon of the conditions it lacks).
    bool siphonTrapProperty = false;
    // Where it fails: a minimal siphon without a marked trap, ascending.
    std::vector<int> unmarkedTrapSiphon;
    // Whether the net is (extended) free-choice: two events sharing a precondition have
    // the same pre-set.
    bool freeChoice = false;
    // For a free-choice net, whether it is live (every event can occur again from every
    // reachable case) by Commoner's theorem: exactly when the siphon-trap property holds.
    // The theorem speaks of the net fired as a place/transition net, which is how a
    // condition/event net fires as long as no contact arises (a safe net). None for a
    // net that is not free-choice.
    std::optional<bool> live;
};
