#include "views/CDiagramView.h"

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
    m_ptDrag = CPoint(-1, -1);
    m_nDragMode = 0;
    m_pHitElement = nullptr;
    m_pContextElement = nullptr;
    m_listXor.clear();
    m_bMarkerShown = false;
    EndGestureEdit();
}

void CDiagramView::OnInitialUpdate() {
    // A new or opened document starts in design mode, whatever the last one was in.
    m_bSimulation = m_rDoc.m_bSimulation;
    ResetMembers();
    UpdateScrollSize();
    InvalidateAll();
}

void CDiagramView::OnUpdate() {
    m_bSimulation = m_rDoc.m_bSimulation;
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
    if (!m_bSimulation && m_rDoc.m_bRuler)
        InvalidateAll();
    else
        viewport()->scroll(dx, dy);
}

// --- Invalidation and the shared drawing operations. ---

void CDiagramView::InvalidateDevice(const QRect& rectDevice) {
    viewport()->update(rectDevice);
}

void CDiagramView::InvalidateLogical(const CRect& rect) {
    if (rect.IsRectEmpty())
        return;
    // Scaled pens and text may reach a pixel past the scaled rectangle.
    const int margin = m_nZoom == 100 ? 0 : 1 + m_nZoom / 100;
    const QRect device = LogicalToDevice(rect)
                             .adjusted(-margin, -margin, margin, margin)
                             .intersected(viewport()->rect());
    if (!device.isEmpty())
        InvalidateDevice(device);
}

void CDiagramView::InvalidateAll() {
    InvalidateDevice(viewport()->rect());
}

CPoint CDiagramView::SnapToGrid(int x, int y) const {
    if (!m_rDoc.m_bGrid || m_rDoc.m_nGridSize <= 0)
        return CPoint(x, y);
    const int g = m_rDoc.m_nGridSize;
    return CPoint(((x + g / 2) / g) * g, ((y + g / 2) / g) * g);
}

void CDiagramView::InvalidateFigure(const XorFigure& figure) {
    CRect r(std::min(figure.p1.x, figure.p2.x), std::min(figure.p1.y, figure.p2.y),
            std::max(figure.p1.x, figure.p2.x) + 1, std::max(figure.p1.y, figure.p2.y) + 1);
    if (!figure.bBand || r.Width() <= 4 || r.Height() <= 4) {
        InvalidateLogical(r);
        return;
    }
    // Only the four sides of a band change.
    InvalidateLogical(CRect(r.left, r.top, r.right, r.top + 1));
    InvalidateLogical(CRect(r.left, r.bottom - 2, r.right, r.bottom));
    InvalidateLogical(CRect(r.left, r.top, r.left + 1, r.bottom));
    InvalidateLogical(CRect(r.right - 2, r.top, r.right, r.bottom));
}

void CDiagramView::ToggleXorFigure(const XorFigure& figure) {
    // A figure of no extent inverts nothing.
    if (figure.p1 == figure.p2)
        return;
    const auto it = std::find(m_listXor.begin(), m_listXor.end(), figure);
    if (it != m_listXor.end())
        m_listXor.erase(it);
    else
        m_listXor.push_back(figure);
    InvalidateFigure(figure);
}

void CDiagramView::DrawXorLine(CPoint p1, CPoint p2) {
    ToggleXorFigure(XorFigure{false, p1, p2});
}

void CDiagramView::DrawRubberBand(CPoint p1, CPoint p2) {
    ToggleXorFigure(XorFigure{true, p1, p2});
}

void CDiagramView::ClearXorFigures() {
    std::vector<XorFigure> figures;
    figures.swap(m_listXor);
    for (const XorFigure& figure : figures)
        InvalidateFigure(figure);
    m_bMarkerShown = false;
}

void CDiagramView::DrawRulerMarkers(CPoint pt, bool bEraseOnly) {
    const CPoint scroll = GetScrollPosition();
    if (m_bMarkerShown) {
        DrawXorLine(CPoint(m_ptMarker.x, scroll.y), CPoint(m_ptMarker.x, scroll.y + kRulerStrip));
        DrawXorLine(CPoint(scroll.x, m_ptMarker.y), CPoint(scroll.x + kRulerStrip, m_ptMarker.y));
    }
    if (!bEraseOnly) {
        DrawXorLine(CPoint(pt.x, scroll.y), CPoint(pt.x, scroll.y + kRulerStrip));
        DrawXorLine(CPoint(scroll.x, pt.y), CPoint(scroll.x + kRulerStrip, pt.y));
    }
    m_ptMarker = pt;
    m_bMarkerShown = true;
}

// --- Paint. ---

void CDiagramView::DrawGrid(CDC& dc, const CRect& rectClip) const {
    const int g = m_rDoc.m_nGridSize;
    if (!m_rDoc.m_bGrid || g <= 0)
        return;
    const CSize extent = GetExtent();
    // Only the points inside the clip box; the first point of each row and column is
    // one step from the page's edge.
    const int xFirst = std::max(g, (rectClip.left / g) * g);
    const int yFirst = std::max(g, (rectClip.top / g) * g);
    const int xEnd = std::min(extent.cx, rectClip.right);
    const int yEnd = std::min(extent.cy, rectClip.bottom);
    for (int x = xFirst; x < xEnd; x += g)
        for (int y = yFirst; y < yEnd; y += g)
            dc.SetPixel(x, y, kGridColour);
}

void CDiagramView::DrawRulers(CDC& dc) const {
    const CSize extent = GetExtent();
    const int width = extent.cx;
    const int height = extent.cy;
    const CPoint scroll = GetScrollPosition();
    const int sx = scroll.x;
    const int sy = scroll.y;
    const int spacing = GetRulerSpacing();
    const int medium = 2 * spacing;
    const int labelStep = 4 * spacing;

    dc.FillSolidRect(CRect(0, sy, width, sy + kRulerStrip), kRulerColour);
    dc.MoveTo(kRulerStrip, sy + kRulerStrip);
    dc.LineTo(width, sy + kRulerStrip);
    dc.FillSolidRect(CRect(sx, 0, sx + kRulerStrip, height), kRulerColour);
    dc.MoveTo(sx + kRulerStrip, kRulerStrip);
    dc.LineTo(sx + kRulerStrip, height);

    for (int p = spacing; p < width; p += spacing) {
        if (p % labelStep == 0)
            continue;
        dc.MoveTo(p, sy + (p % medium == 0 ? 6 : 9));
        dc.LineTo(p, sy + kRulerStrip);
    }
    for (int p = spacing; p < height; p += spacing) {
        if (p % labelStep == 0)
            continue;
        dc.MoveTo(sx + (p % medium == 0 ? 6 : 9), p);
        dc.LineTo(sx + kRulerStrip, p);
    }

    const COLORREF oldBk = dc.SetBkColor(kRulerColour);
    const CFont* oldFont = dc.SelectObject(&m_fontRuler);
    for (int p = labelStep; p < width; p += labelStep) {
        const std::string text = std::to_string(p / labelStep);
        const CSize size = dc.GetTextExtent(text);
        dc.TextOut(p - size.cx / 2, sy, text);
    }
    for (int p = labelStep; p < height; p += labelStep) {
        const std::string text = std::to_string(p / labelStep);
        const CSize size = dc.GetTextExtent(text);
        dc.TextOut(sx + (kRulerStrip - size.cx) / 2, p - size.cy / 2, text);
    }
    dc.FillSolidRect(CRect(sx, sy, sx + kRulerStrip + 1, sy + kRulerStrip), kRulerColour);
    dc.TextOut(5, 0, "0");
    dc.SelectObject(oldFont);
    dc.SetBkColor(oldBk);
}

void CDiagramView::PaintArea(QPainter& painter, const QRect& rectDevice) {
    // The logical rectangle of every unit the device rectangle touches.
    const CPoint topLeft = DeviceToLogical(rectDevice.topLeft());
    const CPoint bottomRight = DeviceToLogical(rectDevice.bottomRight());
    const CRect clip(topLeft.x, topLeft.y, bottomRight.x + 1, bottomRight.y + 1);
    painter.fillRect(rectDevice, Qt::white);
    painter.save();
    painter.setClipRect(rectDevice);
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (m_nZoom != 100)
        painter.scale(m_nZoom / 100.0, m_nZoom / 100.0);
    {
        CQtDC dc(painter);
        const CSize extent = GetExtent();
        const CBrush* oldBrush = dc.SelectStockBrush(HOLLOW_BRUSH);
        dc.Rectangle(0, 0, extent.cx, extent.cy);
        dc.SelectObject(oldBrush);
        DrawGrid(dc, clip);
        DrawModelIn(dc, clip);
        if (!m_bSimulation && m_rDoc.m_bRuler)
            DrawRulers(dc);
        if (!m_listXor.empty()) {
            const int oldRop = dc.SetROP2(R2_NOT);
            const CBrush* oldFigureBrush = dc.SelectStockBrush(HOLLOW_BRUSH);
            for (const XorFigure& figure : m_listXor) {
                if (figure.bBand) {
                    dc.Rectangle(figure.p1.x, figure.p1.y, figure.p2.x, figure.p2.y);
                } else {
                    dc.MoveTo(figure.p1);
                    dc.LineTo(figure.p2);
                }
            }
            dc.SelectObject(oldFigureBrush);
            dc.SetROP2(oldRop);
        }
    }
    painter.restore();
}

void CDiagramView::paintEvent(QPaintEvent* pEvent) {
    const QRect clip = pEvent->rect();
    if (clip.isEmpty())
        return;
    QPainter painter(viewport());
    // The clip box is drawn off screen and copied in one go, so that partial repaints
    // never flicker; without a buffer it is drawn straight onto the window. The buffer
    // has the screen's pixels, so that a scaled screen shows the diagram sharp.
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage buffer(clip.size() * ratio, QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    if (buffer.isNull()) {
        PaintArea(painter, clip);
        return;
    }
    {
        QPainter bufferPainter(&buffer);
        bufferPainter.translate(-clip.left(), -clip.top());
        PaintArea(bufferPainter, clip);
    }
    painter.drawImage(clip.topLeft(), buffer);
}

// --- Commands. ---

QString CDiagramView::ExportExtensionOf(int nId) const {
    const ExportIds exports = GetExportIds();
    if (nId == 0)
        return {};
    return nId == exports.emf    ? QStringLiteral("emf")
           : nId == exports.svg  ? QStringLiteral("svg")
           : nId == exports.pdf  ? QStringLiteral("pdf")
           : nId == exports.png  ? QStringLiteral("png")
           : nId == exports.tikz ? QStringLiteral("tex")
                                 : QString();
}

bool CDiagramView::OnCommand(int nId) {
    if (const QString strExtension = ExportExtensionOf(nId); !strExtension.isEmpty()) {
        if (CanExport())
            ExportWithDialog(strExtension);
        return true;
    }
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
    if (!ExportExtensionOf(nId).isEmpty()) {
        state.enabled = CanExport();
        return true;
    }
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
        state.checked = !m_bSimulation && m_rDoc.m_bGrid;
        return true;
    case Cmd::ID_VIEW_RULER:
        state.enabled = !m_bSimulation;
        state.checked = !m_bSimulation && m_rDoc.m_bRuler;
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

// --- Exports. ---

CFileResult CDiagramView::ExportPicture(const QString& strPath) const {
    return CPictureExport::Export(
        strPath.toStdString(), GetExtent(), [this](CDC& dc) { DrawModel(dc); }, GetDiagramKind());
}

QString CDiagramView::AskExportPath(const QString& strFilter, const QString& strName,
                                    const QString& strSuffix) {
    return AskSaveFileName(
        this,
        QStringLiteral("Export To %1")
            .arg(strSuffix == QStringLiteral("tex") ? QStringLiteral("TikZ") : strSuffix.toUpper()),
        ExportProposal(ToQString(m_rDoc.GetPathName()), strName, strSuffix), strFilter, strSuffix);
}

void CDiagramView::ShowError(const QString& strMessage) {
    QMessageBox::warning(this, QStringLiteral("Zerin"), strMessage);
}

void CDiagramView::ExportWithDialog(const QString& strExtension) {
    const QString strExt = strExtension.toLower();
    const QString strFilter =
        QStringLiteral("%1 (*.%2);;All files (*.*)").arg(GetExportFilterName(), strExt);
    QString strPath = AskExportPath(strFilter, ToQString(m_rDoc.GetTitle()), strExt);
    if (strPath.isEmpty())
        return;
    // The picture's format follows the file name: a name typed without an extension
    // gets the one of the chosen export.
    if (QFileInfo(strPath).suffix().isEmpty())
        strPath += QLatin1Char('.') + strExt;
    const CFileResult result = ExportPicture(strPath);
    if (!result)
        ShowError(ToQString(result.error));
}

void CDiagramView::TrackPopupMenu(QMenu& menu, const QPoint& ptScreen) {
    menu.exec(ptScreen);
}

// --- The gesture skeleton. ---

namespace {
// A band whose squared diagonal stays at or below this is a click, not a band.
constexpr long long kBandThreshold = 200;
} // namespace

bool CDiagramView::BeginPress(const QMouseEvent& event, CPoint& pt, bool& bAdd) {
    pt = DeviceToLogical(event.position().toPoint());
    const CSize extent = GetExtent();
    if (pt.x > extent.cx || pt.y > extent.cy || m_bCaptured)
        return false;
    m_ptLast = pt;
    m_bMarkerShown = false;
    bAdd = (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0;
    return true;
}

void CDiagramView::BeginDrag(CPoint pt) {
    m_ptDrag = CPoint(-1, -1);
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

void CDiagramView::DragElement(CPoint pt) {
    CPNElement* pElement = m_pHitElement;
    if (!pElement)
        return;
    const CSize delta = pt - m_ptLast;
    m_ptLast = pt;
    if (m_ptDrag == CPoint(-1, -1))
        m_ptDrag = pElement->m_ptPos;
    m_ptDrag += delta;
    const CPoint q = SnapToGrid(m_ptDrag);
    if (q != pElement->m_ptPos) {
        m_rDoc.SetModifiedFlag();
        m_rDoc.History().NameEdit("Move");
    }
    InvalidateLogical(m_rDoc.MoveElement(GetDiagramId(), pElement, q));
    m_rHost.SetStatusPosition(q.x, q.y);
    if (m_rDoc.m_bRuler)
        DrawRulerMarkers(q, false);
}

void CDiagramView::DragSelection(CPoint pt) {
    const CSize delta = pt - m_ptLast;
    m_ptLast = pt;
    if (delta.cx != 0 || delta.cy != 0) {
        InvalidateLogical(m_rDoc.MoveSelection(GetDiagramId(), delta.cx, delta.cy));
        // Moving is an edit the file must keep.
        m_rDoc.SetModifiedFlag();
        m_rDoc.History().NameEdit("Move");
    }
    m_rHost.SetStatusPosition(pt.x, pt.y);
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
    if (!arrow || m_bSimulation || m_bCaptured || m_rDoc.m_listSelection.empty()) {
        QAbstractScrollArea::keyPressEvent(pEvent);
        return;
    }
    const int step = (pEvent->modifiers() & Qt::ShiftModifier) || m_rDoc.m_nGridSize <= 0
                         ? 1
                         : m_rDoc.m_nGridSize;
    const int dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
    const int dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
    m_rDoc.BeginEdit("Move");
    InvalidateLogical(m_rDoc.MoveSelection(GetDiagramId(), dx, dy));
    m_rDoc.SetModifiedFlag();
    m_rDoc.EndEdit();
    pEvent->accept();
}

void CDiagramView::DragBand(CPoint pt) {
    if (!m_bMoved) {
        m_bMoved = true;
        UpdateCursor(pt);
    }
    DrawRubberBand(m_ptBandStart, m_ptLast);
    DrawRubberBand(m_ptBandStart, pt);
    m_ptLast = pt;
    m_rHost.SetStatusPosition(pt.x, pt.y);
}

bool CDiagramView::EndBand(CPoint pt, CRect& rect) {
    if (!m_bMoved)
        return false;
    DrawRubberBand(m_ptBandStart, m_ptLast);
    rect = CRect(m_ptBandStart, pt);
    rect.NormalizeRect();
    const long long dx = rect.Width();
    const long long dy = rect.Height();
    return dx * dx + dy * dy > kBandThreshold;
}

void CDiagramView::EndDrag(CPoint pt) {
    m_nDragMode = 0;
    m_bCaptured = false;
    m_pHitElement = nullptr;
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

void CDiagramView::CancelGesture() {
    m_nDragMode = 0;
    m_bCaptured = false;
    m_pHitElement = nullptr;
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
    if (m_bSimulation || !pElement || m_rDoc.IsSelected(pElement))
        return;
    InvalidateLogical(m_rDoc.Select(pElement, false) | pElement->GetBoundRect());
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
    auto* pEdge = static_cast<CPNEdge*>(m_pContextElement);
    m_rDoc.ModifyElement(GetDiagramId(), pEdge);
    const CRect rectOld = pEdge->GetBoundRect();
    pEdge->DeleteSelectedPoint();
    InvalidateLogical(rectOld | pEdge->GetBoundRect());
    m_rDoc.SetModifiedFlag();
}

void CDiagramView::OnDeleteAllEdgePoints() {
    if (!CanDeleteAllEdgePoints())
        return;
    auto* pEdge = static_cast<CPNEdge*>(m_pContextElement);
    m_rDoc.ModifyElement(GetDiagramId(), pEdge);
    const CRect rectOld = pEdge->GetBoundRect();
    pEdge->Straighten();
    InvalidateLogical(rectOld | pEdge->GetBoundRect());
    m_rDoc.SetModifiedFlag();
}

void CDiagramView::OnDeletePolygonPoint() {
    if (!CanDeletePolygonPoint())
        return;
    auto* pPolygon = static_cast<CPNPolygon*>(m_pContextElement);
    m_rDoc.ModifyElement(GetDiagramId(), pPolygon);
    const CRect rectOld = pPolygon->GetBoundRect();
    pPolygon->DeleteSelectedPoint();
    InvalidateLogical(rectOld | pPolygon->GetBoundRect());
    m_rDoc.SetModifiedFlag();
}
