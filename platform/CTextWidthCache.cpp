#include "platform/CTextWidthCache.h"

#include <QString>

#include <cmath>

CTextWidthCache::CTextWidthCache(const QFont& font) : m_metrics(font) {
    m_advance.fill(-1.0);
}

qreal CTextWidthCache::Advance(int c) {
    qreal& advance = m_advance[static_cast<std::size_t>(c - kFirst)];
    if (advance < 0.0)
        advance = m_metrics.horizontalAdvance(QString(QChar(c)));
    return advance;
}

bool CTextWidthCache::IsAdditive(int a, int b) {
    std::uint8_t& known = m_pair[static_cast<std::size_t>((a - kFirst) * kCount + (b - kFirst))];
    if (known == 0) {
        const QString pair = QString(QChar(a)) + QChar(b);
        known = m_metrics.horizontalAdvance(pair) == Advance(a) + Advance(b) ? 1 : 2;
    }
    return known == 1;
}

std::optional<int> CTextWidthCache::Width(const std::string& text) {
    qreal width = 0.0;
    int previous = -1;
    for (const char ch : text) {
        const int c = static_cast<unsigned char>(ch);
        if (c < kFirst || c > kLast)
            return std::nullopt;
        if (previous >= 0 && !IsAdditive(previous, c))
            return std::nullopt;
        width += Advance(c);
        previous = c;
    }
    // Qt rounds a shaped width half up.
    return static_cast<int>(std::floor(width + 0.5));
}
