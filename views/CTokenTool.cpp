#include "views/CTokenTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "views/CToolHost.h"

bool CTokenTool::Press(CToolHost& host, CPoint pt) {
    CZerinDoc& doc = host.GetToolDocument();
    auto* pCondition =
        dynamic_cast<CPNCondition*>(doc.m_netDesign.ElementFromPoint(pt, false, true));
    if (!pCondition)
        return false;
    doc.BeginEdit("Flip Token");
    doc.ModifyElement(CZerinDoc::DIAGRAM_NET_DESIGN, pCondition);
    pCondition->m_bToken = !pCondition->m_bToken;
    doc.SetModifiedFlag();
    doc.SetNetModified();
    doc.EndEdit();
    host.RepaintLogical(pCondition->GetBoundRect());
    host.RefreshToolPage();
    return false;
}
