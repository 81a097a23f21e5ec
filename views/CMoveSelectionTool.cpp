#include "views/CMoveSelectionTool.h"

#include "document/CZerinDoc.h"
#include "views/CToolHost.h"

bool CMoveSelectionTool::Press(CToolHost& host, CPoint pt) {
    m_ptLast = pt;
    host.BeginToolDrag(pt);
    return true;
}

void CMoveSelectionTool::Move(CToolHost& host, CPoint pt) {
    if (!host.CanToolEdit())
        return;
    const CSize delta = pt - m_ptLast;
    m_ptLast = pt;
    if (delta.cx != 0 || delta.cy != 0) {
        CZerinDoc& doc = host.GetToolDocument();
        host.RepaintLogical(doc.MoveSelection(host.GetToolDiagram(), delta.cx, delta.cy));
        // Moving is an edit the file must keep.
        doc.SetModifiedFlag();
        doc.History().NameEdit("Move");
    }
    host.ShowToolPosition(pt);
}
