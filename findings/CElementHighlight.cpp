#include "findings/CElementHighlight.h"

#include "base/CDC.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"

namespace {

// A broad ring just outside the element's outline (radius or half side 15).
constexpr int kReach = 21;

const CPen* HighlightPen() {
    static const CPen pen(PS_SOLID, 5, CElementHighlight::kColour);
    return &pen;
}

} // namespace

void CElementHighlight::Set(const std::vector<Mark>& marks) {
    m_mapMarks.clear();
    for (const Mark& mark : marks)
        if (mark.element)
            m_mapMarks[mark.element->GetSerial()] = mark.text;
}

bool CElementHighlight::IsMarked(const CPNElement* element) const {
    return element && m_mapMarks.count(element->GetSerial()) != 0;
}

std::string CElementHighlight::TextOf(const CPNElement* element) const {
    const auto it = element ? m_mapMarks.find(element->GetSerial()) : m_mapMarks.end();
    return it == m_mapMarks.end() ? std::string() : it->second;
}

bool CElementHighlight::MarkRect(const CPNElement* element, CRect& rect) {
    if (!dynamic_cast<const CPNCondition*>(element) && !dynamic_cast<const CPNEvent*>(element))
        return false;
    const CPoint at = element->m_ptPos;
    rect = CRect(at.x - kReach, at.y - kReach, at.x + kReach, at.y + kReach);
    return true;
}

void CElementHighlight::Draw(CDC& dc, const CNetDesign& net) const {
    if (m_mapMarks.empty())
        return;
    const CPen* oldPen = dc.SelectObject(HighlightPen());
    const CBrush* oldBrush = dc.SelectStockBrush(HOLLOW_BRUSH);
    const COLORREF oldText = dc.SetTextColor(kColour);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    for (const CPNElement* element : net.m_listElements) {
        const auto it = m_mapMarks.find(element->GetSerial());
        CRect rect;
        if (it == m_mapMarks.end() || !MarkRect(element, rect))
            continue;
        if (dynamic_cast<const CPNCondition*>(element))
            dc.Ellipse(rect);
        else
            dc.Rectangle(rect);
        // The weight or count at the lower right, clear of the name above.
        if (!it->second.empty())
            dc.TextOut(rect.right + 2, rect.bottom - 12, it->second);
    }
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

CRect CElementHighlight::Bounds(const CNetDesign& net) const {
    CRect bounds;
    for (const CPNElement* element : net.m_listElements) {
        CRect rect;
        if (!m_mapMarks.count(element->GetSerial()) || !MarkRect(element, rect))
            continue;
        // Room for the pen and a text of a few digits.
        rect.InflateRect(4, 4);
        rect.right += 60;
        bounds |= rect;
    }
    return bounds;
}
