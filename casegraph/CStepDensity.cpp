#include "casegraph/CStepDensity.h"

#include "base/CDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void CStepDensity::Reset(int cx, int cy, std::size_t segments) {
    m_nSamples = static_cast<int>(std::clamp<long long>(
        kBudget / std::max<long long>(1, static_cast<long long>(segments)), 8, 512));
    const auto squares = [cx, cy](int cell) {
        return static_cast<std::size_t>(std::max(1, cx / cell + 1)) *
               static_cast<std::size_t>(std::max(1, cy / cell + 1));
    };
    for (m_nCell = kCell; squares(m_nCell) > kMostSquares;)
        m_nCell *= 2;
    m_nColumns = std::max(1, cx / m_nCell + 1);
    m_nRows = std::max(1, cy / m_nCell + 1);
    m_counts.assign(static_cast<std::size_t>(m_nColumns) * static_cast<std::size_t>(m_nRows), 0);
}

void CStepDensity::AddSegment(CPoint from, CPoint to, int delta) {
    if (m_counts.empty())
        return;
    // At most m_nSamples points spread evenly along the segment, each standing for the
    // squares between it and the next: millions of long steps cost millions of points,
    // not billions of squares, and still add up to the length of steps per square.
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int length = std::max(std::abs(dx), std::abs(dy));
    const int samples = std::clamp(length / m_nCell, 1, m_nSamples);
    const int weight = delta * std::max(1, length / (m_nCell * samples));
    for (int k = 0; k < samples; ++k) {
        const long long t2 = 2 * k + 1; // (k + 1/2) / samples, in halves
        const int x = from.x + static_cast<int>(dx * t2 / (2 * samples));
        const int y = from.y + static_cast<int>(dy * t2 / (2 * samples));
        const int column = std::clamp(x / m_nCell, 0, m_nColumns - 1);
        const int row = std::clamp(y / m_nCell, 0, m_nRows - 1);
        std::int32_t& count =
            m_counts[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nColumns) +
                     static_cast<std::size_t>(column)];
        count = std::max(0, count + weight);
    }
}

void CStepDensity::Draw(CDC& dc, const CRect& clip) const {
    if (m_counts.empty())
        return;
    const int c0 = std::clamp(clip.left / m_nCell, 0, m_nColumns - 1);
    const int c1 = std::clamp(clip.right / m_nCell, 0, m_nColumns - 1);
    const int r0 = std::clamp(clip.top / m_nCell, 0, m_nRows - 1);
    const int r1 = std::clamp(clip.bottom / m_nCell, 0, m_nRows - 1);
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
                CRect(column * m_nCell, row * m_nCell, (column + 1) * m_nCell, (row + 1) * m_nCell),
                RGB(level, level, level));
        }
}
