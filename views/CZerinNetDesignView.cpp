#include "views/CZerinNetDesignView.h"

#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "views/CViewHost.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

CZerinNetDesignView::CZerinNetDesignView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CDiagramView(doc, host, pParent) {
    setAccessibleName(QStringLiteral("Net Design"));
}

CSize CZerinNetDesignView::GetExtent() const {
    return GetDocument().NetDesign().m_sizeNet;
}

void CZerinNetDesignView::DrawModel(CDC& dc) const {
    GetDocument().DrawNetDesign(dc);
}

void CZerinNetDesignView::ResizeDiagram(int cx, int cy) {
    GetDocument().ResizeDiagram(CZerinDoc::DIAGRAM_NET_DESIGN, cx, cy);
}

void CZerinNetDesignView::ResetMembers() {
    CDiagramView::ResetMembers();
    m_autoRun.Stop();
    m_bAnimating = false;
    m_bQuitRequested = false;
}

void CZerinNetDesignView::OnInitialUpdate() {
    CDiagramView::OnInitialUpdate();
    HidePropertiesPage();
}

void CZerinNetDesignView::OnUpdate() {
    const bool bWasSimulating = m_bSimulation;
    CDiagramView::OnUpdate();
    m_autoRun.Stop();
    if (!m_bInAnimationLoop)
        m_bAnimating = false;
    if (m_bSimulation) {
        m_nTool = Cmd::ID_TOOL_SELECT;
        if (!bWasSimulating)
            GetHost().ShowPropertiesPage(PAGE_SIMULATION, nullptr);
    }
    // The update may follow a load, a complement or a deletion: pointers into the
    // net are kept only while their element still exists.
    const auto& elements = GetDocument().NetDesign().m_listElements;
    auto exists = [&elements](const CPNElement* e) {
        return e && std::find(elements.begin(), elements.end(), e) != elements.end();
    };
    if (!exists(m_pContextElement))
        m_pContextElement = nullptr;
    if (CPNElement* pDragged = GetDraggedElement(); pDragged && !exists(pDragged))
        DropGesture();
}

void CZerinNetDesignView::showEvent(QShowEvent* pEvent) {
    CDiagramView::showEvent(pEvent);
    if (GetDocument().Simulation().IsActive() && !m_bInAnimationLoop)
        GetDocument().Simulation().RefreshCase();
}

// --- Commands. ---

bool CZerinNetDesignView::OnCommand(int nId) {
    switch (nId) {
    case Cmd::ID_EDIT_CUT:
        if (!m_bSimulation && CopySelection())
            OnDelete();
        return true;
    case Cmd::ID_EDIT_COPY:
        if (!m_bSimulation)
            CopySelection();
        return true;
    case Cmd::ID_EDIT_PASTE:
        if (!m_bSimulation)
            Paste();
        return true;
    case Cmd::ID_EDIT_SELECT_ALL:
        if (!m_bSimulation && !m_bCaptured)
            SelectAll();
        return true;
    default:
        break;
    }
    if (nId >= Cmd::ID_TOOL_SELECT && nId <= Cmd::ID_TOOL_TOKEN) {
        if (!m_bSimulation || nId == Cmd::ID_TOOL_SELECT)
            m_nTool = static_cast<unsigned>(nId);
        if (!m_bCaptured && viewport()->underMouse())
            UpdateCursor(DeviceToLogical(viewport()->mapFromGlobal(QCursor::pos())));
        return true;
    }
    switch (nId) {
    case Cmd::ID_EDIT_DELETE:
        OnDelete();
        return true;
    case Cmd::ID_PLACE_FRONT:
    case Cmd::ID_PLACE_BACK:
        OnPlace(nId == Cmd::ID_PLACE_FRONT);
        return true;
    case Cmd::ID_EXECUTE_STEP:
        ExecuteStep();
        return true;
    case Cmd::ID_RESET_SYSTEM:
    case Cmd::ID_SIM_RESET:
        OnResetSystem();
        return true;
    case Cmd::ID_NET_COMPLEMENT:
        OnNetComplement();
        return true;
    case Cmd::ID_SIM_START:
        OnStartAutomaticRun();
        return true;
    case Cmd::ID_SIM_STOP:
        // The run ends after the step under way, which finishes without waiting.
        m_autoRun.Stop();
        m_bHurry = m_bInAnimationLoop;
        return true;
    case Cmd::ID_SIM_STEP:
        OnLargestStep();
        return true;
    case Cmd::ID_NET_VIEW_PROPERTIES:
        OnViewProperties();
        return true;
    default:
        return CDiagramView::OnCommand(nId);
    }
}

bool CZerinNetDesignView::OnUpdateCommand(int nId, CCommandState& state) {
    const CZerinDoc& doc = GetDocument();
    const bool bBusy = m_autoRun.IsRunning() || m_bAnimating || m_bInAnimationLoop;
    state.checked = false;
    switch (nId) {
    case Cmd::ID_EDIT_CUT:
    case Cmd::ID_EDIT_COPY:
        state.enabled = !m_bSimulation && !m_bCaptured && !doc.Selection().empty();
        return true;
    case Cmd::ID_EDIT_PASTE:
        state.enabled = !m_bSimulation && !m_bCaptured && ClipboardHoldsFragment();
        return true;
    case Cmd::ID_EDIT_SELECT_ALL:
        state.enabled = !m_bSimulation && !m_bCaptured;
        return true;
    default:
        break;
    }
    if (nId >= Cmd::ID_TOOL_SELECT && nId <= Cmd::ID_TOOL_TOKEN) {
        state.enabled = !m_bSimulation || nId == Cmd::ID_TOOL_SELECT;
        state.checked = m_nTool == static_cast<unsigned>(nId);
        return true;
    }
    switch (nId) {
    case Cmd::ID_EDIT_DELETE:
        state.enabled = !m_bSimulation && !m_bCaptured && doc.Selection().CanDelete();
        return true;
    case Cmd::ID_PLACE_FRONT:
    case Cmd::ID_PLACE_BACK:
        state.enabled = !m_bSimulation && doc.Selection().IsSelected(nullptr);
        return true;
    case Cmd::ID_EXECUTE_STEP:
        state.enabled = m_bSimulation && !bBusy && doc.Selection().IsSelected(nullptr);
        return true;
    case Cmd::ID_RESET_SYSTEM:
        state.enabled = m_bSimulation && !bBusy;
        return true;
    case Cmd::ID_NET_COMPLEMENT:
        state.enabled = doc.Simulation().IsActive();
        return true;
    case Cmd::ID_NET_VIEW_PROPERTIES:
        state.enabled = !m_bSimulation;
        return true;
    default:
        return CDiagramView::OnUpdateCommand(nId, state);
    }
}

void CZerinNetDesignView::OnDelete() {
    CZerinDoc& doc = GetDocument();
    // A gesture holds pointers into the selection it would delete.
    if (m_bSimulation || m_bCaptured || !doc.Selection().CanDelete())
        return;
    InvalidateLogical(doc.DeleteSelection(CZerinDoc::DIAGRAM_NET_DESIGN));
    m_pContextElement = nullptr;
    doc.SetNetModified();
    HidePropertiesPage();
}

void CZerinNetDesignView::OnPlace(bool bFront) {
    CZerinDoc& doc = GetDocument();
    if (m_bSimulation || !doc.Selection().IsSelected(nullptr))
        return;
    InvalidateLogical(doc.PlaceSelection(CZerinDoc::DIAGRAM_NET_DESIGN, bFront));
}

// --- Property changes from the properties bar. ---

void CZerinNetDesignView::OnPropertyChanged(int nWhat) {
    CZerinDoc& doc = GetDocument();
    doc.SetModifiedFlag();
    doc.SetNetModified();
    CPNElement* pElement = doc.Selection().First();
    if (!pElement)
        return;
    CMeasureDC dc;
    auto remeasure = [this, &dc](CPNLabel* pLabel) {
        const CRect rectOld = pLabel->GetBoundRect();
        pLabel->RecalcTextRect(dc);
        InvalidateLogical(rectOld | pLabel->GetBoundRect());
    };
    switch (nWhat) {
    case 0:
        InvalidateLogical(pElement->GetBoundRect());
        break;
    case 1: {
        const CRect rectOld = pElement->GetBoundRect();
        if (auto* pLabel = dynamic_cast<CPNLabel*>(pElement))
            pLabel->RecalcTextRect(dc);
        InvalidateLogical(rectOld | pElement->GetBoundRect());
        break;
    }
    case 2:
        if (auto* pEvent = dynamic_cast<CPNEvent*>(pElement); pEvent && pEvent->m_pLabel)
            remeasure(pEvent->m_pLabel);
        break;
    case 3:
        if (auto* pCondition = dynamic_cast<CPNCondition*>(pElement);
            pCondition && pCondition->m_pLabel)
            remeasure(pCondition->m_pLabel);
        break;
    default:
        break;
    }
}

// --- The context menu and the point commands. ---

void CZerinNetDesignView::contextMenuEvent(QContextMenuEvent* pEvent) {
    // The gesture under way owns m_ptLast.
    if (m_bCaptured)
        return;
    const CPoint pt = DeviceToLogical(pEvent->pos());
    const CSize extent = GetExtent();
    if (pt.x < 0 || pt.y < 0 || pt.x > extent.cx || pt.y > extent.cy)
        return;
    CZerinDoc& doc = GetDocument();
    m_ptLast = pt;
    m_pContextElement = doc.NetDesign().ElementFromPoint(pt, false, false);
    SelectForContextMenu();
    int nIndex = 0;
    if (m_bSimulation && m_pContextElement && CanFire(*m_pContextElement))
        nIndex = 1;
    if (m_pContextElement && doc.Selection().IsSelected(m_pContextElement)) {
        if (m_bSimulation)
            nIndex = 1;
        if (dynamic_cast<CPNEdge*>(m_pContextElement))
            nIndex = 3;
        if (dynamic_cast<CPNPolygon*>(m_pContextElement))
            nIndex = 4;
    }
    if (m_bSimulation && nIndex == 0)
        return;
    ShowPopupMenu(nIndex, pEvent->globalPos());
}

bool CZerinNetDesignView::HasPropertiesPage(const CPNElement& element) const {
    return dynamic_cast<const CPNCondition*>(&element) || dynamic_cast<const CPNEvent*>(&element) ||
           dynamic_cast<const CPNLabel*>(&element) || dynamic_cast<const CPNPolygon*>(&element);
}

bool CZerinNetDesignView::CanFire(const CPNElement& element) const {
    const auto* pEvent = dynamic_cast<const CPNEvent*>(&element);
    return m_bSimulation && pEvent && pEvent->m_bEnabled && !m_autoRun.IsRunning() &&
           !m_bInAnimationLoop;
}

void CZerinNetDesignView::Fire(CPNElement& element) {
    if (!CanFire(element))
        return;
    // The event alone, as a step of its own.
    InvalidateLogical(GetDocument().Selection().Select(&element, false) | element.GetBoundRect());
    ExecuteStep();
}

void CZerinNetDesignView::keyPressEvent(QKeyEvent* pEvent) {
    // Esc stops an automatic run as the stop button does.
    if (pEvent->key() == Qt::Key_Escape && (m_autoRun.IsRunning() || m_bInAnimationLoop)) {
        OnCommand(Cmd::ID_SIM_STOP);
        return;
    }
    CDiagramView::keyPressEvent(pEvent);
}

void CZerinNetDesignView::keyReleaseEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Delete && !pEvent->isAutoRepeat()) {
        GetDocument().BeginEdit("Delete");
        OnCommand(Cmd::ID_EDIT_DELETE);
        GetDocument().EndEdit();
    }
    CDiagramView::keyReleaseEvent(pEvent);
}

CRect CZerinNetDesignView::GetDrawingBounds() const {
    CRect bounds;
    for (const CPNElement* e : GetDocument().NetDesign().m_listElements)
        bounds |= e->GetBoundRect();
    return bounds;
}
