#include "views/CDiagramView.h"
#include "views/CEdgeTool.h"
#include "views/CFreeElementTool.h"
#include "views/CNodeTool.h"
#include "views/CSelectTool.h"
#include "views/CTokenTool.h"

#include "base/CBrush.h"
#include "document/CZerinDoc.h"
#include "model/CPNEdge.h"
#include "model/CPNPolygon.h"
#include "platform/CPictureExport.h"
#include "platform/CQtDC.h"
#include "platform/QtFonts.h"
#include "views/CDlgProperties.h"
#include "views/CViewHost.h"

#include "views/SaveFileDialog.h"

#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <utility>

#include <algorithm>
#include <string>

// --- The gesture skeleton. ---

bool CDiagramView::BeginPress(const QMouseEvent& event, CPoint& pt, bool& bAdd) {
    pt = DeviceToLogical(event.position().toPoint());
    const CSize extent = GetExtent();
    if (pt.x > extent.cx || pt.y > extent.cy || m_bCaptured)
        return false;
    m_ptLast = pt;
    m_bMarkerShown = false;
    bAdd = (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    m_bAddPress = bAdd;
    return true;
}

void CDiagramView::BeginDrag(CPoint pt) {
    m_bCaptured = true;
    // The gesture is one edit, named by what it does on the way.
    if (!m_bEditOpen) {
        m_bEditOpen = true;
        m_rDoc.BeginEdit("Edit");
    }
    m_bSkipMove = true;
    UpdateCursor(pt);
}

bool CDiagramView::MoveFree(CPoint pt) {
    if (m_bCaptured && !m_bSkipMove)
        return false;
    m_rHost.SetStatusPosition(pt.x, pt.y);
    m_bSkipMove = false;
    if (!m_bCaptured)
        UpdateCursor(pt);
    return true;
}

void CDiagramView::keyPressEvent(QKeyEvent* pEvent) {
    // The arrow keys nudge the selection by a grid step, with Shift by one unit.
    const int key = pEvent->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (key == Qt::Key_Escape && m_bCaptured) {
        CancelGesture();
        pEvent->accept();
        return;
    }
    if (!arrow || m_bSimulation || m_bCaptured || m_rDoc.Selection().empty()) {
        QAbstractScrollArea::keyPressEvent(pEvent);
        return;
    }
    const int step =
        (pEvent->modifiers() & Qt::ShiftModifier) || m_rDoc.Record().gridSize <= 0 ? 1 : m_rDoc.Record().gridSize;
    const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
    const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
    m_rDoc.BeginEdit("Move");
    InvalidateLogical(m_rDoc.MoveSelection(GetDiagramId(), dx, dy));
    m_rDoc.SetModifiedFlag();
    m_rDoc.EndEdit();
    pEvent->accept();
}

void CDiagramView::EndDrag(CPoint pt) {
    m_pGestureTool = nullptr;
    m_bCaptured = false;
    // Whatever was inverted for the gesture goes with it, even when the ruler was
    // switched off on the way.
    ClearXorFigures();
    UpdateCursor(pt);
    EndGestureEdit();
}

void CDiagramView::EndGestureEdit() {
    if (std::exchange(m_bEditOpen, false))
        m_rDoc.EndEdit();
}

void CDiagramView::DropGesture() {
    m_pGestureTool = nullptr;
    m_bCaptured = false;
    EndGestureEdit();
}

void CDiagramView::CancelGesture() {
    m_pGestureTool = nullptr;
    m_bCaptured = false;
    ClearXorFigures();
    if (std::exchange(m_bEditOpen, false))
        m_rDoc.CancelEdit();
    InvalidateAll();
}

// --- The popup menu and the point commands. ---

namespace {

struct PopupItem {
    const char* text;
    int id;
};

// The submenus of the views' popup menu, by index.
std::vector<PopupItem> PopupItems(int index) {
    switch (index) {
    case 0:
        return {{"View Grid", Cmd::ID_VIEW_GRID}};
    case 1:
        return {{"Execute Step", Cmd::ID_EXECUTE_STEP}};
    case 3:
        return {{"Delete Point", Cmd::ID_EDGE_DELETE_POINT},
                {"Delete All Points", Cmd::ID_EDGE_DELETE_ALL_POINTS}};
    case 4:
        return {{"Delete Point", Cmd::ID_POLYGON_DELETE_POINT}};
    case 6:
        return {{"Set Actual Case", Cmd::ID_SET_ACTUAL_CASE}};
    default:
        return {};
    }
}

const char* PopupTitle(int index) {
    static const char* const titles[] = {"Design",  "Simulation",    "Analysis", "Edge",
                                         "Polygon", "Output window", "Case"};
    return titles[index];
}

} // namespace

void CDiagramView::AddElementItems(QMenu& menu) {
    CPNElement* pElement = m_pContextElement;
    if (!pElement)
        return;
    auto addCommand = [this, &menu](const char* szText, int nId) {
        AddCommandItem(menu, szText, nId);
    };
    if (m_bSimulation) {
        if (CanFire(*pElement))
            connect(menu.addAction(QStringLiteral("Fire")), &QAction::triggered, this,
                    [this, pElement] { Fire(*pElement); });
        return;
    }
    if (HasPropertiesPage(*pElement))
        connect(menu.addAction(QStringLiteral("Properties")), &QAction::triggered, this,
                [this, pElement] { pElement->ShowProperties(GetPageHost()); });
    addCommand("Delete", Cmd::ID_EDIT_DELETE);
    addCommand("Bring to Front", Cmd::ID_PLACE_FRONT);
    addCommand("Send to Back", Cmd::ID_PLACE_BACK);
}

void CDiagramView::SelectForContextMenu() {
    CPNElement* pElement = m_pContextElement;
    if (m_bSimulation || !pElement || m_rDoc.Selection().IsSelected(pElement))
        return;
    InvalidateLogical(m_rDoc.Selection().Select(pElement, false) | pElement->GetBoundRect());
}

void CDiagramView::ShowPopupMenu(int nIndex, const QPoint& ptScreen) {
    QMenu menu(QString::fromLatin1(PopupTitle(nIndex)), this);
    // What can be done to the element under the mouse, then the view's own commands.
    AddElementItems(menu);
    if (!menu.isEmpty() && !PopupItems(nIndex).empty())
        menu.addSeparator();
    for (const PopupItem& item : PopupItems(nIndex))
        AddCommandItem(menu, item.text, item.id, item.id == Cmd::ID_VIEW_GRID);
    TrackPopupMenu(menu, ptScreen);
}

void CDiagramView::AddCommandItem(QMenu& menu, const char* szText, int nId, bool bCheckable) {
    QAction* pAction = menu.addAction(QString::fromLatin1(szText));
    CCommandState state;
    OnUpdateCommand(nId, state);
    pAction->setEnabled(state.enabled);
    if (bCheckable) {
        pAction->setCheckable(true);
        pAction->setChecked(state.checked);
    }
    connect(pAction, &QAction::triggered, this, [this, nId, szText] {
        // What the command changes is an edit named after it.
        m_rDoc.BeginEdit(szText);
        OnCommand(nId);
        m_rDoc.EndEdit();
    });
}

bool CDiagramView::CanDeleteEdgePoint() const {
    // Testing grabs the handle under m_ptLast: never while a gesture drags one.
    if (m_bCaptured)
        return false;
    auto* pEdge = dynamic_cast<CPNEdge*>(m_pContextElement);
    return pEdge && pEdge->HitTestPoint(m_ptLast) && pEdge->IsBendSelected();
}

bool CDiagramView::CanDeleteAllEdgePoints() const {
    auto* pEdge = dynamic_cast<CPNEdge*>(m_pContextElement);
    return pEdge && pEdge->m_bBent;
}

bool CDiagramView::CanDeletePolygonPoint() const {
    // Testing grabs the handle under m_ptLast: never while a gesture drags one.
    if (m_bCaptured)
        return false;
    auto* pPolygon = dynamic_cast<CPNPolygon*>(m_pContextElement);
    return pPolygon && pPolygon->HitTestPoint(m_ptLast) && pPolygon->IsBendSelected();
}

void CDiagramView::OnDeleteEdgePoint() {
    if (!CanDeleteEdgePoint())
        return;
    InvalidateLogical(
        m_rDoc.DeleteRoutePoint(GetDiagramId(), static_cast<CPNEdge*>(m_pContextElement)));
}

void CDiagramView::OnDeleteAllEdgePoints() {
    if (!CanDeleteAllEdgePoints())
        return;
    InvalidateLogical(
        m_rDoc.StraightenRoute(GetDiagramId(), static_cast<CPNEdge*>(m_pContextElement)));
}

void CDiagramView::OnDeletePolygonPoint() {
    if (!CanDeletePolygonPoint())
        return;
    InvalidateLogical(
        m_rDoc.DeleteOutlinePoint(GetDiagramId(), static_cast<CPNPolygon*>(m_pContextElement)));
}

// --- The tools. ---

CTool* CDiagramView::ToolFor(unsigned nId) {
    auto it = m_tools.find(nId);
    if (it != m_tools.end())
        return it->second.get();
    std::unique_ptr<CTool> tool;
    switch (nId) {
    case Cmd::ID_TOOL_SELECT:
        tool = std::make_unique<CSelectTool>();
        break;
    case Cmd::ID_TOOL_CONDITION:
    case Cmd::ID_TOOL_EVENT:
        tool = std::make_unique<CNodeTool>(nId == Cmd::ID_TOOL_EVENT);
        break;
    case Cmd::ID_TOOL_LABEL:
    case Cmd::ID_TOOL_POLYGON:
        tool = std::make_unique<CFreeElementTool>(nId == Cmd::ID_TOOL_POLYGON);
        break;
    case Cmd::ID_TOOL_TOKEN:
        tool = std::make_unique<CTokenTool>();
        break;
    case Cmd::ID_TOOL_EDGE:
        tool = std::make_unique<CEdgeTool>();
        break;
    default:
        return nullptr;
    }
    return m_tools.emplace(nId, std::move(tool)).first->second.get();
}

bool CDiagramView::PressTool(unsigned nId, CPoint pt) {
    CTool* pTool = ToolFor(nId);
    if (!pTool)
        return false;
    if (pTool->Press(*this, pt)) {
        m_pGestureTool = pTool;
        m_bCaptured = true;
    }
    return true;
}

bool CDiagramView::MoveTool(CPoint pt) {
    if (!m_pGestureTool)
        return false;
    m_pGestureTool->Move(*this, pt);
    return true;
}

bool CDiagramView::ReleaseTool(CPoint pt) {
    if (!m_pGestureTool)
        return false;
    std::exchange(m_pGestureTool, nullptr)->Release(*this, pt);
    return true;
}

void CDiagramView::ShowToolPage(CPNElement* element) {
    if (element)
        element->ShowProperties(GetPageHost());
    else
        HidePropertiesPage();
}

void CDiagramView::RefreshToolPage() {
    m_rHost.RefreshPropertiesPage();
}

void CDiagramView::ShowToolPosition(CPoint pt) {
    m_rHost.SetStatusPosition(pt.x, pt.y);
}

void CDiagramView::ShowToolMarkers(CPoint pt, bool bEraseOnly) {
    if (m_rDoc.Record().ruler)
        DrawRulerMarkers(pt, bEraseOnly);
}

CPNElement* CDiagramView::GetDraggedElement() const {
    return m_pGestureTool ? m_pGestureTool->GestureElement() : nullptr;
}
