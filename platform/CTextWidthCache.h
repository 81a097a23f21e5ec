#pragma once

#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The widths of plain ASCII texts in one font without shaping each text: the sum of
// the characters' advances, rounded as Qt rounds a shaped width. It answers only where
// that sum is exact, that is where every neighbouring pair of characters in the text
// was found to have no kerning or ligature (measured once per pair); otherwise the
// caller shapes the text. Case graphs name hundreds of thousands of steps "s1", "s2",
// ...: their labels are measured in a few lookups each.
class CTextWidthCache {
public:
    explicit CTextWidthCache(const QFont& font);

    // The width the font's metrics would give the text, or nothing when this cache
    // cannot be sure of it.
    std::optional<int> Width(const std::string& text);

private:
    static constexpr int kFirst = 32;
    static constexpr int kLast = 126;
    static constexpr int kCount = kLast - kFirst + 1;
    qreal Advance(int c);
    bool IsAdditive(int a, int b);

    QFontMetricsF m_metrics;
    // Advances of the characters; negative while unknown.
    std::array<qreal, kCount> m_advance;
    // Per ordered pair: 0 unknown, 1 additive, 2 not.
    std::array<std::uint8_t, kCount * kCount> m_pair{};
};
