#include "NetFixture.h"
#include "simulation/CNetComplement.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>
#include <vector>

using ::testing::ElementsAre;

namespace {

struct ComplementTest : NetFixture {
    std::vector<CPNCondition*> Conditions() const {
        std::vector<CPNCondition*> result;
        for (CPNElement* e : net.m_listElements)
            if (auto* c = dynamic_cast<CPNCondition*>(e))
                result.push_back(c);
        return result;
    }

    CPNCondition* Named(const std::string& name) const {
        for (CPNCondition* c : Conditions())
            if (c->m_pLabel && c->m_pLabel->m_strText == name)
                return c;
        return nullptr;
    }

    bool HasEdge(const CPNElement* from, const CPNElement* to) const {
        for (CPNElement* e : net.m_listElements)
            if (auto* edge = dynamic_cast<CPNEdge*>(e); edge && edge->IsBetween(from, to))
                return true;
        return false;
    }
};

// In the chain a -> e -> b -> f -> c no condition has a complement; the conditions of
// a single step a -> e -> b would complement each other.
TEST_F(ComplementTest, AddsMirroredComplementsAndNothingOnASecondRun) {
    CPNCondition* a = AddCondition("a", 100, 200, true);
    CPNCondition* b = AddCondition("b", 300, 50);
    CPNCondition* c = AddCondition("c", 500, 200);
    CPNEvent* e = AddEvent("e", 200, 120);
    CPNEvent* f = AddEvent("f", 400, 120);
    for (auto [from, to] : {std::pair<CPNElement*, CPNElement*>{a, e}, {e, b}, {b, f}, {f, c}})
        AddEdge(from, to);
    Build();

    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 3);
    EXPECT_THAT(sink.panes[PANE_ANALYSIS],
                ElementsAre("Adding complement { not a } to condition { a }",
                            "Adding complement { not b } to condition { b }",
                            "Adding complement { not c } to condition { c }"));

    CPNCondition* notA = Named("not a");
    CPNCondition* notB = Named("not b");
    CPNCondition* notC = Named("not c");
    ASSERT_TRUE(notA && notB && notC);
    EXPECT_EQ(notA->m_ptPos, CPoint(100, 140));
    EXPECT_EQ(notB->m_ptPos, CPoint(300, 110)); // b lies less than 80 from the top
    EXPECT_TRUE(notB->m_bToken && !notA->m_bToken);
    EXPECT_TRUE(HasEdge(e, notA) && HasEdge(notB, e) && HasEdge(f, notB) && HasEdge(notC, f));
    EXPECT_FALSE(HasEdge(notA, e));
    EXPECT_EQ(net.m_listElements.size(), 10u + 4u + 3u * 2u + 4u);

    // The label follows its condition in the net, owned by it, measured and placed.
    auto it = std::find(net.m_listElements.begin(), net.m_listElements.end(), notA);
    ASSERT_NE(std::next(it), net.m_listElements.end());
    EXPECT_EQ(*std::next(it), notA->m_pLabel);
    EXPECT_EQ(notA->m_pLabel->m_pOwner, notA);
    EXPECT_EQ(notA->m_pLabel->m_ptPos, CPoint(100, 110));
    EXPECT_EQ(notA->m_pLabel->m_rcText.Width(), 5 * RecordingDC::kCharWidth);

    Build();
    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 0);
    EXPECT_TRUE(sink.panes[PANE_ANALYSIS].empty());
}

TEST_F(ComplementTest, PositionsAroundTheTopMargin) {
    CPNCondition* high = AddCondition("high", 100, 79);
    CPNCondition* low = AddCondition("low", 200, 80);
    AddEvent("e", {high, low}, {});
    Build();
    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 2);
    ASSERT_TRUE(Named("not high") && Named("not low"));
    EXPECT_EQ(Named("not high")->m_ptPos, CPoint(100, 139));
    EXPECT_EQ(Named("not low")->m_ptPos, CPoint(200, 20));
}

// The complements added by the run have no sets until the next build; an isolated
// condition examined after them still gets its own complement, wherever it stands.
TEST_F(ComplementTest, NewComplementsDoNotPassForAnIsolatedConditionsComplement) {
    AddEvent("e", {AddCondition("a")}, {});
    AddCondition("x");
    Build();
    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 2);
    ASSERT_NE(Named("not x"), nullptr);
    Build();
    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 0);
}

TEST_F(ComplementTest, UnnamedConditionGetsNotAndABlank) {
    auto* c = new CPNCondition(100, 200, nullptr);
    net.AddElement(c);
    CPNEvent* e = AddEvent("e");
    AddEdge(c, e);
    Build();
    EXPECT_EQ(CNetComplement(net).Complement(dc, false), 1);
    EXPECT_THAT(sink.panes[PANE_ANALYSIS],
                ElementsAre("Adding complement { not  } to condition {  }"));
    EXPECT_NE(Named("not "), nullptr);
}

} // namespace
