#include "CRect.h"

#include <algorithm>

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::InflateRect(int dx, int dy) {
    InflateRect(dx, dy, dx, dy);
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

bool CRect::UnionRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty()) {
        if (b.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = b;
        return true;
    }
    if (b.IsRectEmpty()) {
        *this = a;
        return true;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom));
    return true;
}

bool CRect::IntersectRect(const CRect& a, const CRect& b) {
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (a.IsRectEmpty() || b.IsRectEmpty() || r.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = r;
    return true;
}

CRect& CRect::operator|=(const CRect& o) {
    UnionRect(*this, o);
    return *this;
}

CRect& CRect::operator&=(const CRect& o) {
    IntersectRect(*this, o);
    return *this;
}

CRect CRect::operator|(const CRect& o) const {
    CRect r;
    r.UnionRect(*this, o);
    return r;
}

CRect CRect::operator&(const CRect& o) const {
    CRect r;
    r.IntersectRect(*this, o);
    return r;
}
