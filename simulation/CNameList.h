#pragma once

#include <string>
#include <vector>

class CPNElement;

// The list of names an analysis appends to its error line ("found 2 ...: " ends with its
// blank): ", " between two items. Two items a and b give "a, b".
class CNameList {
public:
    void Append(const std::string& item);
    bool IsEmpty() const { return m_bEmpty; }
    const std::string& GetText() const { return m_strText; }

    // The text of a condition's or an event's name label; empty for anything else and
    // for an element without one.
    static std::string NameOf(const CPNElement* element);
    // The names an error line of the net's test lists ("Error: found 2 isolated
    // condition(s): p, q", pairs as "a and b"), in the order written; none for any other
    // line.
    static std::vector<std::string> NamesInErrorLine(const std::string& line);

private:
    std::string m_strText;
    bool m_bEmpty = true;
};
