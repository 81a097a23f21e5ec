#include "views/CZerinCaseGraphView.h"

#include "casegraph/CPNCase.h"
#include "document/CZerinDoc.h"

// A run shown in the case graph: marked in the graph itself by the document, drawn here
// over the overview, and shown alone where the graph's steps come on demand.

void CZerinCaseGraphView::ShowRun(std::vector<std::uint32_t> cases, std::size_t loopStart) {
    m_arrRun = std::move(cases);
    m_nRunLoop = loopStart;
    const CCaseGraph& graph = Graph();
    if (!m_arrRun.empty() && !graph.HasAllSteps() && graph.CaseCount() > 0) {
        // As a neighbourhood: the run's cases alone, gathered round its first case, with
        // the steps between them.
        std::vector<bool> shown(graph.CaseCount(), false);
        std::vector<std::uint32_t> order;
        for (const std::uint32_t node : m_arrRun)
            if (node < shown.size() && !shown[node]) {
                shown[node] = true;
                order.push_back(node);
            }
        if (order.empty() || !LayOutForPart())
            return;
        m_arrDistance.clear();
        MakePart(shown, order.front());
        Editor().AddStepsAmong(shown);
        Gather(order.front(), std::vector<std::uint32_t>(order.begin() + 1, order.end()));
        ShowPart(std::move(shown), -1);
        return;
    }
    InvalidateAll();
}

void CZerinCaseGraphView::DrawRunOnOverview(CDC& dc) const {
    const CCaseGraph& graph = Graph();
    // The marks go with the next showing of the graph; so does the run.
    const CPNCase* first = m_arrRun.empty() ? nullptr : graph.MadeCase(m_arrRun.front());
    if (m_arrRun.size() < 2 || !m_pOverview || !first || !first->m_bOnPath)
        return;
    const CBrush* oldBrush = dc.SelectStockBrush(HOLLOW_BRUSH);
    const CPen* oldPen = dc.SelectObject(CPNCase::PathPen());
    auto groupOf = [&](std::size_t k) { return m_pOverview->GroupOf(m_arrRun[k]); };
    for (std::size_t k = 0; k < m_arrRun.size(); ++k) {
        if (m_arrRun[k] >= graph.CaseCount())
            return;
        const bool loop = k >= m_nRunLoop;
        dc.SelectObject(loop ? CPNCase::LoopPen() : CPNCase::PathPen());
        CRect box = m_pOverview->GroupRect(groupOf(k));
        box.InflateRect(4, 4);
        dc.Rectangle(box);
        if (k == 0 || groupOf(k) == groupOf(k - 1))
            continue;
        // From the group before, its step in the colour of the part it belongs to.
        dc.SelectObject(k > m_nRunLoop ? CPNCase::LoopPen() : CPNCase::PathPen());
        dc.MoveTo(m_pOverview->GroupRect(groupOf(k - 1)).CenterPoint());
        dc.LineTo(m_pOverview->GroupRect(groupOf(k)).CenterPoint());
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}
