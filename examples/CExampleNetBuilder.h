#pragma once

#include <string>

class CDC;
class CNetDesign;
class CPNCondition;
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

private:
    CNetDesign& m_net;
    CDC& m_dc;
};
