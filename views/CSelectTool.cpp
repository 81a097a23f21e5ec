#include "views/CSelectTool.h"

#include "document/CZerinDoc.h"
#include "model/CPNElement.h"
#include "views/CBandTool.h"
#include "views/CMoveElementTool.h"
#include "views/CMoveSelectionTool.h"
#include "views/CToolHost.h"

bool CSelectTool::Press(CToolHost& host, CPoint pt) {
    m_pGesture.reset();
    if (!host.CanToolSelect())
        return false;
    CZerinDoc& doc = host.GetToolDocument();
    const bool bEdit = host.CanToolEdit();
    const bool bAdd = host.ToolAddsToSelection();
    CPNElement* pHit = host.HitToolElement(pt);
    bool bWhole = false;
    if (!pHit) {
        if (!bAdd) {
            host.RepaintLogical(doc.Selection().Clear());
            if (bEdit)
                host.ShowToolPage(nullptr);
        }
        if (!host.CanToolBand())
            return false;
        m_pGesture = std::make_unique<CBandTool>();
        return m_pGesture->Press(host, pt);
    }
    if (!doc.Selection().IsSelected(pHit)) {
        host.RepaintLogical(doc.Selection().Select(pHit, bAdd));
        bWhole = doc.Selection().HasMultiple();
        if (bEdit)
            host.ShowToolPage(bWhole ? nullptr : pHit);
    } else if (bAdd) {
        doc.Selection().Deselect(pHit);
        host.RepaintLogical(pHit->GetBoundRect());
        if (bEdit && !doc.Selection().IsSelected(nullptr))
            host.ShowToolPage(nullptr);
        return false;
    } else {
        bWhole = doc.Selection().HasMultiple();
    }
    // In the token game a press selects, and moves nothing.
    if (!bEdit)
        return false;
    if (bWhole)
        m_pGesture = std::make_unique<CMoveSelectionTool>();
    else if (pHit->GrabAt(pt))
        m_pGesture = std::make_unique<CMoveElementTool>(pHit);
    else
        return false;
    return m_pGesture->Press(host, pt);
}

void CSelectTool::Move(CToolHost& host, CPoint pt) {
    if (m_pGesture)
        m_pGesture->Move(host, pt);
}

void CSelectTool::Release(CToolHost& host, CPoint pt) {
    if (auto pGesture = std::move(m_pGesture))
        pGesture->Release(host, pt);
}

CTool::ECursor CSelectTool::GestureCursor() const {
    return m_pGesture ? m_pGesture->GestureCursor() : ECursor::Tool;
}

CPNElement* CSelectTool::GestureElement() const {
    return m_pGesture ? m_pGesture->GestureElement() : nullptr;
}
