#pragma once

#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"
#include "ColorRef.h"

#include <string>

// Text drawing flags, with the platform's values.
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_EXTERNALLEADING = 0x0200;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations: R2_NOT inverts the destination, R2_COPYPEN draws in the pen colour.
constexpr int R2_NOT = 6;
constexpr int R2_COPYPEN = 13;

// Metrics of the selected font in logical units.
struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
};

// The device context every diagram draws on. It keeps the selected pen, brush and
// font, the text and background state and the current position; the drawing
// primitives are left to a back end (a painter, a picture recorder, a test recorder).
//
// Selected objects are referred to, not copied: they must outlive their selection.
// A new context has the black one-pixel pen, the white brush and the default font
// selected, opaque background mode, black text on white and the copy raster operation.
class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    // Each selection returns the object it replaces, so that it can be selected again.
    const CPen* SelectObject(const CPen* pen);
    const CBrush* SelectObject(const CBrush* brush);
    const CFont* SelectObject(const CFont* font);
    const CBrush* SelectStockBrush(int index) { return SelectObject(CBrush::Stock(index)); }

    const CPen& GetCurrentPen() const { return *m_pPen; }
    const CBrush& GetCurrentBrush() const { return *m_pBrush; }
    const CFont& GetCurrentFont() const { return *m_pFont; }

    int SetBkMode(int mode);
    int GetBkMode() const { return m_nBkMode; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_crBk; }
    int SetROP2(int rop);
    int GetROP2() const { return m_nRop2; }

    // Sets the current position and returns the previous one.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    // Draws from the current position to (x, y) in the current pen and moves there.
    void LineTo(int x, int y);
    void LineTo(CPoint p) { LineTo(p.x, p.y); }

    // Outline in the current pen, inside in the current brush.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    void Ellipse(const CRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    void Rectangle(const CRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    virtual void Polygon(const CPoint* points, int count) = 0;

    virtual void SetPixel(int x, int y, COLORREF colour) = 0;
    // Fills the rectangle with the colour, without pen or brush.
    virtual void FillSolidRect(const CRect& rect, COLORREF colour) = 0;

    // One line of text with its top-left corner at (x, y) in the current font and text
    // colour, on the background colour when the background mode is opaque.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Size of one line of text in the current font.
    virtual CSize GetTextExtent(const std::string& text) = 0;
    virtual TEXTMETRIC GetTextMetrics() = 0;

    // Draws or, with DT_CALCRECT, measures text in a rectangle. Line breaks start new
    // lines unless DT_SINGLELINE; a line is the font height high, plus the external
    // leading with DT_EXTERNALLEADING. Measuring sets the rectangle's right and bottom
    // edges to fit the text; an empty text measures 0 x 0. Returns the text height.
    virtual int DrawText(const std::string& text, CRect& rect, unsigned format);

protected:
    // Draws a straight line in the current pen; LineTo moves the current position.
    virtual void DrawLine(CPoint from, CPoint to) = 0;

private:
    const CPen* m_pPen = CPen::Black();
    const CBrush* m_pBrush = CBrush::Stock(WHITE_BRUSH);
    const CFont* m_pFont = CFont::Default();
    int m_nBkMode = OPAQUE;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBk = RGB(255, 255, 255);
    int m_nRop2 = R2_COPYPEN;
    CPoint m_ptCurrent;
};
