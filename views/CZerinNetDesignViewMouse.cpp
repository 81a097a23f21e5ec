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
    if (m_bCaptured && m_nDragMode == DRAG_BAND) {
        shape = m_bMoved ? Qt::CrossCursor : Qt::ArrowCursor;
    } else if (m_bCaptured && m_nDragMode >= DRAG_EDGE_POINT && m_nDragMode <= DRAG_SELECTION) {
        shape = Qt::SizeAllCursor;
    } else if (m_bSimulation) {
        shape = Qt::ArrowCursor;
    } else if (!m_bCaptured && GetDocument().HitTestSelectedPoints(ptLogical)) {
        shape = Qt::SizeAllCursor;
    } else {
        shape = m_nTool == Cmd::ID_TOOL_SELECT ? Qt::ArrowCursor : Qt::CrossCursor;
    }
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

// --- Presses. ---

void CZerinNetDesignView::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mousePressEvent(pEvent);
        return;
    }
    CPoint pt;
    bool bAdd = false;
    if (!BeginPress(*pEvent, pt, bAdd))
        return;
    unsigned nTool = m_nTool;
    // A handle of a selected edge or polygon is dragged whatever the tool.
    if (GetDocument().HitTestSelectedPoints(pt))
        nTool = Cmd::ID_TOOL_SELECT;
    if (nTool == Cmd::ID_TOOL_SELECT)
        PressSelect(pt, bAdd);
    else
        PressTool(nTool, pt);
}

void CZerinNetDesignView::PressSelect(CPoint pt, bool bAdd) {
    CZerinDoc& doc = GetDocument();
    m_nDragMode = DRAG_NONE;
    m_pHitElement = doc.FindGrabbedEdge(pt);
    if (!m_pHitElement)
        m_pHitElement = doc.m_netDesign.ElementFromPoint(pt, m_bSimulation, false);
    // The run and the animation fire the selection: it must not change under them.
    if (m_autoRun.IsRunning() || m_bInAnimationLoop) {
        m_pHitElement = nullptr;
        return;
    }
    if (m_bSimulation) {
        auto* pEvent = dynamic_cast<CPNEvent*>(m_pHitElement);
        if (!pEvent || !pEvent->m_bEnabled)
            m_pHitElement = nullptr;
    }
    CPNElement* pHit = m_pHitElement;
    if (!pHit) {
        if (!bAdd) {
            const CRect rect = doc.ClearSelection();
            if (!rect.IsRectEmpty())
                InvalidateLogical(rect);
            if (!m_bSimulation)
                HidePropertiesPage();
        }
        m_ptBandStart = pt;
        m_bMoved = false;
        m_nDragMode = DRAG_BAND;
    } else if (!doc.IsSelected(pHit)) {
        InvalidateLogical(doc.Select(pHit, bAdd));
        if (!doc.HasMultipleSelection()) {
            if (!m_bSimulation)
                pHit->ShowProperties(GetPageHost());
        } else {
            m_nDragMode = DRAG_SELECTION;
            if (!m_bSimulation)
                HidePropertiesPage();
        }
    } else if (bAdd) {
        doc.Deselect(pHit);
        InvalidateLogical(pHit->GetBoundRect());
        if (!m_bSimulation && !doc.IsSelected(nullptr))
            HidePropertiesPage();
        m_pHitElement = nullptr;
        return;
    } else if (doc.HasMultipleSelection()) {
        m_nDragMode = DRAG_SELECTION;
    }

    if (m_nDragMode == DRAG_NONE) {
        if (dynamic_cast<CPNCondition*>(pHit))
            m_nDragMode = DRAG_CONDITION;
        if (dynamic_cast<CPNEvent*>(pHit))
            m_nDragMode = DRAG_EVENT;
        if (dynamic_cast<CPNLabel*>(pHit))
            m_nDragMode = DRAG_LABEL;
        if (auto* pEdge = dynamic_cast<CPNEdge*>(pHit); pEdge && pEdge->HitTestPoint(pt))
            m_nDragMode = DRAG_EDGE_POINT;
        if (auto* pPolygon = dynamic_cast<CPNPolygon*>(pHit))
            m_nDragMode = pPolygon->HitTestPoint(pt) ? DRAG_POLYGON_POINT : DRAG_POLYGON;
        if (m_nDragMode == DRAG_NONE)
            return;
    }
    BeginDrag(pt);
}

// --- Moves. ---

void CZerinNetDesignView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt))
        return;
    if (MoveTool(pt)) {
        m_bSkipMove = false;
        return;
    }
    switch (m_nDragMode) {
    case DRAG_EDGE_POINT:
    case DRAG_CONDITION:
    case DRAG_EVENT:
    case DRAG_LABEL:
    case DRAG_POLYGON:
    case DRAG_POLYGON_POINT:
        if (!m_bSimulation)
            DragElement(pt);
        break;
    case DRAG_SELECTION:
        if (!m_bSimulation)
            DragSelection(pt);
        break;
    case DRAG_BAND:
        DragBand(pt);
        break;
    default:
        break;
    }
    m_bSkipMove = false;
}

// --- Releases. ---

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
    switch (m_nDragMode) {
    case DRAG_EDGE_POINT:
    case DRAG_CONDITION:
    case DRAG_EVENT:
    case DRAG_LABEL:
    case DRAG_POLYGON:
    case DRAG_POLYGON_POINT:
        if (!m_bSimulation && GetDocument().m_bRuler)
            DrawRulerMarkers(pt, true);
        break;
    case DRAG_BAND:
        ReleaseBand(pt);
        break;
    default:
        break;
    }
    EndDrag(pt);
}

void CZerinNetDesignView::ReleaseBand(CPoint pt) {
    CRect rect;
    if (!EndBand(pt, rect) || m_autoRun.IsRunning())
        return;
    InvalidateLogical(GetDocument().SelectInRect(CZerinDoc::DIAGRAM_NET_DESIGN, rect));
    if (!m_bSimulation)
        HidePropertiesPage();
}

void CZerinNetDesignView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton)
        return;
    // In simulation a double click on an event with concession fires that event alone;
    // with Shift or Ctrl held, or elsewhere, the selected events fire as one step.
    const bool bAdd = (pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    const CPoint pt = DeviceToLogical(pEvent->position().toPoint());
    CPNElement* pHit = GetDocument().m_netDesign.ElementFromPoint(pt, true, false);
    if (!bAdd && pHit && CanFire(*pHit)) {
        Fire(*pHit);
        return;
    }
    ExecuteStep();
}
