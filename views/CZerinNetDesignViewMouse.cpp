#include "views/CZerinNetDesignView.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "views/CViewHost.h"

#include <QMouseEvent>

#include <algorithm>

void CZerinNetDesignView::UpdateCursor(CPoint ptLogical) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    const CTool::ECursor gesture =
        m_bCaptured && m_pGestureTool ? m_pGestureTool->GestureCursor() : CTool::ECursor::Tool;
    if (gesture == CTool::ECursor::Cross) {
        shape = Qt::CrossCursor;
    } else if (gesture == CTool::ECursor::Move) {
        shape = Qt::SizeAllCursor;
    } else if (gesture == CTool::ECursor::Arrow || m_bSimulation) {
        shape = Qt::ArrowCursor;
    } else if (!m_bCaptured && GetDocument().Selection().HitTestPoints(ptLogical)) {
        shape = Qt::SizeAllCursor;
    } else {
        shape = m_nTool == Cmd::ID_TOOL_SELECT ? Qt::ArrowCursor : Qt::CrossCursor;
    }
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

// --- What selecting asks. ---

bool CZerinNetDesignView::CanToolSelect() const {
    // The run and the animation fire the selection: it must not change under them.
    return !m_autoRun.IsRunning() && !m_bInAnimationLoop;
}

CPNElement* CZerinNetDesignView::HitToolElement(CPoint pt) {
    CZerinDoc& doc = GetDocument();
    CPNElement* pHit = doc.Selection().FindGrabbedEdge(pt);
    if (!pHit)
        pHit = doc.NetDesign().ElementFromPoint(pt, m_bSimulation, false);
    // In the token game only an event with concession is taken.
    if (m_bSimulation && !(pHit && CanFire(*pHit)))
        return nullptr;
    return pHit;
}

// --- The mouse. ---

void CZerinNetDesignView::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mousePressEvent(pEvent);
        return;
    }
    CPoint pt;
    bool bAdd = false;
    if (!BeginPress(*pEvent, pt, bAdd))
        return;
    // A handle of a selected edge or polygon is dragged whatever the tool.
    PressTool(GetDocument().Selection().HitTestPoints(pt) ? Cmd::ID_TOOL_SELECT : m_nTool, pt);
}

void CZerinNetDesignView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt))
        return;
    MoveTool(pt);
    m_bSkipMove = false;
}

void CZerinNetDesignView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mouseReleaseEvent(pEvent);
        return;
    }
    pEvent->accept();
    if (!m_bCaptured)
        return;
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    ReleaseTool(pt);
    EndDrag(pt);
}

void CZerinNetDesignView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton)
        return;
    // In simulation a double click on an event with concession fires that event alone;
    // with Shift or Ctrl held, or elsewhere, the selected events fire as one step.
    const bool bAdd = (pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    const CPoint pt = DeviceToLogical(pEvent->position().toPoint());
    CPNElement* pHit = GetDocument().NetDesign().ElementFromPoint(pt, true, false);
    if (!bAdd && pHit && CanFire(*pHit)) {
        Fire(*pHit);
        return;
    }
    ExecuteStep();
}
