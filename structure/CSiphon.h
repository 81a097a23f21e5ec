#pragma once

#include <vector>

// A minimal siphon: a non-empty set of conditions that every event putting a token into
// it also takes one from (its pre-events lie among its post-events), none of its proper
// subsets being one. Once empty it stays empty, and the events after it are dead.
struct CSiphon {
    // Ascending.
    std::vector<int> conditions;
    // The largest trap within it (the conditions every event taking a token from them
    // gives one back to; once marked, marked for ever), ascending; empty when there is
    // none.
    std::vector<int> trap;
    // Whether that trap holds a token in the initial case: then no reachable case
    // empties the siphon.
    bool trapMarked = false;

    bool operator==(const CSiphon&) const = default;
};
