#pragma once

#include "base/ColorRef.h"

#include <QColor>

// The model keeps colours as COLORREF (red in the low byte); Qt paints with QColor.
// The high byte (as in the default-colour value) is not a colour and is dropped.
inline QColor ToQColor(COLORREF cr) {
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

inline COLORREF ToColorRef(const QColor& colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}
