#include "OccurrenceFixture.h"

#include <gmock/gmock.h>

#include <map>

using ::testing::ElementsAre;

namespace {

struct LayoutTest : OccurrenceFixture {
    // Every node's position, for comparing layouts.
    std::vector<CPoint> Positions() const {
        std::vector<CPoint> result;
        for (const CPNElement* e : record.m_listElements)
            if (dynamic_cast<const CPNPlace*>(e) || dynamic_cast<const CPNOccurrence*>(e))
                result.push_back(e->m_ptPos);
        return result;
    }

    CPNPlace* PlaceOf(const CPNCondition* c) const {
        for (CPNPlace* p : All<CPNPlace>())
            if (p->m_pCondition == c)
                return p;
        return nullptr;
    }
};

TEST_F(LayoutTest, StepFillsAnOccurrenceColumnAndAPlaceColumn) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* e = AddEvent("e", {a}, {c});
    Prepare();
    record.Start(Case({a, b}));
    Fire(Case({a, b}), {e});
    EXPECT_EQ(record.Layout(dc), CSize(230, 230));
    EXPECT_EQ(record.m_nColumns, 2);
    EXPECT_TRUE(record.m_bPlaceColumn);
    EXPECT_EQ(PlaceOf(a)->m_ptPos, CPoint(80, 80));
    EXPECT_EQ(PlaceOf(b)->m_ptPos, CPoint(80, 130));
    const auto occurrence = All<CPNOccurrence>().front();
    EXPECT_EQ(occurrence->m_ptPos, CPoint(130, 80));
    EXPECT_EQ(occurrence->m_label.m_strText, "e1");
    EXPECT_EQ(PlaceOf(c)->m_ptPos, CPoint(180, 80));
    EXPECT_EQ(PlaceOf(c)->m_label.m_strText, "b3");
    // Edges are routed, from border to border.
    for (const CPNEdge* edge : All<CPNEdge>())
        EXPECT_TRUE(edge->m_bVisible && edge->m_listPoints.size() == 3u);
    EXPECT_EQ(All<CPNEdge>()[0]->m_listPoints.front().m_pt, CPoint(95, 80));
    EXPECT_EQ(All<CPNEdge>()[0]->m_listPoints.back().m_pt, CPoint(114, 80));
}

TEST_F(LayoutTest, SingleInputAndSingleOutputAreStraightened) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* e = AddEvent("e", {b}, {c});
    Prepare();
    record.Start(Case({a, b}));
    Fire(Case({a, b}), {e});
    record.Layout(dc);
    // The occurrence comes onto b's row and c's place onto the occurrence's.
    EXPECT_EQ(All<CPNOccurrence>().front()->m_ptPos, CPoint(130, 130));
    EXPECT_EQ(PlaceOf(c)->m_ptPos, CPoint(180, 130));
    EXPECT_EQ(PlaceOf(c)->m_label.m_rcText.CenterPoint(), CPoint(180, 130));
    EXPECT_EQ(record.m_nRows, 2);
}

TEST_F(LayoutTest, ForkAndJoinAreNotStraightened) {
    auto [a, b, c, d] = AddConditions("a", "b", "c", "d");
    CPNEvent* e = AddEvent("e", {a, b}, {c, d});
    Prepare();
    record.Start(Case({a, b}));
    Fire(Case({a, b}), {e});
    record.Layout(dc);
    EXPECT_THAT(Positions(), ElementsAre(CPoint(80, 80), CPoint(80, 130), CPoint(130, 80),
                                         CPoint(180, 80), CPoint(180, 130)));
}

TEST_F(LayoutTest, LaterRunsPlaceOnlyWhatIsNew) {
    auto [a, b] = AddConditions("a", "b");
    CPNEvent* e = AddEvent("e", {a}, {b});
    CPNEvent* f = AddEvent("f", {b}, {a});
    Prepare();
    record.Start(Case({a}));
    CSetConditions current = Fire(Case({a}), {e});
    record.Layout(dc);
    // The user moves a laid-out place; the next run leaves it there.
    CPNPlace* first = All<CPNPlace>().front();
    first->MoveTo(CPoint(60, 300));
    Fire(current, {f});
    EXPECT_EQ(record.Layout(dc), CSize(330, 180));
    EXPECT_EQ(first->m_ptPos, CPoint(60, 300));
    EXPECT_EQ(All<CPNOccurrence>()[1]->m_ptPos, CPoint(230, 80));
    EXPECT_EQ(All<CPNPlace>()[2]->m_ptPos, CPoint(280, 80));
    EXPECT_EQ(All<CPNOccurrence>()[1]->m_label.m_strText, "e2");
}

TEST_F(LayoutTest, OneRunOverManyStepsEqualsARunPerStep) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* e = AddEvent("e", {a}, {b});
    CPNEvent* f = AddEvent("f", {b}, {a});
    CPNEvent* g = AddEvent("g", {c}, {});
    Prepare();
    auto run = [&](bool perStep) {
        record.Reset();
        record.Start(Case({a, c}));
        CSetConditions current = Case({a, c});
        for (CPNEvent* ev : {e, g, f, e}) {
            current = Fire(current, {ev});
            if (perStep)
                record.Layout(dc);
        }
        const CSize size = record.Layout(dc);
        return std::make_pair(size, Positions());
    };
    EXPECT_EQ(run(true), run(false));
}

TEST_F(LayoutTest, EventWithEmptyPostSetOpensNoPlaceColumn) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* g = AddEvent("g", {a}, {});
    CPNEvent* e = AddEvent("e", {b}, {c});
    Prepare();
    record.Start(Case({a, b}));
    CSetConditions current = Fire(Case({a, b}), {g});
    record.Layout(dc);
    EXPECT_EQ(record.m_nColumns, 1);
    EXPECT_FALSE(record.m_bPlaceColumn);
    EXPECT_EQ(All<CPNOccurrence>()[0]->m_ptPos, CPoint(130, 80));

    // The next step's occurrence stands in a column of its own after it.
    Fire(current, {e});
    record.Layout(dc);
    EXPECT_EQ(All<CPNOccurrence>()[1]->m_ptPos, CPoint(180, 130));
    EXPECT_EQ(PlaceOf(c)->m_ptPos, CPoint(230, 130));
    EXPECT_EQ(record.m_nColumns, 3);
}

} // namespace
