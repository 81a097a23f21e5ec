#include "model/CNetDesign.h"
#include "model/CNoEditRecorder.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Remembers which elements were deleted.
std::set<int>& Deleted() {
    static std::set<int> deleted;
    return deleted;
}

template <class Base> class Tracked : public Base {
public:
    template <class... Args>
    explicit Tracked(int id, Args&&... args) : Base(std::forward<Args>(args)...), m_nId(id) {}
    ~Tracked() override { Deleted().insert(m_nId); }

private:
    int m_nId;
};

struct NetDesignTest : ::testing::Test {
    NetDesignTest() { Deleted().clear(); }

    // A condition with its name label, both in the net, the label owned.
    CPNCondition* AddCondition(int id, int x, int y, const char* name, bool token = false) {
        auto* label = new Tracked<CPNLabel>(id + 1000);
        label->SetText(name, dc);
        auto* c = new Tracked<CPNCondition>(id, x, y, label);
        c->m_bToken = token;
        net.AddElement(c);
        net.AddElement(label);
        label->m_pOwner = c;
        return c;
    }

    CPNEvent* AddEvent(int id, int x, int y, const char* name) {
        auto* label = new Tracked<CPNLabel>(id + 1000);
        label->SetText(name, dc);
        auto* e = new Tracked<CPNEvent>(id, x, y, label);
        net.AddElement(e);
        net.AddElement(label);
        label->m_pOwner = e;
        return e;
    }

    CPNEdge* AddEdge(int id, CPNElement* from, CPNElement* to) {
        auto* edge = new Tracked<CPNEdge>(id, from, to, false);
        return net.AddElement(edge) ? edge : nullptr;
    }

    std::vector<CPNElement*> Elements() const {
        return {net.m_listElements.begin(), net.m_listElements.end()};
    }

    RecordingDC dc;
    CNetDesign net;
};

} // namespace

TEST_F(NetDesignTest, DuplicateEdgeIsRefusedAndDeleted) {
    CPNCondition* c = AddCondition(1, 100, 100, "b1");
    CPNEvent* e = AddEvent(2, 200, 100, "e1");
    ASSERT_NE(AddEdge(3, c, e), nullptr);
    const auto before = Elements();
    EXPECT_EQ(AddEdge(4, c, e), nullptr);
    EXPECT_TRUE(Deleted().count(4));
    EXPECT_EQ(Elements(), before);
    EXPECT_NE(AddEdge(5, e, c), nullptr);
    EXPECT_EQ(net.m_listElements.size(), 6u);
}

TEST_F(NetDesignTest, ZOrderToBackReversesAndToFrontKeepsTheOrder) {
    auto* x = new CPNPolygon(0, 0);
    auto* a = new CPNCondition(100, 100, nullptr);
    auto* b = new CPNCondition(200, 100, nullptr);
    auto* y = new CPNPolygon(0, 100);
    for (CPNElement* el : std::vector<CPNElement*>{x, a, b, y})
        net.AddElement(el);
    std::list<CPNElement*> ab{a, b};
    const CRect repaint = net.ChangeZOrder(ab, true, CNoEditRecorder::Instance());
    EXPECT_EQ(Elements(), (std::vector<CPNElement*>{b, a, x, y}));
    EXPECT_EQ(repaint, a->GetBoundRect() | b->GetBoundRect());
    net.ChangeZOrder(ab, false, CNoEditRecorder::Instance());
    EXPECT_EQ(Elements(), (std::vector<CPNElement*>{x, y, a, b}));

    // An element that is not in the net still counts for the repaint rectangle.
    CPNCondition stranger(500, 500, nullptr);
    std::list<CPNElement*> one{&stranger};
    EXPECT_EQ(net.ChangeZOrder(one, true, CNoEditRecorder::Instance()), stranger.GetBoundRect());
    EXPECT_EQ(net.m_listElements.size(), 4u);
}

TEST_F(NetDesignTest, DeletingAConditionTakesItsLabelAndEdgesAlong) {
    CPNCondition* c = AddCondition(1, 100, 100, "b1");
    CPNEvent* e = AddEvent(2, 200, 100, "e1");
    CPNCondition* d = AddCondition(3, 300, 100, "b2");
    CPNEdge* in = AddEdge(4, c, e);
    CPNEdge* back = AddEdge(5, e, c);
    AddEdge(6, e, d);
    const CRect expected =
        c->GetBoundRect() | c->m_pLabel->GetBoundRect() | in->GetBoundRect() | back->GetBoundRect();
    std::list<CPNElement*> victims{c};
    const CRect repaint = net.DeleteElements(victims);
    EXPECT_TRUE(victims.empty());
    EXPECT_EQ(Deleted(), (std::set<int>{1, 1001, 4, 5}));
    EXPECT_EQ(net.m_listElements.size(), 5u); // e, its label, d, its label, edge 6
    EXPECT_EQ(repaint, expected);
}

TEST_F(NetDesignTest, DeletingAFreeLabelLeavesNoNameReferringToIt) {
    CPNCondition* c = AddCondition(1, 100, 100, "b1");
    c->m_pLabel->m_pOwner = nullptr; // a label that lost its owner
    std::list<CPNElement*> victims{c->m_pLabel};
    net.DeleteElements(victims);
    EXPECT_TRUE(Deleted().count(1001));
    EXPECT_EQ(c->m_pLabel, nullptr);
    EXPECT_EQ(c->MoveTo({0, 0}), CRect(-21, -21, 121, 121));
}

TEST_F(NetDesignTest, BuildStructureDerivesTheFlowRelationAndReportsTheCounts) {
    RecordingOutputSink sink;
    CPNCondition* b1 = AddCondition(1, 100, 100, "b1", true);
    CPNCondition* b2 = AddCondition(2, 300, 100, "b2");
    CPNEvent* e1 = AddEvent(3, 200, 100, "e1");
    AddEdge(4, b1, e1);
    CPNEdge* out = AddEdge(5, e1, b2);
    net.AddElement(new CPNPolygon(0, 0));

    const CSetConditions initial = net.BuildStructure();
    EXPECT_EQ(initial.ToString(false), "{ b1 }");
    EXPECT_EQ(sink.all, (std::vector<RecordingOutputSink::Line>{
                            {0, "Net elements: 2 conditions, 1 events, 2 edges"}}));
    EXPECT_EQ(e1->m_setPreConditions.ToString(false), "{ b1 }");
    EXPECT_EQ(e1->m_setPostConditions.ToString(false), "{ b2 }");
    EXPECT_EQ(b1->m_setPostEvents.ToString(), "{ e1 }");
    EXPECT_EQ(b2->m_setPreEvents.ToString(), "{ e1 }");
    EXPECT_TRUE(b1->m_setPreEvents.IsEmpty());
    // The token paths are ready for the simulation.
    EXPECT_NE(out->GetTokenPathPoint(0), CPoint(0, 0));

    // The sets are rebuilt, not added to: a deleted edge leaves them.
    std::list<CPNElement*> victims{out};
    net.DeleteElements(victims);
    net.BuildStructure();
    EXPECT_TRUE(e1->m_setPostConditions.IsEmpty() && b2->m_setPreEvents.IsEmpty());
    EXPECT_EQ(sink.panes[0].back(), "Net elements: 2 conditions, 1 events, 1 edges");
}
