#include "XmlText.h"

#include "CodePage1250.h"
#include "FileIO.h"

namespace XmlText {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
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
            // Control characters have no place in XML 1.0, not even as references: a
            // name read from another writer's file must not make the export ill-formed.
            const auto byte = static_cast<unsigned char>(c);
            out += byte < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?' : c;
        }
    }
    return out;
}

CFileResult Save(const std::string& path, std::string_view utf8Document) {
    return WriteFileAtomically(path, CodePage1250::FromUtf8(utf8Document));
}

} // namespace XmlText
