#include "XmlChecker.h"

#include <cctype>
#include <set>
#include <vector>

namespace {

class Checker {
public:
    explicit Checker(std::string_view doc) : m_doc(doc) {}

    std::string Run() {
        if (m_doc.substr(0, 5) == "<?xml") {
            const auto end = m_doc.find("?>");
            if (end == std::string_view::npos)
                return Fail("unterminated declaration");
            m_pos = end + 2;
        }
        SkipSpace();
        if (!Peek('<'))
            return Fail("no root element");
        if (!Element())
            return m_error;
        SkipSpace();
        if (m_pos != m_doc.size())
            return Fail("content after the root element");
        return {};
    }

private:
    std::string Fail(const std::string& what) {
        if (m_error.empty())
            m_error = what + " at offset " + std::to_string(m_pos);
        return m_error;
    }

    bool Peek(char c) const { return m_pos < m_doc.size() && m_doc[m_pos] == c; }

    void SkipSpace() {
        while (m_pos < m_doc.size() && (m_doc[m_pos] == ' ' || m_doc[m_pos] == '\t' ||
                                        m_doc[m_pos] == '\n' || m_doc[m_pos] == '\r'))
            ++m_pos;
    }

    static bool NameStart(char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == ':';
    }
    static bool NameChar(char c) {
        return NameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    }

    bool Name(std::string& name) {
        if (m_pos >= m_doc.size() || !NameStart(m_doc[m_pos])) {
            Fail("name expected");
            return false;
        }
        const auto start = m_pos;
        while (m_pos < m_doc.size() && NameChar(m_doc[m_pos]))
            ++m_pos;
        name = std::string(m_doc.substr(start, m_pos - start));
        return true;
    }

    // At '&': a predefined entity or a character reference.
    bool Reference() {
        const auto end = m_doc.find(';', m_pos);
        if (end == std::string_view::npos) {
            Fail("unterminated reference");
            return false;
        }
        const std::string_view ref = m_doc.substr(m_pos + 1, end - m_pos - 1);
        static const std::set<std::string_view> kEntities = {"amp", "lt", "gt", "quot", "apos"};
        bool ok = kEntities.count(ref) > 0;
        if (!ok && ref.size() > 1 && ref[0] == '#') {
            ok = true;
            const bool hex = ref[1] == 'x';
            for (std::size_t i = hex ? 2 : 1; i < ref.size(); ++i)
                ok = ok && (hex ? std::isxdigit(static_cast<unsigned char>(ref[i]))
                                : std::isdigit(static_cast<unsigned char>(ref[i])));
            ok = ok && ref.size() > (hex ? 2u : 1u);
        }
        if (!ok) {
            Fail("bad reference");
            return false;
        }
        m_pos = end + 1;
        return true;
    }

    bool Character(char c) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            Fail("control character");
            return false;
        }
        return true;
    }

    bool Attribute(std::set<std::string>& seen) {
        std::string name;
        if (!Name(name))
            return false;
        if (!seen.insert(name).second) {
            Fail("repeated attribute " + name);
            return false;
        }
        SkipSpace();
        if (!Peek('=')) {
            Fail("'=' expected");
            return false;
        }
        ++m_pos;
        SkipSpace();
        if (!Peek('"') && !Peek('\'')) {
            Fail("quoted value expected");
            return false;
        }
        const char quote = m_doc[m_pos++];
        while (m_pos < m_doc.size() && m_doc[m_pos] != quote) {
            const char c = m_doc[m_pos];
            if (c == '<') {
                Fail("'<' in attribute value");
                return false;
            }
            if (c == '&') {
                if (!Reference())
                    return false;
                continue;
            }
            if (!Character(c))
                return false;
            ++m_pos;
        }
        if (m_pos >= m_doc.size()) {
            Fail("unterminated attribute value");
            return false;
        }
        ++m_pos;
        return true;
    }

    bool Element() {
        ++m_pos; // '<'
        std::string name;
        if (!Name(name))
            return false;
        std::set<std::string> seen;
        for (;;) {
            const auto before = m_pos;
            SkipSpace();
            if (Peek('/')) {
                ++m_pos;
                if (!Peek('>')) {
                    Fail("'>' expected");
                    return false;
                }
                ++m_pos;
                return true;
            }
            if (Peek('>')) {
                ++m_pos;
                break;
            }
            if (m_pos == before) {
                Fail("blank expected before attribute");
                return false;
            }
            if (!Attribute(seen))
                return false;
        }
        // Content up to the matching end tag.
        for (;;) {
            if (m_pos >= m_doc.size()) {
                Fail("element " + name + " not closed");
                return false;
            }
            const char c = m_doc[m_pos];
            if (c == '<') {
                if (m_doc.substr(m_pos, 2) == "</") {
                    m_pos += 2;
                    std::string end;
                    if (!Name(end))
                        return false;
                    if (end != name) {
                        Fail("end tag " + end + " closes " + name);
                        return false;
                    }
                    SkipSpace();
                    if (!Peek('>')) {
                        Fail("'>' expected");
                        return false;
                    }
                    ++m_pos;
                    return true;
                }
                if (m_doc.substr(m_pos, 2) == "<!" || m_doc.substr(m_pos, 2) == "<?") {
                    Fail("markup the exports never write");
                    return false;
                }
                if (!Element())
                    return false;
                continue;
            }
            if (c == '&') {
                if (!Reference())
                    return false;
                continue;
            }
            if (c == '>' && m_pos >= 2 && m_doc.substr(m_pos - 2, 3) == "]]>") {
                Fail("']]>' in text");
                return false;
            }
            if (!Character(c))
                return false;
            ++m_pos;
        }
    }

    std::string_view m_doc;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

std::string CheckWellFormedXml(std::string_view document) {
    return Checker(document).Run();
}
