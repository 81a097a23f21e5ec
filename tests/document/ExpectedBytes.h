#pragma once

// Builds the bytes a record is expected to have, value by value in the file's encoding,
// so that tests state the layout independently of the code that writes it.

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/LogFont.h"

#include <cstdint>
#include <string>
#include <vector>

class ExpectedBytes {
public:
    ExpectedBytes& Int32(std::int32_t v) { return Put(static_cast<std::uint32_t>(v), 4); }
    ExpectedBytes& Bool32(bool v) { return Int32(v ? 1 : 0); }
    ExpectedBytes& Word(std::uint16_t v) { return Put(v, 2); }
    ExpectedBytes& Byte(std::uint8_t v) { return Put(v, 1); }
    ExpectedBytes& Point(CPoint pt) { return Int32(pt.x).Int32(pt.y); }
    ExpectedBytes& Rect(const CRect& rc) {
        return Int32(rc.left).Int32(rc.top).Int32(rc.right).Int32(rc.bottom);
    }
    // An ASCII string shorter than 255 characters.
    ExpectedBytes& Str(const std::string& s) {
        Byte(static_cast<std::uint8_t>(s.size()));
        for (char c : s)
            Byte(static_cast<std::uint8_t>(c));
        return *this;
    }
    ExpectedBytes& Count(std::uint16_t n) { return Word(n); }
    // The tag of an object whose class appears for the first time.
    ExpectedBytes& NewClass(const std::string& name) {
        Word(0xFFFF).Word(1).Word(static_cast<std::uint16_t>(name.size()));
        for (char c : name)
            Byte(static_cast<std::uint8_t>(c));
        return *this;
    }
    // The tag of a new object of a class already in the table.
    ExpectedBytes& OldClass(std::uint16_t classIndex) { return Word(0x8000 | classIndex); }
    ExpectedBytes& Ref(std::uint16_t index) { return Word(index); }
    ExpectedBytes& Null() { return Word(0); }
    // A label's fields up to its owner: position, text, colour, the font field by field,
    // visible, the text rectangle.
    ExpectedBytes& Label(CPoint pos, const std::string& text, std::uint32_t colour,
                         const LOGFONT& lf, bool visible, const CRect& rcText) {
        Point(pos).Str(text).Int32(static_cast<std::int32_t>(colour));
        Byte(lf.lfCharSet).Byte(lf.lfClipPrecision).Int32(lf.lfEscapement).Str(lf.lfFaceName);
        Int32(lf.lfHeight).Byte(lf.lfItalic).Int32(lf.lfOrientation).Byte(lf.lfOutPrecision);
        Byte(lf.lfPitchAndFamily).Byte(lf.lfQuality).Byte(lf.lfStrikeOut).Byte(lf.lfUnderline);
        return Int32(lf.lfWeight).Int32(lf.lfWidth).Bool32(visible).Rect(rcText);
    }
    ExpectedBytes& Append(const std::vector<std::uint8_t>& more) {
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        return *this;
    }

    const std::vector<std::uint8_t>& Get() const { return m_bytes; }

private:
    ExpectedBytes& Put(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    std::vector<std::uint8_t> m_bytes;
};
