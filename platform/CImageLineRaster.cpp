#include "platform/CImageLineRaster.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

// floor(a / b) for b > 0.
long long FloorDiv(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// ceil(a / b) for b > 0.
long long CeilDiv(long long a, long long b) {
    return -FloorDiv(-a, b);
}

} // namespace

CImageLineRaster::CImageLineRaster(QImage& image, const QRect& rectClip)
    : m_pBits(reinterpret_cast<std::uint32_t*>(image.bits())), m_nStride(image.bytesPerLine() / 4),
      m_rectClip(rectClip.intersected(image.rect())) {}

void CImageLineRaster::Draw(int x0, int y0, int x1, int y1, std::uint32_t colour, bool bInvert) {
    if (m_rectClip.isEmpty() || (x0 == x1 && y0 == y1))
        return;
    // The walk runs along the major axis u with the minor offset m(k) =
    // floor((2 k dv + du) / (2 du)); a and b name the axes of u and v.
    const bool bXMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
    const long long u0 = bXMajor ? x0 : y0, v0 = bXMajor ? y0 : x0;
    const long long du = std::abs(bXMajor ? x1 - x0 : y1 - y0);
    const long long dv = std::abs(bXMajor ? y1 - y0 : x1 - x0);
    const int su = (bXMajor ? x1 - x0 : y1 - y0) > 0 ? 1 : -1;
    const int sv = (bXMajor ? y1 - y0 : x1 - x0) >= 0 ? 1 : -1;
    const long long uLo = bXMajor ? m_rectClip.left() : m_rectClip.top();
    const long long uHi = bXMajor ? m_rectClip.right() : m_rectClip.bottom();
    const long long vLo = bXMajor ? m_rectClip.top() : m_rectClip.left();
    const long long vHi = bXMajor ? m_rectClip.bottom() : m_rectClip.right();

    // The steps k = 0 .. du - 1 whose u lies inside the clip.
    long long kFirst = su > 0 ? uLo - u0 : u0 - uHi;
    long long kLast = su > 0 ? uHi - u0 : u0 - uLo;
    kFirst = std::max(kFirst, 0LL);
    kLast = std::min(kLast, du - 1);
    // ... and whose minor offset keeps v inside: m in [mLo, mHi].
    const long long mLo = sv > 0 ? vLo - v0 : v0 - vHi;
    const long long mHi = sv > 0 ? vHi - v0 : v0 - vLo;
    if (dv == 0) {
        if (mLo > 0 || mHi < 0)
            return;
    } else {
        kFirst = std::max(kFirst, CeilDiv(2 * du * mLo - du, 2 * dv));
        kLast = std::min(kLast, FloorDiv(2 * du * (mHi + 1) - du - 1, 2 * dv));
    }
    if (kFirst > kLast)
        return;

    const long long numerator = 2 * kFirst * dv + du;
    const long long m = FloorDiv(numerator, 2 * du);
    long long error = numerator - m * 2 * du;
    const long long u = u0 + su * kFirst, v = v0 + sv * m;
    const long long x = bXMajor ? u : v, y = bXMajor ? v : u;
    // The walk moves along the major axis one pixel per step, along the minor axis
    // whenever the error overflows.
    std::uint32_t* pixel = m_pBits + y * m_nStride + x;
    const qsizetype stepMajor = bXMajor ? su : su * m_nStride;
    const qsizetype stepMinor = bXMajor ? sv * m_nStride : sv;
    const long long count = kLast - kFirst + 1;
    if (du < kMaxFixedPointMajor) {
        // The minor offset in 32.32 fixed point, rounded up: over fewer than
        // kMaxFixedPointMajor steps the error stays below the 1 / (2 du) that parts
        // the exact offset from the next integer, so the floor is exact; and the loop
        // carries no branch.
        constexpr int kShift = 32;
        const auto rest = static_cast<std::uint64_t>(error);
        const auto wrap = static_cast<std::uint64_t>(2 * du);
        std::uint64_t offset = ((rest << kShift) + wrap - 1) / wrap;
        const std::uint64_t slope =
            ((static_cast<std::uint64_t>(dv) << kShift) + static_cast<std::uint64_t>(du) - 1) /
            static_cast<std::uint64_t>(du);
        for (long long i = 0; i < count; ++i) {
            std::uint32_t* target =
                pixel + i * stepMajor + static_cast<qsizetype>(offset >> kShift) * stepMinor;
            *target = bInvert ? *target ^ 0x00ffffffu : colour;
            offset += slope;
        }
        return;
    }
    const long long errorStep = 2 * dv, errorWrap = 2 * du;
    for (long long left = count; left > 0; --left) {
        *pixel = bInvert ? *pixel ^ 0x00ffffffu : colour;
        pixel += stepMajor;
        error += errorStep;
        if (error >= errorWrap) {
            error -= errorWrap;
            pixel += stepMinor;
        }
    }
}
