#include "document/CBreakPoints.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"

#include <algorithm>

void CBreakPoints::Refill(const CCaseGraph& caseGraph) {
    if (!m_bNeedsRefill)
        return;
    m_arrCases.clear();
    m_arrCases.reserve(caseGraph.CaseCount());
    // From the nodes or the engine's rows, none made for the list.
    for (std::size_t i = 0; i < caseGraph.CaseCount(); ++i)
        m_arrCases.push_back(caseGraph.CaseConditions(i));
    m_nCases = static_cast<int>(m_arrCases.size());
    m_bNeedsRefill = false;
    ResetAll();
}

void CBreakPoints::ResetAll() {
    m_nBreak = 0;
    m_arrBreak.clear();
    m_nAvailable = m_nCases;
    m_arrAvailable.clear();
    for (int i = 0; i < m_nCases; ++i)
        m_arrAvailable.push_back(static_cast<std::uint32_t>(i));
}

void CBreakPoints::SetBreakpoints(const std::vector<std::uint32_t>& breakIndices) {
    // Indices outside the case list and repeated ones are dropped, so that the two
    // arrays always split the cases between them.
    std::vector<bool> isBreak(static_cast<std::size_t>(m_nCases), false);
    m_arrBreak.clear();
    for (std::uint32_t i : breakIndices) {
        if (i < isBreak.size() && !isBreak[i]) {
            isBreak[i] = true;
            m_arrBreak.push_back(i);
        }
    }
    m_arrAvailable.clear();
    for (std::uint32_t i = 0; i < isBreak.size(); ++i)
        if (!isBreak[i])
            m_arrAvailable.push_back(i);
    m_nBreak = static_cast<int>(m_arrBreak.size());
    m_nAvailable = static_cast<int>(m_arrAvailable.size());
}

void CBreakPoints::Clear() {
    m_arrCases.clear();
    m_nCases = 0;
    m_bNeedsRefill = true;
    ResetAll();
}

bool CBreakPoints::IsBreakpoint(const CSetConditions& c) const {
    // A list waiting for its refill belongs to an earlier case graph, possibly to
    // conditions that no longer exist: it holds no breakpoint any more.
    if (m_bNeedsRefill)
        return false;
    const int n = std::min<int>(m_nBreak, static_cast<int>(m_arrBreak.size()));
    for (int k = 0; k < n; ++k) {
        const std::uint32_t i = m_arrBreak[static_cast<std::size_t>(k)];
        if (i < m_arrCases.size() && m_arrCases[i].IsEqual(c))
            return true;
    }
    return false;
}

CSetConditions CBreakPoints::GetCase(int i) const {
    if (i < 0 || i >= static_cast<int>(m_arrCases.size()))
        return {};
    return m_arrCases[static_cast<std::size_t>(i)];
}
