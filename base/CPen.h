#pragma once

#include "ColorRef.h"

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// A pen: line style, width in logical units and colour.
class CPen {
public:
    constexpr CPen() = default;
    constexpr CPen(int style, int width, COLORREF colour)
        : m_nStyle(style), m_nWidth(width), m_crColour(colour) {}

    constexpr int GetStyle() const { return m_nStyle; }
    constexpr int GetWidth() const { return m_nWidth; }
    constexpr COLORREF GetColour() const { return m_crColour; }

    constexpr bool operator==(const CPen&) const = default;

    // The stock black pen: solid, width 1.
    static const CPen* Black();

private:
    int m_nStyle = PS_SOLID;
    int m_nWidth = 1;
    COLORREF m_crColour = 0;
};
