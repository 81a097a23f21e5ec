#include "views/CEdgeTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "views/CToolHost.h"

#include <utility>

bool CEdgeTool::Press(CToolHost& host, CPoint pt) {
    CPNElement* pElement = host.GetToolDocument().NetDesign().ElementFromPoint(pt, true, true);
    if (!dynamic_cast<CPNCondition*>(pElement) && !dynamic_cast<CPNEvent*>(pElement))
        return false;
    m_pStart = pElement;
    m_bMoved = false;
    m_ptStart = m_ptEnd = pt;
    return true;
}

void CEdgeTool::Move(CToolHost& host, CPoint pt) {
    m_bMoved = true;
    host.ToggleToolLine(m_ptStart, m_ptEnd);
    host.ToggleToolLine(m_ptStart, pt);
    m_ptEnd = pt;
    host.ShowToolPosition(pt);
}

void CEdgeTool::Release(CToolHost& host, CPoint pt) {
    CPNElement* pStart = std::exchange(m_pStart, nullptr);
    if (!m_bMoved)
        return;
    host.ToggleToolLine(m_ptStart, m_ptEnd);
    CZerinDoc& doc = host.GetToolDocument();
    CPNElement* pTarget = doc.NetDesign().ElementFromPoint(pt, true, true);
    const bool bConditionToEvent =
        dynamic_cast<CPNCondition*>(pStart) && dynamic_cast<CPNEvent*>(pTarget);
    const bool bEventToCondition =
        dynamic_cast<CPNEvent*>(pStart) && dynamic_cast<CPNCondition*>(pTarget);
    if (!bConditionToEvent && !bEventToCondition)
        return;
    auto* pEdge = new CPNEdge(pStart, pTarget);
    doc.BeginEdit("Add Edge");
    // A duplicate is refused and deleted by the net.
    const bool bAdded = doc.AddElement(pEdge);
    if (bAdded)
        doc.SetNetModified();
    doc.EndEdit();
    if (!bAdded)
        return;
    host.ShowToolPage(pEdge);
    host.RepaintLogical(doc.Selection().Select(pEdge, false));
}
