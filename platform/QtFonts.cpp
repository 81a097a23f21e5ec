#include "platform/QtFonts.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int kDefaultPixelHeight = 12;

void InstallSubstitutions() {
    static const bool installed = [] {
        // Documents name the Windows faces; without them installed, their
        // metric-compatible twins keep the label layout of the original.
        QFont::insertSubstitution("Arial", "Liberation Sans");
        QFont::insertSubstitution("Arial CE", "Liberation Sans");
        QFont::insertSubstitution("Helvetica", "Liberation Sans");
        QFont::insertSubstitution("Courier New", "Liberation Mono");
        QFont::insertSubstitution("Times New Roman", "Liberation Serif");
        return true;
    }();
    (void)installed;
}

} // namespace

QFont MakeQFont(const LOGFONT& lf) {
    InstallSubstitutions();
    QFont font(ToQString(lf.lfFaceName.empty() ? std::string("Arial") : lf.lfFaceName));
    if ((lf.lfPitchAndFamily & 0xF0) == 0x30)
        font.setStyleHint(QFont::TypeWriter);
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight / 10 * 10, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setKerning(false);

    if (lf.lfHeight < 0) {
        font.setPixelSize(-lf.lfHeight);
    } else if (lf.lfHeight == 0) {
        font.setPixelSize(kDefaultPixelHeight);
    } else {
        // The cell height is ascent plus descent: scale the character size to fit it.
        font.setPixelSize(lf.lfHeight);
        int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != lf.lfHeight)
            font.setPixelSize(std::max(1, lf.lfHeight * lf.lfHeight / cell));
    }
    return font;
}
