#include "platform/CImagePolygonStamps.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

constexpr QRgb kOutlineMark = 0xffff0000;
constexpr QRgb kFillMark = 0xff00ff00;

bool IsOpaqueSolid(const QBrush& brush) {
    return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255;
}

std::uint32_t Pixel(const QColor& colour) {
    return 0xff000000u | (colour.rgb() & 0x00ffffffu);
}

} // namespace

bool CImagePolygonStamps::CanDraw(const QPoint* points, int count, const QPen& pen,
                                  const QBrush& brush) {
    if (count < 2 || count > kMaxCorners)
        return false;
    const bool outline = pen.style() != Qt::NoPen;
    if (outline && (pen.style() != Qt::SolidLine || pen.width() > 1 || !IsOpaqueSolid(pen.brush())))
        return false;
    if (brush.style() != Qt::NoBrush && !IsOpaqueSolid(brush))
        return false;
    int left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].x());
        right = std::max(right, points[i].x());
        top = std::min(top, points[i].y());
        bottom = std::max(bottom, points[i].y());
    }
    return right - left <= kMaxExtent && bottom - top <= kMaxExtent;
}

std::size_t CImagePolygonStamps::KeyHash::operator()(const Key& key) const {
    std::size_t hash = 0;
    for (int value : key)
        hash = hash * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(value));
    return hash;
}

const std::vector<CImagePolygonStamps::Span>& CImagePolygonStamps::MaskFor(const QPoint* points,
                                                                           int count,
                                                                           const QPen& pen,
                                                                           const QBrush& brush) {
    const bool outline = pen.style() != Qt::NoPen;
    const bool fill = brush.style() != Qt::NoBrush;
    Key key{};
    key[0] = outline ? pen.width() + 1 : 0;
    key[1] = outline ? static_cast<int>(pen.capStyle()) : 0;
    key[2] = outline ? static_cast<int>(pen.joinStyle()) : 0;
    key[3] = fill ? 1 : 0;
    key[4] = count;
    for (int i = 1; i < count; ++i) {
        key[3 + 2 * i] = points[i].x() - points[0].x();
        key[4 + 2 * i] = points[i].y() - points[0].y();
    }
    auto found = m_masks.find(key);
    if (found != m_masks.end())
        return found->second;

    // The mask: the polygon drawn with marking colours, the first corner at the
    // origin plus a margin wider than the polygon can reach.
    constexpr int kMargin = kMaxExtent + 4;
    QImage mask(2 * kMargin + 1, 2 * kMargin + 1, QImage::Format_RGB32);
    mask.fill(0xff000000);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen markPen = pen;
        markPen.setColor(QColor::fromRgb(kOutlineMark));
        painter.setPen(outline ? markPen : QPen(Qt::NoPen));
        painter.setBrush(fill ? QBrush(QColor::fromRgb(kFillMark)) : QBrush(Qt::NoBrush));
        QPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i] - points[0] + QPoint(kMargin, kMargin);
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    std::vector<Span> spans;
    for (int y = 0; y < mask.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            const QRgb mark = row[x];
            if (mark != kOutlineMark && mark != kFillMark) {
                ++x;
                continue;
            }
            int end = x;
            while (end + 1 < mask.width() && row[end + 1] == mark)
                ++end;
            spans.push_back({y - kMargin, x - kMargin, end - kMargin, mark == kOutlineMark});
            x = end + 1;
        }
    }
    return m_masks.emplace(std::move(key), std::move(spans)).first->second;
}

void CImagePolygonStamps::Draw(QImage& image, const QRect& rectClip, const QPoint* points,
                               int count, const QPen& pen, const QBrush& brush) {
    const QRect clip = rectClip.intersected(image.rect());
    if (clip.isEmpty())
        return;
    const std::uint32_t outline = Pixel(pen.color());
    const std::uint32_t fill = Pixel(brush.color());
    auto* bits = reinterpret_cast<std::uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    const QPoint origin = points[0];
    for (const Span& span : MaskFor(points, count, pen, brush)) {
        const int y = origin.y() + span.dy;
        if (y < clip.top() || y > clip.bottom())
            continue;
        const int x0 = std::max(origin.x() + span.dx0, clip.left());
        const int x1 = std::min(origin.x() + span.dx1, clip.right());
        if (x0 > x1)
            continue;
        std::fill(bits + y * stride + x0, bits + y * stride + x1 + 1,
                  span.outline ? outline : fill);
    }
}
