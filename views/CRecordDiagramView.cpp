#include "views/CRecordDiagramView.h"

#include "document/CZerinDoc.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "platform/QtFonts.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

CRecordDiagramView::CRecordDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CDiagramView(doc, host, pParent) {
    m_tip.Create(viewport());
}

void CRecordDiagramView::OnUpdate() {
    CDiagramView::OnUpdate();
    // A new record, a load or a deletion may have taken the elements a gesture or the
    // context menu still points at.
    if (!ContainsElement(m_pContextElement))
        m_pContextElement = nullptr;
    if (m_pHitElement && !ContainsElement(m_pHitElement)) {
        m_pHitElement = nullptr;
        m_nDragMode = 0;
        m_bCaptured = false;
    }
}

void CRecordDiagramView::UpdateCursor(CPoint /*ptLogical*/) {
    // Outside gestures the default arrow; the band keeps it too.
    const bool bMoving = m_bCaptured && m_nDragMode != 0 && m_nDragMode != BandDragMode();
    const Qt::CursorShape shape = bMoving ? Qt::SizeAllCursor : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

// --- Commands. ---

bool CRecordDiagramView::OnCommand(int nId) {
    if (nId >= Cmd::ID_TOOL_SELECT && nId <= Cmd::ID_TOOL_TOKEN) {
        CCommandState state;
        if (OnUpdateCommand(nId, state) && state.enabled)
            m_nTool = static_cast<unsigned>(nId);
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
    default:
        return CDiagramView::OnCommand(nId);
    }
}

bool CRecordDiagramView::OnUpdateCommand(int nId, CCommandState& state) {
    state.checked = false;
    if (nId >= Cmd::ID_TOOL_SELECT && nId <= Cmd::ID_TOOL_TOKEN) {
        state.enabled =
            nId == Cmd::ID_TOOL_SELECT ||
            (!m_bSimulation && (nId == Cmd::ID_TOOL_POLYGON || nId == Cmd::ID_TOOL_LABEL));
        state.checked = m_nTool == static_cast<unsigned>(nId);
        return true;
    }
    switch (nId) {
    case Cmd::ID_EDIT_DELETE:
        state.enabled = CanDelete();
        return true;
    case Cmd::ID_PLACE_FRONT:
    case Cmd::ID_PLACE_BACK:
        state.enabled = !m_bSimulation && GetDocument().IsSelected(nullptr);
        return true;
    default:
        return CDiagramView::OnUpdateCommand(nId, state);
    }
}

bool CRecordDiagramView::CanDelete() const {
    if (m_bSimulation || m_bCaptured)
        return false;
    const auto& selection = GetDocument().m_listSelection;
    return std::any_of(selection.begin(), selection.end(),
                       [this](const CPNElement* e) { return IsFreeElement(e); });
}

void CRecordDiagramView::OnDelete() {
    if (!CanDelete())
        return;
    InvalidateLogical(GetDocument().DeleteSelection(GetDiagramId()));
    m_pContextElement = nullptr;
    m_pHitElement = nullptr;
    HidePropertiesPage();
}

void CRecordDiagramView::OnPlace(bool bFront) {
    if (m_bSimulation || !GetDocument().IsSelected(nullptr))
        return;
    InvalidateLogical(GetDocument().PlaceSelection(GetDiagramId(), bFront));
}

void CRecordDiagramView::OnPropertyChanged(int nWhat) {
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

void CRecordDiagramView::mousePressEvent(QMouseEvent* pEvent) {
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
        nTool = Cmd::ID_TOOL_SELECT;
    if (nTool == Cmd::ID_TOOL_SELECT) {
        PressSelect(pt, bAdd);
    } else if (!m_bSimulation && (nTool == Cmd::ID_TOOL_POLYGON || nTool == Cmd::ID_TOOL_LABEL)) {
        PressTool(nTool, pt);
    }
}

void CRecordDiagramView::PressSelect(CPoint pt, bool bAdd) {
    CZerinDoc& doc = GetDocument();
    m_nDragMode = 0;
    // In simulation a click selects nothing.
    CPNElement* pHit = m_bSimulation ? nullptr : HitElement(pt);
    m_pHitElement = pHit;
    if (!pHit) {
        if (!bAdd) {
            InvalidateLogical(doc.ClearSelection());
            if (!m_bSimulation)
                HidePropertiesPage();
        }
        m_ptBandStart = pt;
        m_bMoved = false;
        if (!m_bSimulation) {
            m_nDragMode = BandDragMode();
            BeginDrag(pt);
        }
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
            m_nDragMode = SelectionDragMode();
    } else {
        InvalidateLogical(doc.Select(pHit, bAdd));
        if (doc.HasMultipleSelection()) {
            m_nDragMode = SelectionDragMode();
            HidePropertiesPage();
        } else if (auto* pLabel = dynamic_cast<CPNLabel*>(pHit); pLabel && pLabel->m_pOwner) {
            HidePropertiesPage();
        } else {
            pHit->ShowProperties(GetPageHost());
        }
    }
    if (m_nDragMode == 0)
        m_nDragMode = DragModeFor(pHit, pt);
    if (m_nDragMode != 0)
        BeginDrag(pt);
}

void CRecordDiagramView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt)) {
        if (m_bSimulation && !m_bCaptured)
            ShowTitleTip(pt);
        return;
    }
    if (m_nDragMode == BandDragMode())
        DragBand(pt);
    else if (m_bSimulation)
        return;
    else if (m_nDragMode == SelectionDragMode())
        DragSelection(pt);
    else if (m_nDragMode != 0)
        DragElement(pt);
}

void CRecordDiagramView::ShowTitleTip(CPoint pt) {
    std::string text;
    CRect rect;
    if (!TipFor(HitElement(pt), pt, text, rect) || text.empty())
        return;
    const QPoint at = LogicalToDevice(pt);
    m_tip.Show(LogicalToDevice(rect), ToQString(text), at.x() + 15, at.y() + 5);
}

void CRecordDiagramView::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        CDiagramView::mouseReleaseEvent(pEvent);
        return;
    }
    pEvent->accept();
    if (!m_bCaptured)
        return;
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (m_nDragMode == BandDragMode()) {
        CRect rect;
        if (EndBand(pt, rect)) {
            InvalidateLogical(GetDocument().SelectInRect(GetDiagramId(), rect));
            if (!m_bSimulation)
                HidePropertiesPage();
        }
    } else if (!m_bSimulation && GetDocument().m_bRuler) {
        DrawRulerMarkers(pt, true);
    }
    EndDrag(pt);
}

void CRecordDiagramView::contextMenuEvent(QContextMenuEvent* pEvent) {
    if (m_bCaptured)
        return;
    const CPoint pt = DeviceToLogical(pEvent->pos());
    const CSize extent = GetExtent();
    if (pt.x < 0 || pt.y < 0 || pt.x > extent.cx || pt.y > extent.cy)
        return;
    m_ptLast = pt;
    m_pContextElement = HitElement(pt);
    SelectForContextMenu();
    const int nIndex = ContextMenuIndex(m_pContextElement);
    if (nIndex < 0 || (m_bSimulation && nIndex == 0))
        return;
    ShowPopupMenu(nIndex, pEvent->globalPos());
}

void CRecordDiagramView::keyReleaseEvent(QKeyEvent* pEvent) {
    if (pEvent->key() == Qt::Key_Delete && !pEvent->isAutoRepeat()) {
        GetDocument().BeginEdit("Delete");
        OnCommand(Cmd::ID_EDIT_DELETE);
        GetDocument().EndEdit();
    }
    CDiagramView::keyReleaseEvent(pEvent);
}
