#pragma once

// A width and a height in logical units.
struct CSize {
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}

    constexpr bool operator==(const CSize&) const = default;
    constexpr CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
    constexpr CSize operator-() const { return {-cx, -cy}; }
};
