#include "casegraph/CBoxIndex.h"

#include <algorithm>
#include <climits>
#include <utility>

void CBoxIndex::Clear() {
    m_cells.clear();
    m_places.clear();
    m_marks.clear();
    m_nLevels = 0;
}

void CBoxIndex::Build(const Box* boxes, std::size_t count) {
    Clear();
    // The page is where the boxes' corners lie but for the farthest hundredth on each
    // side, and an eighth more: what lies farther is kept in the top cell rather than
    // stretch every cell.
    std::vector<int> xs(count), ys(count);
    for (std::size_t i = 0; i < count; ++i) {
        xs[i] = boxes[i].x0;
        ys[i] = boxes[i].y0;
    }
    const auto at = [count](std::vector<int>& values, std::size_t k) {
        if (count == 0)
            return 0LL;
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k),
                         values.end());
        return static_cast<long long>(values[k]);
    };
    const std::size_t low = count / 100, high = count - 1 - count / 100;
    long long left = at(xs, low), right = at(xs, high);
    long long top = at(ys, low), bottom = at(ys, high);
    const long long marginX = (right - left) / 8 + 64, marginY = (bottom - top) / 8 + 64;
    left -= marginX;
    right += marginX;
    top -= marginY;
    bottom += marginY;
    m_nLeft = left;
    m_nTop = top;
    // The lowest level has cells of 64 units, or wider where the page would need more
    // cells than twice the boxes.
    const auto cells = [&](int shift, int& columns, int& rows) {
        columns = static_cast<int>(std::min<long long>((right - left) >> shift, INT_MAX - 1) + 1);
        rows = static_cast<int>(std::min<long long>((bottom - top) >> shift, INT_MAX - 1) + 1);
        return static_cast<long long>(columns) * rows;
    };
    const long long most = std::max<long long>(4096, 2 * static_cast<long long>(count));
    int columns = 0, rows = 0;
    m_nShift = 6;
    while (cells(m_nShift, columns, rows) > most)
        ++m_nShift;
    // Up to the level of one cell; that one takes the rest.
    std::uint32_t first = 0;
    for (m_nLevels = 0; m_nLevels < kMaxLevels; ++m_nLevels) {
        cells(m_nShift + m_nLevels, columns, rows);
        const bool last = (columns == 1 && rows == 1) || m_nLevels == kMaxLevels - 1;
        m_nColumns[m_nLevels] = last ? 1 : columns;
        m_nRows[m_nLevels] = last ? 1 : rows;
        m_nFirst[m_nLevels] = first;
        first += static_cast<std::uint32_t>(m_nColumns[m_nLevels] * m_nRows[m_nLevels]);
        if (last) {
            ++m_nLevels;
            break;
        }
    }
    m_cells.resize(first);
    m_places.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        Insert(static_cast<std::uint32_t>(i), CellOf(boxes[i]));
    m_marks.assign((count + 63) / 64, 0);
}

std::uint32_t CBoxIndex::CellOf(const Box& box) const {
    const long long width =
        std::max(static_cast<long long>(box.x1) - box.x0, static_cast<long long>(box.y1) - box.y0);
    const int top = m_nLevels - 1;
    for (int level = 0; level < top; ++level) {
        const int shift = m_nShift + level;
        if (width > (1LL << shift))
            continue;
        const long long column = (box.x0 - m_nLeft) >> shift;
        const long long row = (box.y0 - m_nTop) >> shift;
        if (column < 0 || row < 0 || column >= m_nColumns[level] || row >= m_nRows[level])
            break;
        return m_nFirst[level] + static_cast<std::uint32_t>(row * m_nColumns[level] + column);
    }
    return m_nFirst[top];
}

void CBoxIndex::Insert(std::uint32_t i, std::uint32_t cell) {
    std::vector<std::uint32_t>& items = m_cells[cell];
    m_places[i] = {cell, static_cast<std::uint32_t>(items.size())};
    items.push_back(i);
}

void CBoxIndex::Remove(std::uint32_t i) {
    const Place place = m_places[i];
    std::vector<std::uint32_t>& items = m_cells[place.cell];
    const std::uint32_t last = items.back();
    items[place.slot] = last;
    m_places[last].slot = place.slot;
    items.pop_back();
}

void CBoxIndex::Move(std::uint32_t i, const Box& box) {
    const std::uint32_t cell = CellOf(box);
    if (cell == m_places[i].cell)
        return;
    Remove(i);
    Insert(i, cell);
}

bool CBoxIndex::Near(const Box& area, std::vector<std::uint32_t>& out) const {
    if (m_nLevels == 0)
        return false;
    // The cells of each level that hold a box meeting the area: a box's corner lies
    // at most one cell before it.
    struct Span {
        long long c0, c1, r0, r1;
    };
    Span spans[kMaxLevels];
    long long cellsRead = 0;
    std::size_t boxes = 0;
    const long long most = static_cast<long long>(m_places.size() / 4);
    for (int level = 0; level < m_nLevels; ++level) {
        const int shift = m_nShift + level;
        Span& s = spans[level];
        if (level == m_nLevels - 1) {
            s = {0, 0, 0, 0};
        } else {
            s.c0 = std::max(0LL, ((area.x0 - m_nLeft) >> shift) - 1);
            s.r0 = std::max(0LL, ((area.y0 - m_nTop) >> shift) - 1);
            s.c1 = std::min<long long>(m_nColumns[level] - 1, (area.x1 - m_nLeft) >> shift);
            s.r1 = std::min<long long>(m_nRows[level] - 1, (area.y1 - m_nTop) >> shift);
        }
        if (s.c0 > s.c1 || s.r0 > s.r1)
            continue;
        cellsRead += (s.c1 - s.c0 + 1) * (s.r1 - s.r0 + 1);
        if (cellsRead > most)
            return false;
        for (long long r = s.r0; r <= s.r1; ++r)
            for (long long c = s.c0; c <= s.c1; ++c)
                boxes += m_cells[m_nFirst[level] + r * m_nColumns[level] + c].size();
        if (static_cast<long long>(boxes) > most)
            return false;
    }
    std::size_t lowWord = m_marks.size(), highWord = 0;
    for (int level = 0; level < m_nLevels; ++level) {
        const Span& s = spans[level];
        for (long long r = s.r0; r <= s.r1; ++r)
            for (long long c = s.c0; c <= s.c1; ++c)
                for (std::uint32_t i : m_cells[m_nFirst[level] + r * m_nColumns[level] + c]) {
                    m_marks[i / 64] |= 1ULL << (i % 64);
                    lowWord = std::min<std::size_t>(lowWord, i / 64);
                    highWord = std::max<std::size_t>(highWord, i / 64);
                }
    }
    out.clear();
    for (std::size_t w = lowWord; w <= highWord && w < m_marks.size(); ++w) {
        std::uint64_t bits = std::exchange(m_marks[w], 0);
        while (bits) {
            out.push_back(static_cast<std::uint32_t>(w * 64 + __builtin_ctzll(bits)));
            bits &= bits - 1;
        }
    }
    return true;
}
