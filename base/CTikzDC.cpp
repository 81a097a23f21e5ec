#include "base/CTikzDC.h"

#include "base/FormatString.h"

#include <cmath>
#include <cstdlib>

namespace {

// Centimetres per logical unit: a pixel at 96 dpi.
constexpr double kCm = 2.54 / 96.0;

bool IsBlack(COLORREF c) {
    return c == RGB(0, 0, 0);
}
bool IsWhite(COLORREF c) {
    return c == RGB(255, 255, 255);
}

} // namespace

CTikzDC::CTikzDC(CDC& measure, std::string diagram)
    : m_rMeasure(measure), m_strDiagram(std::move(diagram)) {}

std::string CTikzDC::Escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\textbackslash{}";
            break;
        case '{':
        case '}':
        case '$':
        case '&':
        case '#':
        case '%':
        case '_':
            out += '\\';
            out += c;
            break;
        case '^':
            out += "\\textasciicircum{}";
            break;
        case '~':
            out += "\\textasciitilde{}";
            break;
        case '\n':
        case '\r':
            out += ' ';
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string CTikzDC::Colour(COLORREF colour) {
    if (IsBlack(colour))
        return "black";
    if (IsWhite(colour))
        return "white";
    auto it = m_colours.find(colour);
    if (it == m_colours.end())
        it = m_colours.emplace(colour, "zerin" + std::to_string(m_colours.size() + 1)).first;
    return it->second;
}

std::string CTikzDC::Point(int x, int y) const {
    return FormatString("(%.3f,%.3f)", x * kCm, -y * kCm);
}

std::string CTikzDC::Options(const char* style, bool filled) {
    std::string options = style;
    const CPen& pen = GetCurrentPen();
    if (pen.GetStyle() == PS_NULL)
        options += ", draw=none";
    else {
        if (!IsBlack(pen.GetColour()))
            options += ", draw=" + Colour(pen.GetColour());
        if (pen.GetWidth() > 1)
            options += FormatString(", line width=%.2fpt", pen.GetWidth() * 0.75);
        if (pen.GetStyle() == PS_DASH)
            options += ", dashed";
        else if (pen.GetStyle() == PS_DOT)
            options += ", dotted";
    }
    if (filled) {
        const CBrush& brush = GetCurrentBrush();
        if (brush.IsHollow())
            options += ", fill=none";
        else if (!IsWhite(brush.GetColour()))
            options += ", fill=" + Colour(brush.GetColour());
    }
    return options;
}

void CTikzDC::Ellipse(int left, int top, int right, int bottom) {
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    // A small filled circle is a token, a node's circle is a condition, case or place.
    const bool token =
        rx < 8 && !GetCurrentBrush().IsHollow() && !IsWhite(GetCurrentBrush().GetColour());
    const char* node = m_strDiagram == "casegraph"    ? "case"
                       : m_strDiagram == "occurrence" ? "place"
                                                      : "condition";
    m_strBody +=
        FormatString("  \\path[%s] (%.3f,%.3f) ellipse [x radius=%.3f, y radius=%.3f];\n",
                     Options(token ? "token" : node, true).c_str(), (left + right) / 2.0 * kCm,
                     -(top + bottom) / 2.0 * kCm, rx * kCm, ry * kCm);
}

void CTikzDC::Rectangle(int left, int top, int right, int bottom) {
    const char* node = m_strDiagram == "occurrence" ? "occurrence" : "event";
    m_strBody += "  \\path[" + Options(node, true) + "] " + Point(left, top) + " rectangle " +
                 Point(right, bottom) + ";\n";
}

void CTikzDC::Polygon(const CPoint* points, int count) {
    if (count < 2)
        return;
    // The arrowheads are the small black triangles; other outlines are polygons.
    const bool head =
        count == 3 && IsBlack(GetCurrentBrush().GetColour()) && !GetCurrentBrush().IsHollow();
    std::string path = "  \\path[" + Options(head ? "arrowhead" : "polygon", true) + "] ";
    for (int i = 0; i < count; ++i)
        path += Point(points[i].x, points[i].y) + " -- ";
    m_strBody += path + "cycle;\n";
}

void CTikzDC::SetPixel(int x, int y, COLORREF colour) {
    m_strBody += "  \\fill[" + Colour(colour) + "] " + Point(x, y) + " rectangle " +
                 Point(x + 1, y + 1) + ";\n";
}

void CTikzDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    m_strBody += "  \\fill[" + Colour(colour) + "] " + Point(rect.left, rect.top) + " rectangle " +
                 Point(rect.right, rect.bottom) + ";\n";
}

void CTikzDC::DrawLine(CPoint from, CPoint to) {
    // The one-pixel stub an arrowhead starts with is part of the head.
    if (std::abs(to.x - from.x) <= 1 && std::abs(to.y - from.y) <= 1)
        return;
    const char* line = m_strDiagram == "casegraph"    ? "casestep"
                       : m_strDiagram == "occurrence" ? "arc"
                                                      : "edge";
    m_strBody += "  \\path[" + Options(line, false) + "] " + Point(from.x, from.y) + " -- " +
                 Point(to.x, to.y) + ";\n";
}

void CTikzDC::TextOut(int x, int y, const std::string& text) {
    const LOGFONT& font = GetCurrentFont().GetLogFont();
    const int pixels = std::abs(font.lfHeight) > 0 ? std::abs(font.lfHeight) : 12;
    const char* size = pixels <= 9    ? "\\scriptsize"
                       : pixels <= 11 ? "\\footnotesize"
                       : pixels <= 13 ? "\\small"
                       : pixels <= 16 ? "\\normalsize"
                       : pixels <= 20 ? "\\large"
                                      : "\\Large";
    std::string options = std::string("label, font=") + size;
    if (font.lfWeight >= 700)
        options += "\\bfseries";
    if (font.lfItalic)
        options += "\\itshape";
    if (!IsBlack(GetTextColor()))
        options += ", text=" + Colour(GetTextColor());
    m_strBody += "  \\node[" + options + "] at " + Point(x, y) + " {" + Escape(text) + "};\n";
}

CSize CTikzDC::GetTextExtent(const std::string& text) {
    m_rMeasure.SelectObject(&GetCurrentFont());
    return m_rMeasure.GetTextExtent(text);
}

TEXTMETRIC CTikzDC::GetTextMetrics() {
    m_rMeasure.SelectObject(&GetCurrentFont());
    return m_rMeasure.GetTextMetrics();
}

std::string CTikzDC::Picture(bool standalone, CSize page) const {
    std::string tex;
    if (standalone)
        // The standalone class crops the page to the picture where the TeX installation
        // has it; a plain article page serves elsewhere.
        tex += FormatString(
            "\\IfFileExists{standalone.cls}{\\documentclass{standalone}}{"
            "\\documentclass{article}\\usepackage[paperwidth=%.2fcm, paperheight=%.2fcm, "
            "margin=0.2cm]{geometry}\\pagestyle{empty}\\setlength{\\parindent}{0pt}}\n"
            "\\usepackage[utf8]{inputenc}\n\\usepackage{tikz}\n\\begin{document}\n",
            page.cx * kCm + 0.6, page.cy * kCm + 0.6);
    tex += "% A diagram of Zerin, in TikZ. Restyle it through the styles below.\n";
    for (const auto& [colour, name] : m_colours)
        tex += FormatString("\\definecolor{%s}{RGB}{%d,%d,%d}\n", name.c_str(), GetRValue(colour),
                            GetGValue(colour), GetBValue(colour));
    tex += "\\begin{tikzpicture}[\n"
           "  condition/.style={draw, fill=white, line width=0.6pt},\n"
           "  event/.style={draw, fill=white, line width=0.6pt},\n"
           "  case/.style={draw, fill=white, line width=0.6pt},\n"
           "  place/.style={draw, fill=white, line width=0.6pt},\n"
           "  occurrence/.style={draw, fill=white, line width=0.6pt},\n"
           "  token/.style={draw, fill=black},\n"
           "  edge/.style={draw, line width=0.6pt},\n"
           "  casestep/.style={draw, line width=0.6pt},\n"
           "  arc/.style={draw, line width=0.6pt},\n"
           "  arrowhead/.style={draw, fill=black},\n"
           "  polygon/.style={draw, fill=white},\n"
           "  label/.style={anchor=north west, inner sep=0pt, outer sep=0pt, font=\\small}]\n";
    tex += m_strBody;
    tex += "\\end{tikzpicture}\n";
    if (standalone)
        tex += "\\end{document}\n";
    return tex;
}
