#pragma once

#include <QBrush>
#include <QPen>
#include <QRect>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QImage;

// Small polygons (arrowheads) written straight into the pixels of a 32-bit image from
// masks the painter drew once. Without antialiasing the painter's pixels of a polygon
// with integer corners move with the polygon, so a mask drawn at one place serves at
// every other; each pixel of it remembers whether the outline or the fill set it. A
// repaint of a large diagram draws tens of thousands of arrowheads, which cost the
// painter's general rasteriser several times more than copying their few pixels.
class CImagePolygonStamps {
public:
    // Polygons at most this wide and high, of at most kMaxCorners corners, are stamped.
    static constexpr int kMaxExtent = 48;
    static constexpr int kMaxCorners = 8;

    // Whether Draw takes the polygon: few corners, small, an opaque solid one-pixel
    // outline or none, an opaque solid fill or none.
    static bool CanDraw(const QPoint* points, int count, const QPen& pen, const QBrush& brush);

    // The polygon (odd-even fill) into the image's pixels inside the clip.
    void Draw(QImage& image, const QRect& rectClip, const QPoint* points, int count,
              const QPen& pen, const QBrush& brush);

private:
    struct Span {
        int dy, dx0, dx1; // pixels dx0..dx1 of row dy, relative to the first corner
        bool outline;     // set by the outline (else by the fill)
    };
    // Outline width, cap and join, fill, corner count and the corners less the first.
    using Key = std::array<int, 5 + 2 * kMaxCorners>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    const std::vector<Span>& MaskFor(const QPoint* points, int count, const QPen& pen,
                                     const QBrush& brush);

    std::unordered_map<Key, std::vector<Span>, KeyHash> m_masks;
};
