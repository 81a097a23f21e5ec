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
    switch (nTool) {
    case Cmd::ID_TOOL_SELECT:
        PressSelect(pt, bAdd);
        break;
    case Cmd::ID_TOOL_CONDITION:
        PressNode(pt, false);
        break;
    case Cmd::ID_TOOL_EVENT:
        PressNode(pt, true);
        break;
    case Cmd::ID_TOOL_EDGE:
        PressEdge(pt);
        break;
    case Cmd::ID_TOOL_POLYGON:
        PressPolygon(pt);
        break;
    case Cmd::ID_TOOL_LABEL:
        PressLabel(pt);
        break;
    case Cmd::ID_TOOL_TOKEN:
        PressToken(pt);
        break;
    default:
        break;
    }
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

void CZerinNetDesignView::PressNode(CPoint pt, bool bEvent) {
    CZerinDoc& doc = GetDocument();
    doc.BeginEdit(bEvent ? "Add Event" : "Add Condition");
    CMeasureDC dc;
    auto* pLabel = new CPNLabel();
    pLabel->SetText(doc.GetNewName(bEvent ? CZerinDoc::NAME_EVENT : CZerinDoc::NAME_CONDITION), dc);
    const CPoint q = SnapToGrid(pt);
    CPNElement* pNode = nullptr;
    if (bEvent)
        pNode = new CPNEvent(q.x, q.y, pLabel);
    else
        pNode = new CPNCondition(q.x, q.y, pLabel);
    doc.AddElement(pNode);
    doc.AddElement(pLabel);
    pLabel->m_pOwner = pNode;
    InvalidateLogical(pLabel->GetBoundRect() | doc.Select(pNode, false));
    doc.SetNetModified();
    doc.EndEdit();
    pNode->ShowProperties(GetPageHost());
}

void CZerinNetDesignView::PressLabel(CPoint pt) {
    CZerinDoc& doc = GetDocument();
    doc.BeginEdit("Add Label");
    CMeasureDC dc;
    const CPoint q = SnapToGrid(pt);
    auto* pLabel = new CPNLabel(q.x, q.y);
    pLabel->SetText(doc.GetNewName(CZerinDoc::NAME_NET_LABEL), dc);
    doc.AddElement(pLabel);
    doc.EndEdit();
    InvalidateLogical(doc.Select(pLabel, false));
    pLabel->ShowProperties(GetPageHost());
}

void CZerinNetDesignView::PressPolygon(CPoint pt) {
    CZerinDoc& doc = GetDocument();
    const CPoint q = SnapToGrid(pt);
    auto* pPolygon = new CPNPolygon(q.x, q.y);
    doc.BeginEdit("Add Polygon");
    doc.AddElement(pPolygon);
    doc.EndEdit();
    InvalidateLogical(doc.Select(pPolygon, false));
    pPolygon->ShowProperties(GetPageHost());
}

void CZerinNetDesignView::PressToken(CPoint pt) {
    CZerinDoc& doc = GetDocument();
    auto* pCondition =
        dynamic_cast<CPNCondition*>(doc.m_netDesign.ElementFromPoint(pt, false, true));
    if (!pCondition)
        return;
    doc.BeginEdit("Flip Token");
    doc.ModifyElement(CZerinDoc::DIAGRAM_NET_DESIGN, pCondition);
    pCondition->m_bToken = !pCondition->m_bToken;
    doc.SetModifiedFlag();
    doc.SetNetModified();
    doc.EndEdit();
    InvalidateLogical(pCondition->GetBoundRect());
    GetHost().RefreshPropertiesPage();
}

void CZerinNetDesignView::PressEdge(CPoint pt) {
    CPNElement* pElement = GetDocument().m_netDesign.ElementFromPoint(pt, true, true);
    if (!dynamic_cast<CPNCondition*>(pElement) && !dynamic_cast<CPNEvent*>(pElement))
        return;
    m_pHitElement = pElement;
    m_nDragMode = DRAG_EDGE_LINE;
    m_bMoved = false;
    m_ptEdgeStart = m_ptEdgeEnd = pt;
    m_bCaptured = true;
}

// --- Moves. ---

void CZerinNetDesignView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt))
        return;
    switch (m_nDragMode) {
    case DRAG_EDGE_LINE:
        m_bMoved = true;
        DrawXorLine(m_ptEdgeStart, m_ptEdgeEnd);
        DrawXorLine(m_ptEdgeStart, pt);
        m_ptEdgeEnd = pt;
        GetHost().SetStatusPosition(pt.x, pt.y);
        break;
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
    switch (m_nDragMode) {
    case DRAG_EDGE_LINE:
        ReleaseEdge(pt);
        break;
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

void CZerinNetDesignView::ReleaseEdge(CPoint pt) {
    if (!m_bMoved)
        return;
    DrawXorLine(m_ptEdgeStart, m_ptEdgeEnd);
    CZerinDoc& doc = GetDocument();
    CPNElement* pStart = m_pHitElement;
    CPNElement* pTarget = doc.m_netDesign.ElementFromPoint(pt, true, true);
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
    pEdge->ShowProperties(GetPageHost());
    InvalidateLogical(doc.Select(pEdge, false));
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
