#include "XmlText.h"

#include "CodePage1250.h"
#include "FileIO.h"

namespace XmlText {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        // Control characters have no place in XML 1.0, not even as references, and the
        // C1 ones (U+0080 to U+009F) have no byte in Windows-1250 that a reader decodes:
        // a name read from another writer's file must not spoil the export.
        if (byte == 0xC2 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += '?';
            ++i;
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += byte < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?' : c;
        }
    }
    return out;
}

CFileResult Save(const std::string& path, std::string_view utf8Document) {
    return WriteFileAtomically(path, CodePage1250::FromUtf8(utf8Document));
}

} // namespace XmlText
