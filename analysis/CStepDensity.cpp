#include "analysis/CStepDensity.h"

#include "base/CDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void CStepDensity::Reset(int cx, int cy) {
    m_nColumns = std::max(1, cx / kCell + 1);
    m_nRows = std::max(1, cy / kCell + 1);
    m_counts.assign(static_cast<std::size_t>(m_nColumns) * static_cast<std::size_t>(m_nRows), 0);
}

void CStepDensity::AddSegment(CPoint from, CPoint to, int delta) {
    if (m_counts.empty())
        return;
    // Half a square at a time along the segment; a square is counted once per segment.
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(1, 2 * std::max(std::abs(dx), std::abs(dy)) / kCell);
    long long last = -1;
    for (int k = 0; k <= steps; ++k) {
        const int x = from.x + static_cast<int>(static_cast<long long>(dx) * k / steps);
        const int y = from.y + static_cast<int>(static_cast<long long>(dy) * k / steps);
        const int column = std::clamp(x / kCell, 0, m_nColumns - 1);
        const int row = std::clamp(y / kCell, 0, m_nRows - 1);
        const long long cell = static_cast<long long>(row) * m_nColumns + column;
        if (cell == last)
            continue;
        last = cell;
        std::int32_t& count = m_counts[static_cast<std::size_t>(cell)];
        count = std::max(0, count + delta);
    }
}

int CStepDensity::CountAt(CPoint pt) const {
    if (m_counts.empty() || pt.x < 0 || pt.y < 0 || pt.x / kCell >= m_nColumns ||
        pt.y / kCell >= m_nRows)
        return 0;
    return m_counts[static_cast<std::size_t>(pt.y / kCell) * static_cast<std::size_t>(m_nColumns) +
                    static_cast<std::size_t>(pt.x / kCell)];
}

void CStepDensity::Draw(CDC& dc, const CRect& clip) const {
    if (m_counts.empty())
        return;
    const int c0 = std::clamp(clip.left / kCell, 0, m_nColumns - 1);
    const int c1 = std::clamp(clip.right / kCell, 0, m_nColumns - 1);
    const int r0 = std::clamp(clip.top / kCell, 0, m_nRows - 1);
    const int r1 = std::clamp(clip.bottom / kCell, 0, m_nRows - 1);
    // The darkest shade for the most steps on the page, as it is now.
    const double scale = std::log1p(
        static_cast<double>(std::max(1, *std::max_element(m_counts.begin(), m_counts.end()))));
    for (int row = r0; row <= r1; ++row)
        for (int column = c0; column <= c1; ++column) {
            const int count =
                m_counts[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nColumns) +
                         static_cast<std::size_t>(column)];
            if (count == 0)
                continue;
            // From a light grey for one step to a dark one for the most.
            const int level =
                225 - static_cast<int>(std::lround(175.0 * std::log1p(count) / scale));
            dc.FillSolidRect(
                CRect(column * kCell, row * kCell, (column + 1) * kCell, (row + 1) * kCell),
                RGB(level, level, level));
        }
}
