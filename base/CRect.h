#pragma once

#include "CPoint.h"
#include "CSize.h"

// A rectangle with the platform's rules: the right and bottom edges lie outside it,
// a rectangle of zero or negative width or height is empty, and union and
// intersection treat empty rectangles as nothing.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {
    }

    constexpr bool operator==(const CRect&) const = default;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Zero or negative width or height.
    constexpr bool IsRectEmpty() const { return left >= right || top >= bottom; }
    // All four coordinates zero.
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Left and top edges inside, right and bottom edges outside.
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }

    void NormalizeRect();
    void InflateRect(int dx, int dy);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void OffsetRect(int dx, int dy);
    void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
    void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }

    // Bounding rectangle of the two; an empty operand is ignored, two empty ones
    // give the null rectangle and false.
    bool UnionRect(const CRect& a, const CRect& b);
    // Common part of the two; when it is empty the result is the null rectangle and false.
    bool IntersectRect(const CRect& a, const CRect& b);

    CRect& operator|=(const CRect& o);
    CRect& operator&=(const CRect& o);
    CRect operator|(const CRect& o) const;
    CRect operator&(const CRect& o) const;
};
