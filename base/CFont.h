#pragma once

#include "LogFont.h"

// A font made from a logical font record.
class CFont {
public:
    CFont() = default;
    explicit CFont(const LOGFONT& lf) : m_logFont(lf) {}

    void CreateFontIndirect(const LOGFONT& lf) { m_logFont = lf; }
    const LOGFONT& GetLogFont() const { return m_logFont; }

    // The font a device context starts with: Arial, 12 pixels.
    static const CFont* Default();

private:
    LOGFONT m_logFont;
};
