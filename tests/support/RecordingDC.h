#pragma once

#include "base/CDC.h"

#include <string>
#include <vector>

// One drawing call as the recording device context saw it, with the objects that
// were selected at the time.
struct DrawCall {
    std::string op; // "Ellipse", "Rectangle", "Polygon", "Line", "Pixel", "Fill", "Text"
    CRect rect;     // Ellipse, Rectangle, Fill; Line from top-left to bottom-right
    std::vector<CPoint> points; // Polygon
    CPoint point;               // Pixel, Text
    COLORREF colour = 0;        // Pixel, Fill; Text: the text colour
    std::string text;           // Text
    CPen pen;
    CBrush brush;
    LOGFONT font;
    int bkMode = 0;
    int rop2 = 0;
};

// A device context that records every call instead of drawing, with a deterministic
// text metric: 7 units per character, lines 12 high with an external leading of 2.
class RecordingDC : public CDC {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kHeight = 12;
    static constexpr int kExternalLeading = 2;

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CPoint* points, int count) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void TextOut(int x, int y, const std::string& text) override;
    CSize GetTextExtent(const std::string& text) override;
    TEXTMETRIC GetTextMetrics() override;

    std::vector<DrawCall> calls;

    // Every call as one line of text with what it used: the form of the golden files of
    // drawings. The font shows on text calls only, the brush on filled shapes only.
    std::string Dump() const;
    // Calls of one kind, in order.
    std::vector<DrawCall> Calls(const std::string& op) const;
    void Clear() { calls.clear(); }

protected:
    void DrawLine(CPoint from, CPoint to) override;

private:
    DrawCall Make(const std::string& op) const;
};
