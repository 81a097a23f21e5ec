#pragma once

#include "base/CRect.h"
#include "base/ColorRef.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CDC;
class CNetDesign;
class CPNElement;

// Conditions and events of the net design marked for the eye (those of an invariant or
// a siphon chosen in a list): a broad ring round each condition, a broad frame round each
// event, and beside it its weight or count where one is given. The marks name the
// elements by serial number, so that an element deleted meanwhile is simply not drawn;
// they are drawn on any device context over the net that holds the elements.
class CElementHighlight {
public:
    struct Mark {
        const CPNElement* element = nullptr;
        // Drawn beside the element ("2", "×3"); none where empty.
        std::string text;
    };

    static constexpr COLORREF kColour = RGB(0, 160, 160);

    void Set(const std::vector<Mark>& marks);
    void Clear() { m_mapMarks.clear(); }
    bool IsEmpty() const { return m_mapMarks.empty(); }
    // Whether the element is marked, and its text.
    bool IsMarked(const CPNElement* element) const;
    std::string TextOf(const CPNElement* element) const;
    std::size_t Count() const { return m_mapMarks.size(); }

    // The marks of the net's elements, over them.
    void Draw(CDC& dc, const CNetDesign& net) const;
    // The rectangle the marks of the net's elements cover.
    CRect Bounds(const CNetDesign& net) const;

private:
    // The rectangle of an element's mark and its text, and whether it is one it marks.
    static bool MarkRect(const CPNElement* element, CRect& rect);

    std::unordered_map<std::uint64_t, std::string> m_mapMarks;
};
