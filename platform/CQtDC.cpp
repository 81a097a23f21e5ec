#include "platform/CQtDC.h"

#include "platform/QtFonts.h"

#include <QBrush>
#include <QColor>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
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
    m_painter.setPen(MakeQPen(GetCurrentPen()));
    m_painter.setBrush(MakeQBrush(GetCurrentBrush()));
    if (GetROP2() == R2_NOT && m_bCanInvert)
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    else
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CQtDC::ApplyCopyMode() {
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
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

void CQtDC::Polygon(const CPoint* points, int count) {
    if (!points || count < 2)
        return;
    ApplyShapeState();
    QPolygon polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void CQtDC::DrawLine(CPoint from, CPoint to) {
    if (from == to)
        return;
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
    m_painter.setFont(CurrentQFont());
    m_painter.setPen(ToQColor(GetTextColor()));
    m_painter.drawText(QPoint(x, y + fm.ascent()), qtext);
}
