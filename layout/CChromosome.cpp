#include "layout/CChromosome.h"

#include "layout/CCrossingCounter.h"
#include "layout/CEdgeInfo.h"

#include "base/CRandomSource.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

CPoint CChromosome::CellOf(CPoint position) {
    return CPoint(position.x / kGridStep - 1, position.y / kGridStep - 1);
}

CPoint CChromosome::PointOf(int cx, int cy) {
    return CPoint((cx + 1) * kGridStep, (cy + 1) * kGridStep);
}

std::uint8_t& CChromosome::CellAt(CPoint position) {
    CPoint cell = CellOf(position);
    return Cell(cell.x, cell.y);
}

void CChromosome::NoteChange(int i) {
    // Past a few changed genes a full count is as cheap.
    constexpr std::size_t kMaxChanged = 8;
    if (m_bRecount)
        return;
    for (const auto& [gene, position] : m_arrChanged)
        if (gene == i)
            return;
    if (m_arrChanged.size() == kMaxChanged) {
        m_bRecount = true;
        m_arrChanged.clear();
        return;
    }
    m_arrChanged.emplace_back(i, m_arrGenes[Index(i)]);
}

void CChromosome::Init(int length, int gridSize) {
    m_nLength = length;
    m_nGridSize = gridSize;
    m_bDirty = true;
    m_bRecount = true;
    m_arrChanged.clear();
    m_nFitness = 0;
    // The length of the grid's diagonal, 60 * G * sqrt(2).
    m_nMaxDistance = static_cast<int>(std::sqrt(7200.0 * gridSize * gridSize));
    m_arrGenes.assign(Index(length), CPoint());
    m_pGrid.assign(Index(gridSize) * Index(gridSize), 0);
}

CPoint CChromosome::DrawFreeCell(CRandomSource& random) {
    for (;;) {
        int cx = random.Rand() % m_nGridSize;
        int cy = random.Rand() % m_nGridSize;
        if (!Cell(cx, cy))
            return CPoint(cx, cy);
    }
}

void CChromosome::RandomInit(CRandomSource& random) {
    m_bDirty = true;
    m_bRecount = true;
    m_arrChanged.clear();
    std::fill(m_pGrid.begin(), m_pGrid.end(), 0);
    // Every gene needs a cell of its own.
    if (m_nLength > m_nGridSize * m_nGridSize)
        return;
    for (int i = 0; i < m_nLength; ++i) {
        CPoint cell = DrawFreeCell(random);
        Cell(cell.x, cell.y) = 1;
        m_arrGenes[Index(i)] = PointOf(cell.x, cell.y);
    }
}

void CChromosome::MutationSwap(CRandomSource& random) {
    m_bDirty = true;
    if (m_nLength <= 0)
        return;
    int i = random.Rand() % m_nLength;
    int j = random.Rand() % m_nLength;
    NoteChange(i);
    NoteChange(j);
    std::swap(m_arrGenes[Index(i)], m_arrGenes[Index(j)]);
}

void CChromosome::MutationMove(CRandomSource& random) {
    m_bDirty = true;
    // A move needs a free cell; the layout keeps more cells than nodes.
    if (m_nLength <= 0 || m_nLength >= m_nGridSize * m_nGridSize)
        return;
    int i = random.Rand() % m_nLength;
    CPoint cell = DrawFreeCell(random);
    Cell(cell.x, cell.y) = 1;
    CellAt(m_arrGenes[Index(i)]) = 0;
    NoteChange(i);
    m_arrGenes[Index(i)] = PointOf(cell.x, cell.y);
}

void CChromosome::MutationSmallMove(CRandomSource& random) {
    m_bDirty = true;
    if (m_nLength <= 0)
        return;
    int i = random.Rand() % m_nLength;
    CPoint cell = CellOf(m_arrGenes[Index(i)]);
    int nx = cell.x + (random.Rand() % 3) - 1;
    int ny = cell.y + (random.Rand() % 3) - 1;
    nx = std::clamp(nx, 0, m_nGridSize - 1);
    ny = std::clamp(ny, 0, m_nGridSize - 1);
    if (Cell(nx, ny))
        return;
    Cell(cell.x, cell.y) = 0;
    Cell(nx, ny) = 1;
    NoteChange(i);
    m_arrGenes[Index(i)] = PointOf(nx, ny);
}

void CChromosome::FillChild(const CChromosome& other, CChromosome& child, int lo, int hi) const {
    if (!child.HasGenes())
        child.Init(m_nLength, m_nGridSize);
    std::fill(child.m_pGrid.begin(), child.m_pGrid.end(), 0);
    for (int k = lo; k < hi; ++k) {
        child.m_arrGenes[Index(k)] = m_arrGenes[Index(k)];
        child.CellAt(m_arrGenes[Index(k)]) = 1;
    }
    int start = hi == m_nLength ? 0 : hi;
    int t = start;
    int s = start;
    for (int filled = 0; filled < m_nLength - (hi - lo); ++filled) {
        // The other parent has as many distinct cells as genes, so enough of them are
        // still free in the child.
        while (child.CellAt(other.m_arrGenes[Index(s)]))
            s = (s + 1) % m_nLength;
        CPoint gene = other.m_arrGenes[Index(s)];
        s = (s + 1) % m_nLength;
        child.m_arrGenes[Index(t)] = gene;
        child.CellAt(gene) = 1;
        t = (t + 1) % m_nLength;
    }
    child.m_bDirty = true;
    child.m_bRecount = true;
    child.m_arrChanged.clear();
}

void CChromosome::Cross(const CChromosome& other, CChromosome& child1, CChromosome& child2,
                        CRandomSource& random) const {
    int a = random.Rand() % (m_nLength + 1);
    int b = random.Rand() % (m_nLength + 1);
    int lo = std::min(a, b);
    int hi = std::max(a, b);
    FillChild(other, child1, lo, hi);
    other.FillChild(*this, child2, lo, hi);
}

void CChromosome::SumDistances(std::int64_t& sumMax, std::int64_t& sumMin) const {
    sumMax = 0;
    sumMin = 0;
    for (int i = 0; i < m_nLength; ++i) {
        double farthest = 0.0;
        double nearest = m_nMaxDistance;
        CPoint gi = m_arrGenes[Index(i)];
        for (int j = 0; j < m_nLength; ++j) {
            if (j == i)
                continue;
            double dx = m_arrGenes[Index(j)].x - gi.x;
            double dy = m_arrGenes[Index(j)].y - gi.y;
            double d = std::sqrt(dx * dx + dy * dy);
            farthest = std::max(farthest, d);
            nearest = std::min(nearest, d);
        }
        sumMax += static_cast<std::int64_t>(farthest);
        sumMin += static_cast<std::int64_t>(nearest);
    }
}

int CChromosome::Fitness(std::vector<CEdgeInfo>& edges, int edgeCount, int& crossings,
                         int weightIntersections, int weightLength, int weightMinDistance,
                         int weightMaxDistance, const std::int64_t* knownCrossings) {
    if (!m_bDirty)
        return m_nFitness;
    m_bDirty = false;

    const double m = edgeCount;
    std::int64_t x = 0;
    if (weightIntersections != 0 && edgeCount >= 1)
        x = knownCrossings ? *knownCrossings : CCrossingCounter::Count(edges, edgeCount);
    crossings = static_cast<int>(std::min<std::int64_t>(x, std::numeric_limits<int>::max()));
    // Without arcs nothing crosses and nothing is long: both quotients count as 1.
    double fI = edgeCount > 0 ? (m * m - static_cast<double>(x)) / (m * m) : 1.0;

    std::int64_t length = 0;
    if (weightLength != 0)
        for (int k = 0; k < edgeCount; ++k)
            length += edges[Index(k)].Length();
    const double dm = static_cast<double>(m_nMaxDistance) * m;
    double fL = dm > 0 ? (dm - static_cast<double>(length)) / dm : 1.0;

    std::int64_t sumMax = 0;
    std::int64_t sumMin = 0;
    if (weightMinDistance != 0 || weightMaxDistance != 0)
        SumDistances(sumMax, sumMin);
    const double nd = static_cast<double>(m_nLength) * m_nMaxDistance;
    double fMin = nd > 0 ? (nd - static_cast<double>(sumMax)) / nd : 0.0;
    double fMax = nd > 0 ? static_cast<double>(sumMin) / nd : 0.0;

    double f = (weightMinDistance * fMin + weightMaxDistance * fMax + weightLength * fL +
                weightIntersections * fI) *
               1000000.0;
    // Large weights could leave the 32-bit range; the fitness then stays at its bound.
    f = std::clamp(std::trunc(f), static_cast<double>(std::numeric_limits<int>::min()),
                   static_cast<double>(std::numeric_limits<int>::max()));
    m_nFitness = static_cast<int>(f);
    return m_nFitness;
}
