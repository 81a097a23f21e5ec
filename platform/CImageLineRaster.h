#pragma once

#include <QRect>

#include <cstdint>

class QImage;

// One-pixel lines written straight into the pixels of a 32-bit image: the start pixel
// drawn, the end pixel left out, pixel k along the major axis at the minor offset
// round(k * minor / major) (halves away from the start). Only the part inside the clip
// rectangle is walked, so that a long line costs what it shows. Diagram repaints draw
// tens of thousands of such lines; the painter's general stroker takes several times
// longer for the same pixels.
class CImageLineRaster {
public:
    // The image must be RGB32 or (premultiplied) ARGB32; clip in its pixels.
    CImageLineRaster(QImage& image, const QRect& rectClip);

    // Lines shorter than this along their major axis are walked in fixed point.
    static constexpr long long kMaxFixedPointMajor = 40000;

    // The opaque colour as 0xAARRGGBB, or inverting the destination.
    void Draw(int x0, int y0, int x1, int y1, std::uint32_t colour, bool bInvert);

private:
    std::uint32_t* m_pBits = nullptr;
    qsizetype m_nStride = 0;
    QRect m_rectClip;
};
