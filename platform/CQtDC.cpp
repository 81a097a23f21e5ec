#include "platform/CQtDC.h"

#include "platform/CImageLineRaster.h"
#include "platform/CImagePolygonStamps.h"
#include "platform/QtFonts.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Ellipses and rectangles of the platform cover l..r-1; a one-pixel Qt outline of
// width w covers x..x+w, so the Qt rectangle is one pixel narrower and lower.
QRect OutlineRect(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return QRect(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1));
}

} // namespace

CQtDC::CQtDC(QPainter& painter) : m_painter(painter) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    QPaintEngine* engine = m_painter.paintEngine();
    m_bCanInvert = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
    PrepareLineRaster();
}

void CQtDC::PrepareLineRaster() {
    // One-pixel lines go straight into the pixels of a 32-bit image drawn at one
    // device pixel per unit and clipped to a rectangle; anything else through the
    // painter.
    QPaintDevice* device = m_painter.device();
    if (!device || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return;
    const QTransform transform = m_painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate ||
        transform.dx() != std::round(transform.dx()) ||
        transform.dy() != std::round(transform.dy()))
        return;
    const QPoint offset(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    QRect clip = image->rect();
    if (m_painter.hasClipping()) {
        const QRegion region = m_painter.clipRegion();
        if (region.rectCount() > 1)
            return;
        clip = clip.intersected(region.boundingRect().translated(offset));
    }
    m_pLineRaster = std::make_unique<CImageLineRaster>(*image, clip);
    m_pImage = image;
    m_ptRasterOffset = offset;
    m_rectRasterClip = clip;
}

CQtDC::~CQtDC() {
    m_painter.restore();
}

QPen CQtDC::MakeQPen(const CPen& pen) {
    if (pen.GetStyle() == PS_NULL)
        return QPen(Qt::NoPen);
    int width = std::max(1, pen.GetWidth());
    QPen q(ToQColor(pen.GetColour()));
    q.setWidth(width);
    // One-pixel pens end flat, without their end pixel; wider pens are round, as the
    // platform's geometric pens.
    if (width == 1) {
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
    } else {
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
    }
    // The platform's dashes are 18 pixels on, 6 off; its dots 3 on, 3 off. Qt measures
    // the pattern in pen widths.
    auto pattern = [width](double on, double off) {
        return QList<qreal>{std::max(1.0, on / width), std::max(1.0, off / width)};
    };
    if (pen.GetStyle() == PS_DASH)
        q.setDashPattern(pattern(18, 6));
    else if (pen.GetStyle() == PS_DOT)
        q.setDashPattern(pattern(3, 3));
    return q;
}

QBrush CQtDC::MakeQBrush(const CBrush& brush) {
    if (brush.IsHollow())
        return QBrush(Qt::NoBrush);
    return QBrush(ToQColor(brush.GetColour()));
}

void CQtDC::ApplyShapeState() {
    // Diagrams draw thousands of shapes with the same pen: on the screen's image the
    // painter's state is set only when it changes. Vector outputs keep one state per
    // shape, as they always had.
    const CPen& pen = GetCurrentPen();
    const CBrush& brush = GetCurrentBrush();
    const ShapeState state{pen.GetStyle(), pen.GetWidth(), pen.GetColour(), brush.IsHollow(),
                           brush.GetColour()};
    if (!m_pLineRaster || !m_bShapeApplied || !(state == m_shapeApplied)) {
        m_painter.setPen(MakeQPen(pen));
        m_painter.setBrush(MakeQBrush(brush));
        m_shapeApplied = state;
        m_bShapeApplied = true;
        m_bTextApplied = false;
    }
    SetInverting(GetROP2() == R2_NOT && m_bCanInvert);
}

void CQtDC::ApplyCopyMode() {
    SetInverting(false);
}

void CQtDC::SetInverting(bool bInvert) {
    const int mode = bInvert ? MODE_INVERT : MODE_COPY;
    if (m_pLineRaster && m_nModeApplied == mode)
        return;
    m_painter.setCompositionMode(bInvert ? QPainter::RasterOp_NotDestination
                                         : QPainter::CompositionMode_SourceOver);
    m_nModeApplied = mode;
}

void CQtDC::Ellipse(int left, int top, int right, int bottom) {
    ApplyShapeState();
    m_painter.drawEllipse(OutlineRect(left, top, right, bottom));
}

void CQtDC::Rectangle(int left, int top, int right, int bottom) {
    ApplyShapeState();
    QRect r = OutlineRect(left, top, right, bottom);
    if (GetROP2() != R2_NOT || !m_bCanInvert || GetCurrentPen().GetWidth() > 1) {
        m_painter.drawRect(r);
        return;
    }
    // Inverting: every pixel of the outline exactly once, so that drawing the same
    // rectangle again restores the picture (Qt's own outline meets itself at corners).
    QPen pen = m_painter.pen();
    m_painter.setPen(Qt::NoPen);
    if (r.width() > 1 && r.height() > 1)
        m_painter.drawRect(r.adjusted(1, 1, 0, 0));
    m_painter.setPen(pen);
    CPoint corners[5] = {CPoint(r.left(), r.top()), CPoint(r.right() + 1, r.top()),
                         CPoint(r.right() + 1, r.bottom() + 1), CPoint(r.left(), r.bottom() + 1),
                         CPoint(r.left(), r.top())};
    for (int i = 0; i < 4; ++i)
        DrawLine(corners[i], corners[i + 1]);
}

bool CQtDC::IsOutsideClip(int left, int top, int right, int bottom) const {
    if (!m_pLineRaster)
        return false;
    // The pen may reach past the outline by its width.
    const int reach = std::max(1, GetCurrentPen().GetWidth()) + 1;
    const QRect device(QPoint(left - reach, top - reach) + m_ptRasterOffset,
                       QPoint(right + reach, bottom + reach) + m_ptRasterOffset);
    return !device.intersects(m_rectRasterClip);
}

void CQtDC::Polygon(const CPoint* points, int count) {
    if (!points || count < 2)
        return;
    // Diagrams draw an arrowhead for every arc that meets the window; most lie outside.
    int left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].x);
        right = std::max(right, points[i].x);
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    if (IsOutsideClip(left, top, right, bottom))
        return;
    ApplyShapeState();
    if (m_pLineRaster && m_nModeApplied == MODE_COPY && count <= CImagePolygonStamps::kMaxCorners) {
        QPoint corners[CImagePolygonStamps::kMaxCorners];
        for (int i = 0; i < count; ++i)
            corners[i] = QPoint(points[i].x, points[i].y) + m_ptRasterOffset;
        if (CImagePolygonStamps::CanDraw(corners, count, m_painter.pen(), m_painter.brush())) {
            // The masks are the painter's own pixels; they are kept for the thread's life.
            thread_local CImagePolygonStamps stamps;
            stamps.Draw(*m_pImage, m_rectRasterClip, corners, count, m_painter.pen(),
                        m_painter.brush());
            return;
        }
    }
    QPolygon polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void CQtDC::DrawLine(CPoint from, CPoint to) {
    if (from == to)
        return;
    const CPen& pen = GetCurrentPen();
    if (m_pLineRaster && pen.GetStyle() == PS_SOLID && pen.GetWidth() <= 1) {
        const COLORREF c = pen.GetColour();
        const std::uint32_t colour =
            0xff000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        m_pLineRaster->Draw(from.x + m_ptRasterOffset.x(), from.y + m_ptRasterOffset.y(),
                            to.x + m_ptRasterOffset.x(), to.y + m_ptRasterOffset.y(), colour,
                            GetROP2() == R2_NOT && m_bCanInvert);
        return;
    }
    ApplyShapeState();
    QPoint a(from.x, from.y);
    QPoint b(to.x, to.y);
    if (GetCurrentPen().GetWidth() <= 1) {
        // Qt leaves out the pixel at the far end of the line's major axis, the platform
        // the pixel at its end point. When the line runs backwards, shift it by one
        // pixel along the major axis so that the start pixel is drawn and the end is not.
        bool xMajor = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
        QPoint step = xMajor ? QPoint(1, 0) : QPoint(0, 1);
        if ((xMajor && b.x() < a.x()) || (!xMajor && b.y() < a.y())) {
            a += step;
            b += step;
        }
    }
    m_painter.drawLine(a, b);
}

void CQtDC::SetPixel(int x, int y, COLORREF colour) {
    ApplyCopyMode();
    m_painter.fillRect(QRect(x, y, 1, 1), ToQColor(colour));
}

void CQtDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    ApplyCopyMode();
    QRect r(std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::abs(rect.right - rect.left), std::abs(rect.bottom - rect.top));
    if (!r.isEmpty())
        m_painter.fillRect(r, ToQColor(colour));
}

void CQtDC::TextOut(int x, int y, const std::string& text) {
    if (text.empty())
        return;
    ApplyCopyMode();
    const QFontMetrics& fm = CurrentMetrics();
    QString qtext = ToQString(text);
    if (GetBkMode() == OPAQUE)
        m_painter.fillRect(QRect(x, y, fm.horizontalAdvance(qtext), fm.height()),
                           ToQColor(GetBkColor()));
    // On the screen's image the font and the text colour are set only when they
    // change, as the shapes' pen and brush are.
    const QFont& font = CurrentQFont();
    const COLORREF colour = GetTextColor();
    if (!m_pLineRaster || !m_bTextApplied || colour != m_crTextApplied ||
        !(font == m_fontTextApplied)) {
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(colour));
        m_fontTextApplied = font;
        m_crTextApplied = colour;
        m_bTextApplied = true;
        if (m_pLineRaster)
            m_pTextLayouts = &TextLayouts(font);
    }
    m_bShapeApplied = false;
    if (m_pLineRaster) {
        // Diagrams repeat the same labels: their layout is kept per font and text.
        m_painter.drawStaticText(QPoint(x, y), LaidOut(*m_pTextLayouts, font, qtext));
        return;
    }
    m_painter.drawText(QPoint(x, y + fm.ascent()), qtext);
}

QHash<QString, QStaticText>& CQtDC::TextLayouts(const QFont& font) {
    // Kept for the thread's life, per font.
    thread_local QHash<QString, QHash<QString, QStaticText>> cache;
    return cache[font.key()];
}

const QStaticText& CQtDC::LaidOut(QHash<QString, QStaticText>& texts, const QFont& font,
                                  const QString& text) {
    // Dropped whole when it grows large.
    constexpr qsizetype kMaxTexts = 20000;
    auto found = texts.constFind(text);
    if (found != texts.constEnd())
        return *found;
    if (texts.size() >= kMaxTexts)
        texts.clear();
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font);
    return *texts.insert(text, layout);
}
