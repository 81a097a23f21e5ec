#include "layout/CEdgeInfo.h"

#include "layout/CChromosome.h"

#include <cmath>
#include <cstdint>

void CEdgeInfo::Update(const CChromosome& chromosome) {
    m_ptFrom = chromosome.m_arrGenes[static_cast<std::size_t>(m_nFrom)];
    m_ptTo = chromosome.m_arrGenes[static_cast<std::size_t>(m_nTo)];
    m_sizeDelta = m_ptTo - m_ptFrom;
    m_rcBounds = CRect(m_ptFrom, m_ptTo);
    m_rcBounds.NormalizeRect();
}

int CEdgeInfo::Length() const {
    double dx = m_sizeDelta.cx;
    double dy = m_sizeDelta.cy;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

bool CEdgeInfo::Intersects(const CEdgeInfo& other, bool swapped) const {
    const CEdgeInfo& a = *this;
    const CEdgeInfo& b = other;
    // Rectangles answer only when both have an area; an axis-parallel arc goes on to
    // the line test whatever its distance.
    if (!a.m_rcBounds.IsRectEmpty() && !b.m_rcBounds.IsRectEmpty()) {
        CRect common;
        if (!common.IntersectRect(a.m_rcBounds, b.m_rcBounds))
            return false;
    }
    // 64-bit products: a large grid must not overflow them.
    std::int64_t num = std::int64_t{b.m_ptFrom.y - a.m_ptFrom.y} * a.m_sizeDelta.cx +
                       std::int64_t{a.m_ptFrom.x - b.m_ptFrom.x} * a.m_sizeDelta.cy;
    std::int64_t den = std::int64_t{b.m_sizeDelta.cx} * a.m_sizeDelta.cy -
                       std::int64_t{b.m_sizeDelta.cy} * a.m_sizeDelta.cx;
    if (den == 0)
        return num == 0;
    // Where this arc's line meets the other's line, as a parameter along the other.
    double s = static_cast<double>(num) / static_cast<double>(den);
    if ((s == 0.0 || s == 1.0) && !swapped)
        return b.Intersects(a, true);
    return s > 0.0 && s < 1.0;
}
