#include "TestNet.h"

#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "platform/CMeasureDC.h"
#include "support/NetFamilies.h"

TestNet::TestNet() {
    CMeasureDC dc;
    NetBuilder b(net, &dc);
    CPNCondition* b1 = b.ConditionAt("b1", CPoint(60, 60), true);
    CPNEvent* e1 = b.EventAt("e1", CPoint(140, 60));
    CPNCondition* b2 = b.ConditionAt("b2", CPoint(220, 60));
    b.Edge(b1, e1);
    b.Edge(e1, b2);
    net.m_sizeNet = CSize(300, 120);
}
