#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CDC;

// How much of the steps' routes lies in each square of the page, for drawing a graph too
// dense for its lines: a square is shaded the darker the more routes pass it (on a
// logarithmic scale up to the most on the page), so that where steps run shows instead
// of a black mass. A route is measured at points along it, fewer the more routes there
// are, so that a graph of millions of long steps is counted in a fraction of a second
// and one of a few thousand square by square.
class CStepDensity {
public:
    // The side of a square in logical units, on a page of up to kMostSquares of them; a
    // larger page takes squares twice, four times... as wide, so that the counts stay a
    // few megabytes (a page laid out over 350,000 units would take 1.9 GB in squares of
    // 16, and each repaint would read them all).
    static constexpr int kCell = 16;
    static constexpr std::size_t kMostSquares = std::size_t{1} << 22;
    // The points all segments together are measured at, about: each segment at up to
    // their share, but never fewer than 8 or more than 512.
    static constexpr long long kBudget = 32'000'000;

    // No step, over a page of the size, for about that many segments.
    void Reset(int cx, int cy, std::size_t segments);
    bool IsEmpty() const { return m_counts.empty(); }
    // The side of the squares on this page.
    int Cell() const { return m_nCell; }
    // A segment of a route counted (delta 1) or taken away again (delta -1): the same
    // segment adds and takes away the same.
    void AddSegment(CPoint from, CPoint to, int delta);
    // The squares that meet the rectangle, each one filled in its shade.
    void Draw(CDC& dc, const CRect& clip) const;

private:
    int m_nCell = kCell;
    int m_nColumns = 0;
    int m_nRows = 0;
    std::vector<std::int32_t> m_counts;
    // The points a segment is measured at, at most.
    int m_nSamples = 8;
};
