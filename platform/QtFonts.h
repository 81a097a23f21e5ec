#pragma once

#include "base/LogFont.h"

#include <QFont>
#include <QString>

#include <string>

// The Qt font for a logical font record. A negative height is the character height in
// pixels, a positive one the cell height (character plus internal leading), zero the
// default 12 pixels. The Windows faces the documents name ("Arial", "Courier New",
// "Times New Roman") resolve to their metric-compatible Liberation faces.
QFont MakeQFont(const LOGFONT& lf);

// The program's texts are UTF-8.
inline QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
