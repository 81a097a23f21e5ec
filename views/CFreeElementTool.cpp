#include "views/CFreeElementTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "views/CToolHost.h"

bool CFreeElementTool::Press(CToolHost& host, CPoint pt) {
    CZerinDoc& doc = host.GetToolDocument();
    const int nDiagram = host.GetToolDiagram();
    const CPoint q = host.SnapToolPoint(pt);
    doc.BeginEdit(m_bPolygon ? "Add Polygon" : "Add Label");
    CPNElement* pElement = nullptr;
    if (m_bPolygon) {
        pElement = new CPNPolygon(q.x, q.y);
    } else {
        auto* pLabel = new CPNLabel(q.x, q.y);
        CMeasureDC dc;
        pLabel->SetText(doc.GetNewName(nDiagram == CZerinDoc::DIAGRAM_NET_DESIGN
                                           ? CDocumentRecord::NAME_NET_LABEL
                                           : CDocumentRecord::NAME_DIAGRAM_LABEL),
                        dc);
        pElement = pLabel;
    }
    doc.AddElement(pElement, nDiagram);
    doc.SetModifiedFlag();
    doc.EndEdit();
    host.RepaintLogical(doc.Selection().Select(pElement, false) | pElement->GetBoundRect());
    host.ShowToolPage(pElement);
    return false;
}
