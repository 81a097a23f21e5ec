#pragma once

#include <cstdint>
#include <string>

// The logical font record: the description from which a font is made. It holds the
// fields the document file stores; the face name keeps at most 31 characters.
struct LOGFONT {
    std::int32_t lfHeight = 0; // negative: character height in pixels
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0; // 0 default, 400 normal, 700 bold
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;

    static constexpr std::size_t kMaxFaceName = 31;

    bool operator==(const LOGFONT&) const = default;

    // Stores the name, cut to the characters the record can hold.
    void SetFaceName(const std::string& name) { lfFaceName = name.substr(0, kMaxFaceName); }
};

constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::int32_t FW_NORMAL = 400;
constexpr std::int32_t FW_BOLD = 700;
