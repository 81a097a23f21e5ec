#include "CDC.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

const CPen* CDC::SelectObject(const CPen* pen) {
    const CPen* old = m_pPen;
    if (pen)
        m_pPen = pen;
    return old;
}

const CBrush* CDC::SelectObject(const CBrush* brush) {
    const CBrush* old = m_pBrush;
    if (brush)
        m_pBrush = brush;
    return old;
}

const CFont* CDC::SelectObject(const CFont* font) {
    const CFont* old = m_pFont;
    if (font)
        m_pFont = font;
    return old;
}

int CDC::SetBkMode(int mode) {
    int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    COLORREF old = m_crText;
    m_crText = colour;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    COLORREF old = m_crBk;
    m_crBk = colour;
    return old;
}

int CDC::SetROP2(int rop) {
    int old = m_nRop2;
    m_nRop2 = rop;
    return old;
}

CPoint CDC::MoveTo(int x, int y) {
    CPoint old = m_ptCurrent;
    m_ptCurrent = CPoint(x, y);
    return old;
}

void CDC::LineTo(int x, int y) {
    CPoint to(x, y);
    DrawLine(m_ptCurrent, to);
    m_ptCurrent = to;
}

int CDC::DrawText(const std::string& text, CRect& rect, unsigned format) {
    if (text.empty()) {
        if (format & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    std::vector<std::string> lines =
        (format & DT_SINGLELINE) ? std::vector<std::string>{text} : SplitLines(text);
    TEXTMETRIC tm = GetTextMetrics();
    int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int width = 0;
        for (const std::string& line : lines)
            width = std::max(width, GetTextExtent(line).cx);
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return height;
    }

    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + (rect.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect.bottom - lineHeight;
    }
    for (const std::string& line : lines) {
        int x = rect.left;
        if (format & (DT_CENTER | DT_RIGHT)) {
            int w = GetTextExtent(line).cx;
            x = (format & DT_CENTER) ? rect.left + (rect.Width() - w) / 2 : rect.right - w;
        }
        TextOut(x, y, line);
        y += lineHeight;
    }
    return height;
}
