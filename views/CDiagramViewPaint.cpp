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
    ++m_nShownChanges;
    InvalidateDevice(viewport()->rect());
}

CPoint CDiagramView::SnapToGrid(int x, int y) const {
    if (!m_rDoc.Record().grid || m_rDoc.Record().gridSize <= 0)
        return CPoint(x, y);
    const int g = m_rDoc.Record().gridSize;
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
    const int g = m_rDoc.Record().gridSize;
    if (!m_rDoc.Record().grid || g <= 0)
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

void CDiagramView::SetOverlay(std::function<void(CDC&)> draw) {
    m_drawOverlay = std::move(draw);
    InvalidateAll();
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
        if (m_drawOverlay)
            m_drawOverlay(dc);
        if (!m_bSimulation && m_rDoc.Record().ruler)
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
    if (m_bFrozen) {
        PaintFrozen(painter, clip);
        return;
    }
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
    KeepFrame(buffer, clip);
}

void CDiagramView::KeepFrame(const QImage& buffer, const QRect& clip) {
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (m_imgFrame.size() != size || m_imgFrame.devicePixelRatio() != ratio) {
        m_imgFrame = QImage(size, QImage::Format_RGB32);
        m_imgFrame.setDevicePixelRatio(ratio);
        m_imgFrame.fill(palette().color(QPalette::Window));
    }
    QPainter painter(&m_imgFrame);
    painter.drawImage(clip.topLeft(), buffer);
}

void CDiagramView::PaintFrozen(QPainter& painter, const QRect& clip) {
    painter.fillRect(clip, palette().color(QPalette::Window));
    painter.drawImage(clip, m_imgFrame,
                      QRectF(QPointF(clip.topLeft()) * m_imgFrame.devicePixelRatio(),
                             QSizeF(clip.size()) * m_imgFrame.devicePixelRatio()));
}

void CDiagramView::Freeze(bool bFrozen) {
    m_bFrozen = bFrozen;
    if (!bFrozen)
        viewport()->update();
}
