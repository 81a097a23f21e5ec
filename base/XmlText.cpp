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
            out += c;
        }
    }
    return out;
}

CFileResult Save(const std::string& path, std::string_view utf8Document) {
    return WriteFileAtomically(path, CodePage1250::FromUtf8(utf8Document));
}

} // namespace XmlText
