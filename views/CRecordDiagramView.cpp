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
    if (CPNElement* pDragged = GetDraggedElement(); pDragged && !ContainsElement(pDragged))
        DropGesture();
}

void CRecordDiagramView::UpdateCursor(CPoint /*ptLogical*/) {
    // Outside gestures the default arrow.
    const CTool::ECursor gesture =
        m_bCaptured && m_pGestureTool ? m_pGestureTool->GestureCursor() : CTool::ECursor::Tool;
    const Qt::CursorShape shape = gesture == CTool::ECursor::Move    ? Qt::SizeAllCursor
                                  : gesture == CTool::ECursor::Cross ? Qt::CrossCursor
                                                                     : Qt::ArrowCursor;
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
        state.enabled = !m_bSimulation && GetDocument().Selection().IsSelected(nullptr);
        return true;
    default:
        return CDiagramView::OnUpdateCommand(nId, state);
    }
}

bool CRecordDiagramView::CanDelete() const {
    if (m_bSimulation || m_bCaptured)
        return false;
    const auto& selection = GetDocument().Selection();
    return std::any_of(selection.begin(), selection.end(),
                       [this](const CPNElement* e) { return IsFreeElement(e); });
}

void CRecordDiagramView::OnDelete() {
    if (!CanDelete())
        return;
    InvalidateLogical(GetDocument().DeleteSelection(GetDiagramId()));
    m_pContextElement = nullptr;
    HidePropertiesPage();
}

void CRecordDiagramView::OnPlace(bool bFront) {
    if (m_bSimulation || !GetDocument().Selection().IsSelected(nullptr))
        return;
    InvalidateLogical(GetDocument().PlaceSelection(GetDiagramId(), bFront));
}

void CRecordDiagramView::OnPropertyChanged(int nWhat) {
    CZerinDoc& doc = GetDocument();
    doc.SetModifiedFlag();
    CPNElement* pElement = doc.Selection().First();
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
    const unsigned nTool = GetDocument().Selection().HitTestPoints(pt) ? Cmd::ID_TOOL_SELECT : m_nTool;
    if (nTool == Cmd::ID_TOOL_SELECT ||
        (!m_bSimulation && (nTool == Cmd::ID_TOOL_POLYGON || nTool == Cmd::ID_TOOL_LABEL)))
        PressTool(nTool, pt);
}

CPNElement* CRecordDiagramView::HitToolElement(CPoint pt) {
    // In simulation a click selects nothing.
    return m_bSimulation ? nullptr : HitElement(pt);
}

void CRecordDiagramView::ShowToolPage(CPNElement* element) {
    // A step's or a case's name has no page of its own.
    if (auto* pLabel = dynamic_cast<CPNLabel*>(element); pLabel && pLabel->m_pOwner)
        element = nullptr;
    CDiagramView::ShowToolPage(element);
}

void CRecordDiagramView::mouseMoveEvent(QMouseEvent* pEvent) {
    const CPoint pt = ClampToPage(DeviceToLogical(pEvent->position().toPoint()));
    if (MoveFree(pt)) {
        if (m_bSimulation && !m_bCaptured)
            ShowTitleTip(pt);
        return;
    }
    MoveTool(pt);
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
    ReleaseTool(pt);
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
