#pragma once

#include "base/CDC.h"

#include <map>
#include <string>

// A device context that writes what is drawn on it as a TikZ picture for LaTeX: one
// command per shape, line and text, coordinates in centimetres (a logical unit is a
// pixel at 96 dpi, y downwards as on the screen), text as text with its characters
// escaped for LaTeX, fonts mapped to LaTeX's sizes. Named styles, defined once at the
// top, carry the look of each kind of shape so that a user can restyle a picture: the
// nodes of the diagram (condition, event; case; place, occurrence), the lines (edge,
// casestep, arc: TikZ has a step key of its own), the token, the arrowheads and the labels; colours
// other than the usual black and white come as extra options. Text is measured on the context
// given.
class CTikzDC : public CDC {
public:
    // The kind of diagram names the styles: "net", "casegraph" or "occurrence".
    CTikzDC(CDC& measure, std::string diagram);

    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CPoint* points, int count) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void TextOut(int x, int y, const std::string& text) override;
    CSize GetTextExtent(const std::string& text) override;
    TEXTMETRIC GetTextMetrics() override;

    // The picture: the colours and styles, then what was drawn; with standalone, a
    // LaTeX document of the page's size (logical units) that compiles on its own.
    std::string Picture(bool standalone, CSize page = CSize(100, 100)) const;

    static std::string Escape(const std::string& text);

protected:
    void DrawLine(CPoint from, CPoint to) override;

private:
    std::string Colour(COLORREF colour);
    std::string Point(int x, int y) const;
    // The options of a shape drawn with the current pen and brush.
    std::string Options(const char* style, bool filled);

    CDC& m_rMeasure;
    std::string m_strDiagram;
    std::map<COLORREF, std::string> m_colours;
    std::string m_strBody;
};
