#pragma once

#include <string>

class CPNElement;

// The list of names an analysis appends to its error line: "," before every item but
// the first, then a blank, then the item. Two items a and b give " a, b".
class CNameList {
public:
    void Append(const std::string& item);
    bool IsEmpty() const { return m_bEmpty; }
    const std::string& GetText() const { return m_strText; }

    // The text of a condition's or an event's name label; empty for anything else and
    // for an element without one.
    static std::string NameOf(const CPNElement* element);

private:
    std::string m_strText;
    bool m_bEmpty = true;
};
