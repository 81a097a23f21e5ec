#pragma once

#include "base/CDC.h"
#include "platform/CTextWidthCache.h"

#include <QFont>
#include <QFontMetrics>

#include <optional>

// A device context that measures text with the fonts and metrics of the Qt back end
// and draws nothing: label layout without a window. The drawing contexts of this
// layer derive from it, so that what is measured is what is drawn.
class CMeasureDC : public CDC {
public:
    void Ellipse(int, int, int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void Polygon(const CPoint*, int) override {}
    void SetPixel(int, int, COLORREF) override {}
    void FillSolidRect(const CRect&, COLORREF) override {}
    void TextOut(int, int, const std::string&) override {}

    CSize GetTextExtent(const std::string& text) override;
    // Height = ascent + descent; the external leading is the font's line gap.
    TEXTMETRIC GetTextMetrics() override;

protected:
    void DrawLine(CPoint, CPoint) override {}

    // The Qt font and metrics of the selected font, made once per font record.
    const QFont& CurrentQFont();
    const QFontMetrics& CurrentMetrics();

private:
    void Refresh();

    LOGFONT m_lfCached;
    std::optional<QFont> m_font;
    std::optional<QFontMetrics> m_metrics;
    std::optional<CTextWidthCache> m_widths;
    std::optional<TEXTMETRIC> m_textMetrics;
};
