#include "casegraph/CStepDensity.h"

#include "base/CDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void CStepDensity::Reset(int cx, int cy, std::size_t segments) {
    m_nSamples = static_cast<int>(std::clamp<long long>(
        kBudget / std::max<long long>(1, static_cast<long long>(segments)), 8, 512));
    m_nColumns = std::max(1, cx / kCell + 1);
    m_nRows = std::max(1, cy / kCell + 1);
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
    const int samples = std::clamp(length / kCell, 1, m_nSamples);
    const int weight = delta * std::max(1, length / (kCell * samples));
    for (int k = 0; k < samples; ++k) {
        const long long t2 = 2 * k + 1; // (k + 1/2) / samples, in halves
        const int x = from.x + static_cast<int>(dx * t2 / (2 * samples));
        const int y = from.y + static_cast<int>(dy * t2 / (2 * samples));
        const int column = std::clamp(x / kCell, 0, m_nColumns - 1);
        const int row = std::clamp(y / kCell, 0, m_nRows - 1);
        std::int32_t& count =
            m_counts[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nColumns) +
                     static_cast<std::size_t>(column)];
        count = std::max(0, count + weight);
    }
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
