#include "views/CZerinCaseGraphView.h"

#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "document/CZerinDoc.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "platform/QtFonts.h"
#include "views/CViewHost.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

CZerinCaseGraphView::CZerinCaseGraphView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CDiagramView(doc, host, pParent) {
    setAccessibleName(QStringLiteral("Case Graph"));
    m_tip.Create(viewport());
}

CCaseGraph& CZerinCaseGraphView::Graph() const {
    return GetDocument().m_caseGraph;
}

CSize CZerinCaseGraphView::GetExtent() const {
    return Graph().m_sizeExtent;
}

void CZerinCaseGraphView::DrawModel(CDC& dc) const {
    Graph().Draw(dc);
}

void CZerinCaseGraphView::DrawModelIn(CDC& dc, const CRect& rectClip) const {
    Graph().Draw(dc, rectClip);
}

void CZerinCaseGraphView::DrawNameLegend(CDC& dc, int lineHeight) const {
    Graph().DrawNameLegend(dc, lineHeight);
}

void CZerinCaseGraphView::ResizeDiagram(int cx, int cy) {
    Graph().ComputeExtent(cx, cy);
}

bool CZerinCaseGraphView::CanExport() const {
    return GetDocument().m_bCaseGraphValid;
}

CRect CZerinCaseGraphView::UpdateAttached(CPNElement* pMoved) {
    return Graph().UpdateSteps(pMoved, false);
}

void CZerinCaseGraphView::UpdateCursor(CPoint /*ptLogical*/) {
    // Outside gestures the default arrow; the band keeps it too.
    const bool bMoving = m_bCaptured && m_nDragMode != DRAG_NONE && m_nDragMode != DRAG_BAND;
    const Qt::CursorShape shape = bMoving ? Qt::SizeAllCursor : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void CZerinCaseGraphView::OnInitialUpdate() {
    m_nGridCells = 10;
    CDiagramView::OnInitialUpdate();
}

void CZerinCaseGraphView::OnUpdate() {
    CDiagramView::OnUpdate();
    ForgetDeletedElements();
}

void CZerinCaseGraphView::ForgetDeletedElements() {
    // A new graph, a load or a deletion may have taken the elements a gesture or the
    // context menu still points at.
    const CCaseGraph& graph = Graph();
    auto exists = [&graph](const CPNElement* e) {
        if (!e)
            return false;
        auto has = [e](const auto& list) { return std::find(list.begin(), list.end(), e) != list.end(); };
        return has(graph.m_arrCases) || has(graph.m_arrSteps) || has(graph.m_arrStepLabels) ||
               has(graph.m_listElements);
    };
    if (!exists(m_pContextElement))
        m_pContextElement = nullptr;
    if (m_pHitElement && !exists(m_pHitElement)) {
        m_pHitElement = nullptr;
        m_nDragMode = DRAG_NONE;
        m_bCaptured = false;
    }
}

void CZerinCaseGraphView::Refresh() {
    CZerinDoc& doc = GetDocument();
    CCaseGraph& graph = Graph();
    if (!doc.m_bCaseGraphLaidOut) {
        CMeasureDC dc;
        graph.NameElements(dc);
        m_nGridCells = 2 * static_cast<int>(std::sqrt(static_cast<double>(graph.m_nCases)) + 1.0);
        graph.InitialLayout();
        UpdateScrollSize();
        InvalidateAll();
        m_bLayoutShown = false;
        m_bHighlightReachable = false;
        doc.SetCaseGraphLaidOut();
    }
    if (doc.m_bCaseGraphResized) {
        m_bLayoutShown = false;
        m_bHighlightReachable = false;
        UpdateScrollSize();
        doc.m_bCaseGraphResized = false;
    }
    if (!m_bLayoutShown) {
        // A graph read from a file has no names yet.
        if (!graph.m_arrCases.empty() && graph.m_arrCases.front()->m_label.m_strText.empty()) {
            CMeasureDC dc;
            graph.NameElements(dc);
        }
        graph.WriteNames();
        m_bLayoutShown = true;
    }
    if (doc.m_bSimulation)
        doc.ShowCurrentCase();
    InvalidateAll();
    m_bSimulation = doc.m_bSimulation;
    HidePropertiesPage();
}

// --- Commands. ---

bool CZerinCaseGraphView::OnCommand(int nId) {
    if (nId >= ID_TOOL_SELECT && nId <= ID_TOOL_TOKEN) {
        CCommandState state;
        if (OnUpdateCommand(nId, state) && state.enabled)
            m_nTool = static_cast<unsigned>(nId);
        return true;
    }
    switch (nId) {
    case ID_DELETE:
        OnDelete();
        return true;
    case ID_PLACE_FRONT:
    case ID_PLACE_BACK:
        OnPlace(nId == ID_PLACE_FRONT);
        return true;
    case ID_SMOOTH_CASE_GRAPH:
        OnSmooth();
        return true;
    case ID_VIEW_PROPERTIES:
        OnViewProperties();
        return true;
    case ID_SET_ACTUAL_CASE:
        OnSetActualCase();
        return true;
    case ID_HIGHLIGHT_REACHABLE:
        OnHighlightReachable();
        return true;
    default:
        return CDiagramView::OnCommand(nId);
    }
}

bool CZerinCaseGraphView::OnUpdateCommand(int nId, CCommandState& state) {
    state.checked = false;
    if (nId >= ID_TOOL_SELECT && nId <= ID_TOOL_TOKEN) {
        state.enabled = nId == ID_TOOL_SELECT ||
                        (!m_bSimulation && (nId == ID_TOOL_POLYGON || nId == ID_TOOL_LABEL));
        state.checked = m_nTool == static_cast<unsigned>(nId);
        return true;
    }
    switch (nId) {
    case ID_DELETE:
        state.enabled = CanDelete();
        return true;
    case ID_PLACE_FRONT:
    case ID_PLACE_BACK:
        state.enabled = !m_bSimulation && GetDocument().IsSelected(nullptr);
        return true;
    case ID_SMOOTH_CASE_GRAPH:
    case ID_VIEW_PROPERTIES:
        state.enabled = !m_bSimulation;
        return true;
    case ID_SET_ACTUAL_CASE:
        state.enabled = m_bSimulation;
        return true;
    case ID_HIGHLIGHT_REACHABLE:
        state.enabled = m_bSimulation;
        state.checked = m_bHighlightReachable;
        return true;
    default:
        return CDiagramView::OnUpdateCommand(nId, state);
    }
}

bool CZerinCaseGraphView::CanDelete() const {
    if (m_bSimulation || m_bCaptured)
        return false;
    const auto& free = Graph().m_listElements;
    const auto& selection = GetDocument().m_listSelection;
    return std::any_of(selection.begin(), selection.end(), [&free](const CPNElement* e) {
        return std::find(free.begin(), free.end(), e) != free.end();
    });
}

void CZerinCaseGraphView::OnDelete() {
    if (!CanDelete())
        return;
    InvalidateLogical(GetDocument().DeleteCaseGraphSelection());
    m_pContextElement = nullptr;
    m_pHitElement = nullptr;
    HidePropertiesPage();
}

void CZerinCaseGraphView::OnPlace(bool bFront) {
    CZerinDoc& doc = GetDocument();
    if (m_bSimulation || !doc.IsSelected(nullptr))
        return;
    InvalidateLogical(doc.PlaceSelectionCaseGraph(bFront));
}

void CZerinCaseGraphView::OnSmooth() {
    if (m_bSimulation)
        return;
    CSize extent;
    if (!Graph().Smooth(extent, m_runSmoothDialog))
        return;
    UpdateScrollSize();
    GetDocument().SetModifiedFlag();
    InvalidateAll();
}

void CZerinCaseGraphView::OnSetActualCase() {
    auto* pCase = dynamic_cast<CPNCase*>(m_pContextElement);
    if (!pCase || !m_bSimulation)
        return;
    CZerinDoc& doc = GetDocument();
    // The case is copied: setting it may rebuild what the node belongs to.
    const CSetConditions conditions = pCase->m_setConditions;
    doc.SetCase(conditions);
    doc.ShowCurrentCase();
    InvalidateAll();
}

void CZerinCaseGraphView::OnHighlightReachable() {
    if (!m_bSimulation)
        return;
    m_bHighlightReachable = !m_bHighlightReachable;
    Graph().SetShowReachability(m_bHighlightReachable);
    InvalidateAll();
}

void CZerinCaseGraphView::OnPropertyChanged(int nWhat) {
    CZerinDoc& doc = GetDocument();
    doc.SetModifiedFlag();
    CPNElement* pElement = doc.GetFirstSelected();
    if (!pElement)
        return;
    if (nWhat == 0) {
        InvalidateLogical(pElement->GetBoundRect());
    } else if (nWhat == 1) {
        const CRect rectOld = pElement->GetBoundRect();
        if (auto* pLabel = dynamic_cast<CPNLabel*>(pElement)) {
            CMeasureDC dc;
            pLabel->RecalcTextRect(dc);
        }
        InvalidateLogical(rectOld | pElement->GetBoundRect());
    }
}

// --- The mouse. ---

void CZerinCaseGraphView::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mousePressEvent(pEvent);
        return;
    }
    m_tip.Hide();
    CPoint pt;
    bool bAdd = false;
    if (!BeginPress(*pEvent, pt, bAdd))
        return;
    unsigned nTool = m_nTool;
    if (GetDocument().HitTestSelectedPoints(pt))
        nTool = ID_TOOL_SELECT;
    switch (nTool) {
    case ID_TOOL_SELECT:
        PressSelect(pt, bAdd);
        break;
    case ID_TOOL_POLYGON:
        if (!m_bSimulation) {
            const CPoint q = SnapToGrid(pt);
            PressFreeElement(new CPNPolygon(q.x, q.y));
        }
        break;
    case ID_TOOL_LABEL:
        if (!m_bSimulation) {
            const CPoint q = SnapToGrid(pt);
            auto* pLabel = new CPNLabel(q.x, q.y);
            CMeasureDC dc;
            pLabel->SetText(GetDocument().GetNewName(CZerinDoc::NAME_DIAGRAM_LABEL), dc);
            PressFreeElement(pLabel);
        }
        break;
    default:
        break;
    }
}

void CZerinCaseGraphView::PressFreeElement(CPNElement* pElement) {
    CZerinDoc& doc = GetDocument();
    doc.AddCaseGraphElement(pElement);
    InvalidateLogical(doc.Select(pElement, false) | pElement->GetBoundRect());
    pElement->ShowProperties(GetPageHost());
}

void CZerinCaseGraphView::PressSelect(CPoint pt, bool bAdd) {
    CZerinDoc& doc = GetDocument();
    m_nDragMode = DRAG_NONE;
    // In simulation a click selects nothing.
    CPNElement* pHit = m_bSimulation ? nullptr : Graph().ElementFromPoint(pt);
    m_pHitElement = pHit;
    if (!pHit) {
        if (!bAdd) {
            InvalidateLogical(doc.ClearSelection());
            if (!m_bSimulation)
                HidePropertiesPage();
        }
        m_ptBandStart = pt;
        m_bMoved = false;
        m_nDragMode = m_bSimulation ? DRAG_NONE : DRAG_BAND;
        if (m_nDragMode == DRAG_BAND)
            BeginDrag(pt);
        return;
    }
    if (doc.IsSelected(pHit)) {
        if (bAdd) {
            doc.Deselect(pHit);
            InvalidateLogical(pHit->GetBoundRect());
            if (!doc.IsSelected(nullptr))
                HidePropertiesPage();
            m_pHitElement = nullptr;
            return;
        }
        if (doc.HasMultipleSelection())
            m_nDragMode = DRAG_SELECTION;
    } else {
        InvalidateLogical(doc.Select(pHit, bAdd));
        if (doc.HasMultipleSelection()) {
            m_nDragMode = DRAG_SELECTION;
            HidePropertiesPage();
        } else if (auto* pLabel = dynamic_cast<CPNLabel*>(pHit); pLabel && pLabel->m_pOwner) {
            HidePropertiesPage();
        } else {
            pHit->ShowProperties(GetPageHost());
        }
    }
    if (m_nDragMode == DRAG_NONE) {
        if (dynamic_cast<CPNCase*>(pHit))
            m_nDragMode = DRAG_CASE;
        if (dynamic_cast<CPNLabel*>(pHit))
            m_nDragMode = DRAG_LABEL;
        if (auto* pStep = dynamic_cast<CPNStep*>(pHit); pStep && pStep->HitTestPoint(pt))
            m_nDragMode = DRAG_STEP_POINT;
        if (auto* pPolygon = dynamic_cast<CPNPolygon*>(pHit))
            m_nDragMode = pPolygon->HitTestPoint(pt) ? DRAG_POLYGON_POINT : DRAG_POLYGON;
    }
    if (m_nDragMode != DRAG_NONE)
        BeginDrag(pt);
}

void CZerinCaseGraphView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt)) {
        if (m_bSimulation && !m_bCaptured)
            ShowTitleTip(pt);
        return;
    }
    switch (m_nDragMode) {
    case DRAG_STEP_POINT:
    case DRAG_CASE:
    case DRAG_LABEL:
    case DRAG_POLYGON:
    case DRAG_POLYGON_POINT:
        if (!m_bSimulation)
            DragElement(pt, m_nDragMode == DRAG_CASE);
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
}

void CZerinCaseGraphView::ShowTitleTip(CPoint pt) {
    CPNElement* pHit = Graph().ElementFromPoint(pt);
    std::string text;
    CRect rect;
    if (auto* pCase = dynamic_cast<CPNCase*>(pHit)) {
        text = pCase->m_strConditions;
        rect = pCase->GetBoundRect();
    } else if (auto* pStep = dynamic_cast<CPNStep*>(pHit)) {
        text = pStep->m_strEvents;
        rect = CRect(pt.x - 10, pt.y - 10, pt.x + 10, pt.y + 10);
    } else if (auto* pLabel = dynamic_cast<CPNLabel*>(pHit)) {
        if (auto* pOwner = dynamic_cast<CPNStep*>(pLabel->m_pOwner)) {
            text = pOwner->m_strEvents;
            rect = pLabel->GetBoundRect();
        }
    }
    if (text.empty())
        return;
    const CPoint scroll = GetScrollPosition();
    const QRect rectDevice = LogicalToDevice(rect);
    m_tip.Show(rectDevice, ToQString(text), pt.x - scroll.x + 15, pt.y - scroll.y + 5);
}

void CZerinCaseGraphView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mouseReleaseEvent(pEvent);
        return;
    }
    pEvent->accept();
    if (!m_bCaptured)
        return;
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (m_nDragMode == DRAG_BAND) {
        CRect rect;
        if (EndBand(pt, rect)) {
            InvalidateLogical(GetDocument().SelectInRectCaseGraph(rect));
            if (!m_bSimulation)
                HidePropertiesPage();
        }
    } else if (!m_bSimulation && GetDocument().m_bRuler) {
        DrawRulerMarkers(pt, true);
    }
    EndDrag(pt);
}

void CZerinCaseGraphView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    if (m_bSimulation && pEvent->button() == Qt::LeftButton) {
        const CPoint pt = DeviceToLogical(pEvent->position().toPoint());
        const CSize extent = GetExtent();
        if (pt.x <= extent.cx && pt.y <= extent.cy) {
            m_pContextElement = Graph().ElementFromPoint(pt);
            OnSetActualCase();
        }
    }
    CDiagramView::mouseDoubleClickEvent(pEvent);
}

void CZerinCaseGraphView::contextMenuEvent(QContextMenuEvent* pEvent) {
    if (m_bCaptured)
        return;
    const CPoint pt = DeviceToLogical(pEvent->pos());
    const CSize extent = GetExtent();
    if (pt.x < 0 || pt.y < 0 || pt.x > extent.cx || pt.y > extent.cy)
        return;
    m_ptLast = pt;
    m_pContextElement = Graph().ElementFromPoint(pt);
    const CZerinDoc& doc = GetDocument();
    int nIndex = 0;
    if (m_pContextElement && doc.IsSelected(m_pContextElement)) {
        if (dynamic_cast<CPNStep*>(m_pContextElement))
            nIndex = 3;
        if (dynamic_cast<CPNPolygon*>(m_pContextElement))
            nIndex = 4;
    }
    if (dynamic_cast<CPNCase*>(m_pContextElement))
        nIndex = 6;
    if (m_bSimulation && nIndex == 0)
        return;
    ShowPopupMenu(nIndex, pEvent->globalPos());
}

void CZerinCaseGraphView::keyReleaseEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Delete && !pEvent->isAutoRepeat())
        OnCommand(ID_DELETE);
    CDiagramView::keyReleaseEvent(pEvent);
}
