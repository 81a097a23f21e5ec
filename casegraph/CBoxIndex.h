#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Boxes by where they lie, so that a window small against the page finds the boxes
// meeting it without reading all of them. Each level is a grid of square cells twice
// as wide as the level below; a box is kept in the cell of its top left corner on the
// lowest level whose cells are as wide as it, so that it lies within that cell and the
// next ones. The top level is one cell, read whole by every query: it keeps what is
// wider than the page and what moved off the page the grid was made for.
class CBoxIndex {
public:
    // x0..x1 x y0..y1, both ends included.
    struct Box {
        int x0, y0, x1, y1;
    };

    // Indexes boxes[0 .. count).
    void Build(const Box* boxes, std::size_t count);
    void Clear();
    std::size_t Count() const { return m_places.size(); }
    // Box i is now at box.
    void Move(std::uint32_t i, const Box& box);
    // The boxes that may meet the area (those meeting it and some near it), in
    // increasing order, into out; false, with out untouched, where so many may meet it
    // that reading every box costs less.
    bool Near(const Box& area, std::vector<std::uint32_t>& out) const;

private:
    struct Place {
        std::uint32_t cell;
        std::uint32_t slot;
    };
    // The cell a box belongs to, its level's first cell plus its place in the level.
    std::uint32_t CellOf(const Box& box) const;
    void Insert(std::uint32_t i, std::uint32_t cell);
    void Remove(std::uint32_t i);

    static constexpr int kMaxLevels = 24;
    // The grid's origin, the width of the lowest level's cells as a shift, and per
    // level its columns, rows and first cell in m_cells.
    long long m_nLeft = 0, m_nTop = 0;
    int m_nShift = 6;
    int m_nLevels = 0;
    int m_nColumns[kMaxLevels] = {};
    int m_nRows[kMaxLevels] = {};
    std::uint32_t m_nFirst[kMaxLevels] = {};
    std::vector<std::vector<std::uint32_t>> m_cells;
    std::vector<Place> m_places;
    // One bit per box, cleared again as a query reads it.
    mutable std::vector<std::uint64_t> m_marks;
};
