#pragma once

#include <cstdint>

// A step of the case graph as the graph keeps it: its two cases by index, its events
// by their number in the graph's pool, how its route was last made and the measured
// size of its name. The step's objects (CPNStep and its name label) are made from it
// only when something needs them as elements.
struct CStepRecord {
    enum ERoute : std::uint8_t {
        // No route yet: neither drawn nor hit.
        Unrouted,
        // Straight, as the layout's reset makes it.
        Reset,
        // Straight, as it was after an end moved.
        Updated,
        // Bent apart from a step between the same cases the other way, as a layout
        // makes it (CPNStep::BendApart).
        BentReset,
    };
    std::int32_t from = 0;
    std::int32_t to = 0;
    std::uint32_t events = 0;
    std::uint16_t labelWidth = 0;
    std::uint16_t labelHeight = 0;
    ERoute route = Unrouted;
};
