#pragma once

#include "CSize.h"

// A point in logical units: x to the right, y downwards.
struct CPoint {
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    constexpr bool operator==(const CPoint&) const = default;

    constexpr void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    constexpr CPoint& operator+=(CSize s) {
        Offset(s.cx, s.cy);
        return *this;
    }
    constexpr CPoint& operator-=(CSize s) {
        Offset(-s.cx, -s.cy);
        return *this;
    }
    constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
    constexpr CPoint operator+(CPoint p) const { return {x + p.x, y + p.y}; }
    // The difference of two points is the vector between them.
    constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
};
