#pragma once

#include <bdd.h>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

// Reachability in decision diagrams by saturation (Ciardo, Lüttgen and Siminiceanu):
// each event belongs to the level of its topmost variable, and the diagram is closed
// bottom up, a node at level k only once the nodes below it are closed under the
// events below k, by firing the events of level k to a fixpoint, what they reach
// closed below again. The diagrams stay close to the size of the final set instead of
// blowing up in the middle of a breadth-first search, and each event works on the small
// part of the diagram below its top.
//
// The variables must not be reordered while a closure runs (the levels are read once).
// Used inside the symbolic engine only: it shares the engine's one instance of BuDDy.
class CSaturation {
public:
    // A single event: the cases where it has concession forward (need) and those it
    // leaves forward (give), over its variables (vars, a variable set); backward the
    // two swap.
    struct CEvent {
        bdd need;
        bdd give;
        bdd vars;
        // Its case variables.
        std::vector<int> variables;
    };
    // Stops a closure: thrown after goOn said no.
    struct CStopped {};

    CSaturation(const std::vector<CEvent>& events, bool both);

    // Every case the events reach from the cases of s (forward only, or both ways).
    // goOn is asked every so often whether to go on; CStopped is thrown when it says no.
    bdd Closure(const bdd& s, const std::function<bool()>& goOn = {});

private:
    // s closed under the events whose level is k or below; s depends on no variable
    // above level k.
    bdd Saturate(const bdd& s, int k);
    // s's children closed below level k, s at level k or below.
    bdd SaturateBelow(const bdd& s, int k);
    bdd Image(const bdd& s, const CEvent& event, bool forward) const;
    static int Level(const bdd& s);

    const std::vector<CEvent>& m_events;
    bool m_bBoth;
    // Per level, its events; the first level at or below each that has events.
    std::vector<std::vector<int>> m_arrAtLevel;
    std::vector<int> m_arrNextLevel;
    int m_nLevels = 0;
    // Closed nodes by node and level, each with the node it closes (kept, so that the
    // collector does not take and reuse it).
    std::unordered_map<std::uint64_t, std::pair<bdd, bdd>> m_memo;
    std::function<bool()> m_goOn;
    std::uint64_t m_nCalls = 0;
};
