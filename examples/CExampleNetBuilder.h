#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

#include <string>
#include <utility>
#include <vector>

class CDC;
class CNetDesign;
class CPNCondition;
class CPNElement;
class CPNEvent;

// Draws an example net through the model: named conditions and events at the given
// places, with their name labels measured on the context, and the edges between them.
class CExampleNetBuilder {
public:
    CExampleNetBuilder(CNetDesign& net, CDC& dc) : m_net(net), m_dc(dc) {}

    CPNCondition* Condition(int x, int y, const std::string& name, bool token = false);
    CPNEvent* Event(int x, int y, const std::string& name);
    void Edge(CPNCondition* from, CPNEvent* to);
    void Edge(CPNEvent* from, CPNCondition* to);

    // Puts every name, drawn above its node at first, above, right of, left of or below
    // it: the first place clear of every edge, every node and the names placed before.
    void PlaceNames();

    // The straight line from a to b crosses or touches the rectangle.
    static bool SegmentMeetsRect(CPoint a, CPoint b, const CRect& rect);

private:
    CNetDesign& m_net;
    CDC& m_dc;
    std::vector<CPNElement*> m_arrNodes;
    std::vector<std::pair<CPoint, CPoint>> m_arrEdges;
};
