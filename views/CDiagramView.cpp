#include "views/CDiagramView.h"

#include "base/CBrush.h"
#include "document/CZerinDoc.h"
#include "model/CPNEdge.h"
#include "model/CPNPolygon.h"
#include "platform/CQtDC.h"
#include "platform/QtFonts.h"
#include "views/CDlgProperties.h"
#include "views/CViewHost.h"

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

CDiagramView::CDiagramView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : QAbstractScrollArea(pParent), m_rDoc(doc), m_rHost(host), m_pageHost(host) {
    m_lfRuler.lfHeight = -10;
    m_lfRuler.lfCharSet = DEFAULT_CHARSET;
    m_lfRuler.SetFaceName("Arial");
    m_fontRuler.CreateFontIndirect(m_lfRuler);
    // The off-screen buffer paints every pixel of the clip box.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CDiagramView::~CDiagramView() = default;

void CDiagramView::CPageHost::ShowPropertiesPage(int kind, CPNElement* element) {
    m_rHost.ShowPropertiesPage(kind, element);
}

void CDiagramView::HidePropertiesPage() {
    m_rHost.ShowPropertiesPage(PAGE_HIDE, nullptr);
}

void CDiagramView::ResetMembers() {
    m_nTool = Cmd::ID_TOOL_SELECT;
    m_bCaptured = false;
    m_pContextElement = nullptr;
    m_listXor.clear();
    m_bMarkerShown = false;
    m_pGestureTool = nullptr;
    EndGestureEdit();
}

void CDiagramView::OnInitialUpdate() {
    // A new or opened document starts in design mode, whatever the last one was in.
    m_bSimulation = m_rDoc.Simulation().IsActive();
    ResetMembers();
    UpdateScrollSize();
    InvalidateAll();
}

void CDiagramView::OnUpdate() {
    m_bSimulation = m_rDoc.Simulation().IsActive();
    UpdateScrollSize();
    InvalidateAll();
}

// --- Page and coordinates. ---

namespace {

// floor(a * num / den) and ceil(a * num / den) for den > 0.
int ScaleDown(long long a, long long num, long long den) {
    const long long p = a * num;
    return static_cast<int>(p >= 0 ? p / den : -((-p + den - 1) / den));
}
int ScaleUp(long long a, long long num, long long den) {
    return -ScaleDown(-a, num, den);
}

} // namespace

void CDiagramView::UpdateScrollSize() {
    const CSize extent = GetExtent();
    const QSize sizeView = viewport()->size();
    const int width = ScaleUp(extent.cx, m_nZoom, 100);
    const int height = ScaleUp(extent.cy, m_nZoom, 100);
    horizontalScrollBar()->setRange(0, std::max(0, width - sizeView.width()));
    horizontalScrollBar()->setPageStep(std::max(1, sizeView.width()));
    horizontalScrollBar()->setSingleStep(std::max(1, sizeView.width() / 100 * 10));
    verticalScrollBar()->setRange(0, std::max(0, height - sizeView.height()));
    verticalScrollBar()->setPageStep(std::max(1, sizeView.height()));
    verticalScrollBar()->setSingleStep(std::max(1, sizeView.height() / 100 * 10));
}

CPoint CDiagramView::GetScrollPosition() const {
    return DeviceToLogical(QPoint(0, 0));
}

CRect CDiagramView::GetVisibleRect() const {
    const QSize port = viewport()->size();
    return CRect(DeviceToLogical(QPoint(0, 0)),
                 DeviceToLogical(QPoint(port.width(), port.height())));
}

void CDiagramView::CenterOn(CPoint pt) {
    const QSize port = viewport()->size();
    horizontalScrollBar()->setValue(
        static_cast<int>(static_cast<long long>(pt.x) * m_nZoom / 100 - port.width() / 2));
    verticalScrollBar()->setValue(
        static_cast<int>(static_cast<long long>(pt.y) * m_nZoom / 100 - port.height() / 2));
}

CPoint CDiagramView::DeviceToLogical(const QPoint& ptDevice) const {
    const long long x = static_cast<long long>(ptDevice.x()) + horizontalScrollBar()->value();
    const long long y = static_cast<long long>(ptDevice.y()) + verticalScrollBar()->value();
    return CPoint(ScaleDown(x, 100, m_nZoom), ScaleDown(y, 100, m_nZoom));
}

QPoint CDiagramView::LogicalToDevice(CPoint ptLogical) const {
    return QPoint(ScaleDown(ptLogical.x, m_nZoom, 100) - horizontalScrollBar()->value(),
                  ScaleDown(ptLogical.y, m_nZoom, 100) - verticalScrollBar()->value());
}

QRect CDiagramView::LogicalToDevice(const CRect& rectLogical) const {
    CRect r = rectLogical;
    r.NormalizeRect();
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    const int left = ScaleDown(r.left, m_nZoom, 100) - sx;
    const int top = ScaleDown(r.top, m_nZoom, 100) - sy;
    const int right = ScaleUp(r.right, m_nZoom, 100) - sx;
    const int bottom = ScaleUp(r.bottom, m_nZoom, 100) - sy;
    return QRect(left, top, right - left, bottom - top);
}

void CDiagramView::SetZoom(int nPercent, std::optional<QPoint> anchor) {
    nPercent = std::clamp(nPercent, kMinZoom, kMaxZoom);
    if (nPercent == m_nZoom)
        return;
    const QPoint at = anchor.value_or(viewport()->rect().center());
    // The logical point under the anchor, in hundredths so that it stays put exactly.
    const long long x100 =
        (static_cast<long long>(at.x()) + horizontalScrollBar()->value()) * 10000 / m_nZoom;
    const long long y100 =
        (static_cast<long long>(at.y()) + verticalScrollBar()->value()) * 10000 / m_nZoom;
    m_nZoom = nPercent;
    UpdateScrollSize();
    horizontalScrollBar()->setValue(static_cast<int>(x100 * m_nZoom / 10000 - at.x()));
    verticalScrollBar()->setValue(static_cast<int>(y100 * m_nZoom / 10000 - at.y()));
    m_rHost.SetStatusZoom(m_nZoom);
    InvalidateAll();
}

void CDiagramView::ZoomIn(std::optional<QPoint> anchor) {
    for (int stop : kZoomStops)
        if (stop > m_nZoom) {
            SetZoom(stop, anchor);
            return;
        }
}

void CDiagramView::ZoomOut(std::optional<QPoint> anchor) {
    for (auto it = std::rbegin(kZoomStops); it != std::rend(kZoomStops); ++it)
        if (*it < m_nZoom) {
            SetZoom(*it, anchor);
            return;
        }
}

void CDiagramView::ZoomToFit() {
    const CSize extent = GetExtent();
    const QSize size = viewport()->size();
    if (extent.cx <= 0 || extent.cy <= 0 || size.isEmpty())
        return;
    const int zoom =
        std::min(ScaleDown(size.width(), 100, extent.cx), ScaleDown(size.height(), 100, extent.cy));
    SetZoom(zoom, QPoint(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CDiagramView::ZoomToDrawing() {
    CRect bounds = GetDrawingBounds();
    const QSize size = viewport()->size();
    if (bounds.IsRectEmpty()) {
        ZoomToFit();
        return;
    }
    if (size.isEmpty())
        return;
    constexpr int kMargin = 20;
    bounds.InflateRect(kMargin, kMargin);
    bounds.left = std::max(0, bounds.left);
    bounds.top = std::max(0, bounds.top);
    const int zoom = std::min(ScaleDown(size.width(), 100, std::max(1, bounds.Width())),
                              ScaleDown(size.height(), 100, std::max(1, bounds.Height())));
    SetZoom(zoom, QPoint(0, 0));
    horizontalScrollBar()->setValue(ScaleDown(bounds.left, m_nZoom, 100));
    verticalScrollBar()->setValue(ScaleDown(bounds.top, m_nZoom, 100));
}

void CDiagramView::ResetZoomAndScroll() {
    SetZoom(100, QPoint(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CDiagramView::wheelEvent(QWheelEvent* pEvent) {
    if (!(pEvent->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(pEvent);
        return;
    }
    const int delta = pEvent->angleDelta().y();
    if (delta > 0)
        ZoomIn(pEvent->position().toPoint());
    else if (delta < 0)
        ZoomOut(pEvent->position().toPoint());
    pEvent->accept();
}

CPoint CDiagramView::ClampToPage(CPoint pt) const {
    const CSize extent = GetExtent();
    return CPoint(std::clamp(pt.x, 0, std::max(0, extent.cx)),
                  std::clamp(pt.y, 0, std::max(0, extent.cy)));
}

void CDiagramView::resizeEvent(QResizeEvent* pEvent) {
    QAbstractScrollArea::resizeEvent(pEvent);
    UpdateScrollSize();
}

void CDiagramView::scrollContentsBy(int dx, int dy) {
    // The rulers are pinned to the window's edges: with them the whole window is drawn
    // again, without them the picture moves and only the uncovered part is drawn.
    if (!m_bSimulation && m_rDoc.Record().ruler)
        InvalidateAll();
    else
        viewport()->scroll(dx, dy);
}

// --- Commands. ---

bool CDiagramView::OnCommand(int nId) {
    switch (nId) {
    case Cmd::ID_EDGE_DELETE_POINT:
        OnDeleteEdgePoint();
        return true;
    case Cmd::ID_EDGE_DELETE_ALL_POINTS:
        OnDeleteAllEdgePoints();
        return true;
    case Cmd::ID_POLYGON_DELETE_POINT:
        OnDeletePolygonPoint();
        return true;
    case Cmd::ID_VIEW_GRID:
        if (m_bSimulation)
            return true;
        m_rDoc.ToggleGrid();
        InvalidateAll();
        return true;
    case Cmd::ID_VIEW_RULER:
        if (m_bSimulation)
            return true;
        m_rDoc.ToggleRuler();
        InvalidateAll();
        return true;
    case Cmd::ID_FILE_PRINT:
        Print();
        return true;
    case Cmd::ID_FILE_PRINT_PREVIEW:
        PrintPreview();
        return true;
    case Cmd::ID_FILE_PRINT_SETUP:
        PrintSetup();
        return true;
    case Cmd::ID_VIEW_ZOOM_IN:
        ZoomIn();
        return true;
    case Cmd::ID_VIEW_ZOOM_OUT:
        ZoomOut();
        return true;
    case Cmd::ID_VIEW_ZOOM_ACTUAL:
        SetZoom(100);
        return true;
    case Cmd::ID_VIEW_ZOOM_FIT:
        ZoomToFit();
        return true;
    case Cmd::ID_VIEW_ZOOM_DRAWING:
        ZoomToDrawing();
        return true;
    default:
        return false;
    }
}

bool CDiagramView::OnUpdateCommand(int nId, CCommandState& state) {
    state.checked = false;
    switch (nId) {
    case Cmd::ID_EDGE_DELETE_POINT:
        state.enabled = CanDeleteEdgePoint();
        return true;
    case Cmd::ID_EDGE_DELETE_ALL_POINTS:
        state.enabled = CanDeleteAllEdgePoints();
        return true;
    case Cmd::ID_POLYGON_DELETE_POINT:
        state.enabled = CanDeletePolygonPoint();
        return true;
    case Cmd::ID_VIEW_GRID:
        state.enabled = !m_bSimulation;
        state.checked = !m_bSimulation && m_rDoc.Record().grid;
        return true;
    case Cmd::ID_VIEW_RULER:
        state.enabled = !m_bSimulation;
        state.checked = !m_bSimulation && m_rDoc.Record().ruler;
        return true;
    case Cmd::ID_VIEW_ZOOM_IN:
        state.enabled = m_nZoom < kMaxZoom;
        return true;
    case Cmd::ID_VIEW_ZOOM_OUT:
        state.enabled = m_nZoom > kMinZoom;
        return true;
    case Cmd::ID_VIEW_ZOOM_ACTUAL:
    case Cmd::ID_VIEW_ZOOM_FIT:
    case Cmd::ID_VIEW_ZOOM_DRAWING:
        state.enabled = true;
        return true;
    case Cmd::ID_FILE_PRINT:
    case Cmd::ID_FILE_PRINT_PREVIEW:
    case Cmd::ID_FILE_PRINT_SETUP:
#ifdef ZERIN_HAVE_PRINT_SUPPORT
        state.enabled = true;
#else
        state.enabled = false;
#endif
        state.checked = false;
        return true;
    default:
        return false;
    }
}

bool CDiagramView::AskExtent(int& cx, int& cy) {
    CDlgProperties dlg(this);
    dlg.m_nWidth = cx;
    dlg.m_nHeight = cy;
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cx = dlg.m_nWidth;
    cy = dlg.m_nHeight;
    return true;
}

void CDiagramView::OnViewProperties() {
    if (m_bSimulation)
        return;
    const CSize extent = GetExtent();
    int cx = extent.cx;
    int cy = extent.cy;
    if (!AskExtent(cx, cy))
        return;
    m_rDoc.BeginEdit("Properties");
    ResizeDiagram(cx, cy);
    m_rDoc.SetModifiedFlag();
    m_rDoc.EndEdit();
    UpdateScrollSize();
    InvalidateAll();
}

void CDiagramView::ShowError(const QString& strMessage) {
    QMessageBox::warning(this, QStringLiteral("Zerin"), strMessage);
}

void CDiagramView::TrackPopupMenu(QMenu& menu, const QPoint& ptScreen) {
    menu.exec(ptScreen);
}
