#pragma once

#include "casegraph/CBoxIndex.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The boxes meeting the area last asked for, kept up as boxes move: a drag repaints
// the same window again and again while only the dragged case's steps move.
class CKeptQuery {
public:
    using Box = CBoxIndex::Box;

    // Whether it holds the answer for this area.
    bool Holds(const Box& area) const;
    bool IsKept() const { return m_bKept; }
    const Box& Area() const { return m_area; }
    // The boxes meeting the area, in increasing order.
    void Keep(const Box& area, const std::vector<std::uint32_t>& boxes);
    void Forget();
    // Box i met the area before it moved, and meets it now.
    void Moved(std::uint32_t i, bool before, bool now);
    // The boxes meeting the area now, in increasing order.
    const std::vector<std::uint32_t>& Boxes();

private:
    bool m_bKept = false;
    Box m_area{};
    std::vector<std::uint32_t> m_boxes;
    // Since the answer: the boxes that came into the area and those that left it.
    std::vector<std::uint32_t> m_came, m_left;
};
