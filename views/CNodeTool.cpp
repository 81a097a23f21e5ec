#include "views/CNodeTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"
#include "views/CToolHost.h"

bool CNodeTool::Press(CToolHost& host, CPoint pt) {
    CZerinDoc& doc = host.GetToolDocument();
    doc.BeginEdit(m_bEvent ? "Add Event" : "Add Condition");
    CMeasureDC dc;
    auto* pLabel = new CPNLabel();
    pLabel->SetText(doc.GetNewName(m_bEvent ? CDocumentRecord::NAME_EVENT : CDocumentRecord::NAME_CONDITION),
                    dc);
    const CPoint q = host.SnapToolPoint(pt);
    CPNElement* pNode = nullptr;
    if (m_bEvent)
        pNode = new CPNEvent(q.x, q.y, pLabel);
    else
        pNode = new CPNCondition(q.x, q.y, pLabel);
    doc.AddElement(pNode);
    doc.AddElement(pLabel);
    pLabel->m_pOwner = pNode;
    host.RepaintLogical(pLabel->GetBoundRect() | doc.Selection().Select(pNode, false));
    doc.SetNetModified();
    doc.EndEdit();
    host.ShowToolPage(pNode);
    return false;
}
