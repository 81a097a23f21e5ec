#pragma once

#include "ColorRef.h"

// Stock brush indices, as the platform numbers them.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int HOLLOW_BRUSH = 5;

// A solid brush of one colour, or the hollow brush that fills nothing.
class CBrush {
public:
    constexpr CBrush() = default;
    constexpr explicit CBrush(COLORREF colour) : m_crColour(colour) {}

    constexpr bool IsHollow() const { return m_bHollow; }
    constexpr COLORREF GetColour() const { return m_crColour; }

    constexpr bool operator==(const CBrush&) const = default;

    // The stock brushes WHITE_BRUSH, BLACK_BRUSH and HOLLOW_BRUSH; any other index
    // gives the white brush.
    static const CBrush* Stock(int index);

private:
    constexpr static CBrush MakeHollow() {
        CBrush b;
        b.m_bHollow = true;
        return b;
    }

    COLORREF m_crColour = RGB(255, 255, 255);
    bool m_bHollow = false;
};
