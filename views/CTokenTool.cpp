#include "views/CTokenTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "views/CToolHost.h"

bool CTokenTool::Press(CToolHost& host, CPoint pt) {
    CZerinDoc& doc = host.GetToolDocument();
    auto* pCondition =
        dynamic_cast<CPNCondition*>(doc.NetDesign().ElementFromPoint(pt, false, true));
    if (!pCondition)
        return false;
    doc.History().Begin("Flip Token");
    const CRect rect = doc.FlipToken(pCondition);
    doc.History().End();
    host.RepaintLogical(rect);
    host.RefreshToolPage();
    return false;
}
