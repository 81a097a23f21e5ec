#include "platform/CMeasureDC.h"

#include "platform/QtFonts.h"

#include <algorithm>

void CMeasureDC::Refresh() {
    const LOGFONT& lf = GetCurrentFont().GetLogFont();
    if (m_font && lf == m_lfCached)
        return;
    m_lfCached = lf;
    m_font = MakeQFont(lf);
    m_metrics.emplace(*m_font);
    m_widths.emplace(*m_font);
    m_textMetrics.reset();
}

const QFont& CMeasureDC::CurrentQFont() {
    Refresh();
    return *m_font;
}

const QFontMetrics& CMeasureDC::CurrentMetrics() {
    Refresh();
    return *m_metrics;
}

CSize CMeasureDC::GetTextExtent(const std::string& text) {
    const QFontMetrics& fm = CurrentMetrics();
    if (const std::optional<int> width = m_widths->Width(text))
        return CSize(*width, fm.height());
    return CSize(fm.horizontalAdvance(ToQString(text)), fm.height());
}

TEXTMETRIC CMeasureDC::GetTextMetrics() {
    const QFontMetrics& fm = CurrentMetrics();
    if (m_textMetrics)
        return *m_textMetrics;
    TEXTMETRIC& tm = m_textMetrics.emplace();
    tm.tmHeight = fm.height();
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    return tm;
}
