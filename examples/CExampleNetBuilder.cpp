#include "examples/CExampleNetBuilder.h"

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <algorithm>

namespace {

template <class Element>
Element* AddNamed(CNetDesign& net, CDC& dc, int x, int y, const std::string& name) {
    auto* label = new CPNLabel();
    label->m_strText = name;
    auto* element = new Element(x, y, label);
    label->m_pOwner = element;
    label->RecalcTextRect(dc);
    net.AddElement(element);
    net.AddElement(label);
    return element;
}

} // namespace

CPNCondition* CExampleNetBuilder::Condition(int x, int y, const std::string& name, bool token) {
    auto* condition = AddNamed<CPNCondition>(m_net, m_dc, x, y, name);
    condition->m_bToken = token;
    m_arrNodes.push_back(condition);
    return condition;
}

CPNEvent* CExampleNetBuilder::Event(int x, int y, const std::string& name) {
    auto* event = AddNamed<CPNEvent>(m_net, m_dc, x, y, name);
    m_arrNodes.push_back(event);
    return event;
}

void CExampleNetBuilder::Edge(CPNCondition* from, CPNEvent* to) {
    m_net.AddElement(new CPNEdge(from, to));
    m_arrEdges.emplace_back(from->m_ptPos, to->m_ptPos);
}

void CExampleNetBuilder::Edge(CPNEvent* from, CPNCondition* to) {
    m_net.AddElement(new CPNEdge(from, to));
    m_arrEdges.emplace_back(from->m_ptPos, to->m_ptPos);
}

bool CExampleNetBuilder::SegmentMeetsRect(CPoint a, CPoint b, const CRect& rect) {
    // The segment a + t (b - a), 0 <= t <= 1, clipped to the rectangle's slabs.
    double t0 = 0, t1 = 1;
    const double d[2] = {double(b.x - a.x), double(b.y - a.y)};
    const double p[2] = {double(a.x), double(a.y)};
    const double lo[2] = {double(rect.left), double(rect.top)};
    const double hi[2] = {double(rect.right), double(rect.bottom)};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (p[k] < lo[k] || p[k] > hi[k])
                return false;
            continue;
        }
        double u = (lo[k] - p[k]) / d[k], v = (hi[k] - p[k]) / d[k];
        if (u > v)
            std::swap(u, v);
        t0 = std::max(t0, u);
        t1 = std::min(t1, v);
        if (t0 > t1)
            return false;
    }
    return true;
}

void CExampleNetBuilder::PlaceNames() {
    std::vector<CRect> taken;
    for (const CPNElement* node : m_arrNodes)
        taken.push_back(node->GetBoundRect());
    constexpr int kGap = 4;
    for (CPNElement* node : m_arrNodes) {
        CPNLabel* label = CNetDesign::NameLabelOf(node);
        if (!label)
            continue;
        const CRect bound = node->GetBoundRect();
        const int dy = bound.Height() / 2 + kGap + (label->m_rcText.Height() + 1) / 2;
        const int dx = bound.Width() / 2 + kGap + (label->m_rcText.Width() + 1) / 2;
        // Where no place is clear the name stays above.
        bool bClear = false;
        for (const CSize side : {CSize(0, -dy), CSize(dx, 0), CSize(-dx, 0), CSize(0, dy)}) {
            label->MoveTo(node->m_ptPos + side);
            CRect room = label->m_rcText;
            room.InflateRect(2, 2);
            CRect overlap;
            const bool clear =
                std::none_of(m_arrEdges.begin(), m_arrEdges.end(),
                             [&](const auto& edge) {
                                 return SegmentMeetsRect(edge.first, edge.second, room);
                             }) &&
                std::none_of(taken.begin(), taken.end(), [&](const CRect& other) {
                    return overlap.IntersectRect(room, other);
                });
            if ((bClear = clear))
                break;
        }
        if (!bClear)
            label->MoveTo(node->m_ptPos + CSize(0, -dy));
        taken.push_back(label->m_rcText);
    }
}
