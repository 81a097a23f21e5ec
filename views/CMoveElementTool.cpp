#include "views/CMoveElementTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNElement.h"
#include "views/CToolHost.h"

bool CMoveElementTool::Press(CToolHost& host, CPoint pt) {
    m_ptLast = pt;
    m_ptDrag = m_pElement->m_ptPos;
    host.BeginToolDrag(pt);
    return true;
}

void CMoveElementTool::Move(CToolHost& host, CPoint pt) {
    if (!host.CanToolEdit())
        return;
    m_ptDrag += pt - m_ptLast;
    m_ptLast = pt;
    const CPoint q = host.SnapToolPoint(m_ptDrag);
    CZerinDoc& doc = host.GetToolDocument();
    if (q != m_pElement->m_ptPos) {
        doc.SetModifiedFlag();
        doc.History().NameEdit("Move");
    }
    host.RepaintLogical(doc.MoveElement(host.GetToolDiagram(), m_pElement, q));
    host.ShowToolPosition(q);
    host.ShowToolMarkers(q, false);
}

void CMoveElementTool::Release(CToolHost& host, CPoint pt) {
    if (host.CanToolEdit())
        host.ShowToolMarkers(pt, true);
}
