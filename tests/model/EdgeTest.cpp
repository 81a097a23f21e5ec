#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <vector>

namespace {

std::vector<CPoint> Points(const CPNEdge& edge) {
    std::vector<CPoint> result;
    for (const CEdgePoint& p : edge.m_listPoints)
        result.push_back(p.m_pt);
    return result;
}

std::vector<bool> VertexFlags(const CPNEdge& edge) {
    std::vector<bool> result;
    for (const CEdgePoint& p : edge.m_listPoints)
        result.push_back(p.m_bVertex);
    return result;
}

// A condition at (100, 100) and an event at (200, 100): the straight edge runs from
// (115, 100) to (184, 100) with its midpoint handle at (149, 100).
struct EdgeTest : ::testing::Test {
    CPNCondition c{100, 100, nullptr};
    CPNEvent e{200, 100, nullptr};
};

} // namespace

TEST_F(EdgeTest, EdgeBetweenOverlappingElementsIsNeitherDrawnNorHit) {
    CPNEvent onTop(100, 100, nullptr);
    CPNEdge edge(&c, &onTop);
    EXPECT_FALSE(edge.m_bVisible);
    EXPECT_EQ(edge.GetBoundRect(), CRect());
    EXPECT_FALSE(edge.HitTest({100, 100}));
    RecordingDC dc;
    edge.Draw(dc);
    EXPECT_TRUE(dc.calls.empty());

    CPNEvent touching(120, 100, nullptr);
    EXPECT_FALSE(CPNEdge(&c, &touching).m_bVisible);
}

TEST(EdgeHitTest, ClickWithinFourUnitsOfTheSegmentHits) {
    CPNCondition a(100, 100, nullptr), b(400, 500, nullptr);
    CPNEdge edge(&a, &b);
    // (250, 300) lies on the segment; (4, -2) is 4.4 units off it, (4, -3) exactly 5.
    EXPECT_TRUE(edge.HitTest({250, 300}));
    EXPECT_TRUE(edge.HitTest({254, 298}));
    EXPECT_FALSE(edge.HitTest({254, 297}));
    EXPECT_TRUE(edge.HitTest({246, 302}));
    EXPECT_FALSE(edge.HitTest({246, 303}));
    // A handle is grabbed inside its square from -3 to +2 around it, never an end point.
    const CPoint mid = std::next(edge.m_listPoints.begin())->m_pt;
    for (auto [dx, dy, grabbed] : {std::tuple{-3, -3, true},
                                   {2, 2, true},
                                   {-4, 0, false},
                                   {0, -4, false},
                                   {3, 0, false},
                                   {0, 3, false}})
        EXPECT_EQ(edge.HitTestPoint(mid + CSize(dx, dy)), grabbed) << dx << "," << dy;
    EXPECT_FALSE(edge.HitTestPoint(edge.m_listPoints.front().m_pt));
}

TEST_F(EdgeTest, BendingAndDeletingGoesFromThreeToFiveToSevenPointsAndBack) {
    CPNEdge edge(&c, &e);
    edge.HitTestPoint({149, 100});
    edge.MoveTo({150, 50});
    ASSERT_TRUE(edge.HitTestPoint({130, 69}));
    edge.MoveTo({120, 40});
    EXPECT_EQ(edge.m_listPoints.size(), 7u);
    EXPECT_EQ(edge.m_posFirstBend->m_pt, CPoint(120, 40));
    EXPECT_EQ(edge.m_posLastBend->m_pt, CPoint(150, 50));

    // Deleting one of two bend points leaves five points, still bent.
    ASSERT_TRUE(edge.HitTestPoint({120, 40}));
    ASSERT_TRUE(edge.DeleteSelectedPoint());
    EXPECT_TRUE(edge.m_bBent && !edge.HasSelectedPoint());
    EXPECT_EQ(edge.m_posFirstBend->m_pt, CPoint(150, 50));
    EXPECT_EQ(VertexFlags(edge), (std::vector<bool>{true, false, true, false, true}));

    // Deleting the only bend point straightens the edge.
    ASSERT_TRUE(edge.HitTestPoint({150, 50}));
    ASSERT_TRUE(edge.DeleteSelectedPoint());
    EXPECT_FALSE(edge.m_bBent || edge.HasSelectedPoint());
    EXPECT_EQ(edge.m_posFirstBend, edge.m_listPoints.end());
    // The midpoint of a straight edge after UpdateEnds lies between the end point and
    // the start element's centre.
    EXPECT_EQ(Points(edge), (std::vector<CPoint>{{115, 100}, {142, 100}, {184, 100}}));
}

TEST_F(EdgeTest, BendInsideTheStartHidesTheFirstSegment) {
    RecordingDC dc;
    CPNEdge edge(&c, &e);
    edge.m_bSelected = true;
    edge.HitTestPoint({149, 100});
    edge.MoveTo({105, 100});
    EXPECT_TRUE(!edge.m_bFirstSegment && edge.m_bLastSegment);
    // Toward a point inside the circle the border point lies on the far side.
    EXPECT_EQ(edge.m_listPoints.front().m_pt, CPoint(85, 100));
    edge.Draw(dc);
    auto lines = dc.Calls("Line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect.TopLeft(), CPoint(105, 100));
    EXPECT_EQ(dc.Calls("Polygon").size(), 1u);
    // The handle of the hidden segment is not drawn: the bend point and the last midpoint.
    auto handles = dc.Calls("Rectangle");
    ASSERT_EQ(handles.size(), 2u);
    EXPECT_EQ(handles[0].rect, CRect(102, 97, 108, 103));
    EXPECT_EQ(handles[1].rect.Width(), 4);
    EXPECT_FALSE(edge.HitTest({95, 100}));
    EXPECT_TRUE(edge.HitTest({150, 100}));
}

TEST_F(EdgeTest, UpdateEndsFollowsAMovedElementOnly) {
    CPNEdge edge(&c, &e);
    CPNCondition other(500, 500, nullptr);
    EXPECT_FALSE(edge.UpdateEnds(&other));
    e.MoveTo({100, 200});
    EXPECT_TRUE(edge.UpdateEnds(&e));
    EXPECT_EQ(edge.m_listPoints.front().m_pt, CPoint(100, 115));
    EXPECT_EQ(edge.m_listPoints.back().m_pt, CPoint(100, 185));
    EXPECT_EQ(std::next(edge.m_listPoints.begin())->m_pt, CPoint(100, 142));
    EXPECT_TRUE(edge.UpdateEnds(nullptr));

    // Moved on top of each other, the edge disappears.
    e.MoveTo({100, 100});
    EXPECT_TRUE(edge.UpdateEnds(&e));
    EXPECT_FALSE(edge.m_bVisible);
    EXPECT_EQ(edge.GetBoundRect(), CRect());
}

TEST_F(EdgeTest, TokenPathDividesTheRouteIntoElevenSteps) {
    CPNEdge edge(&c, &e); // length 69, step 6
    edge.ComputeTokenPath();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(edge.GetTokenPathPoint(i), CPoint(121 + 6 * i, 100)) << i;
    EXPECT_EQ(edge.GetTokenPathPoint(10), CPoint(0, 0));
    EXPECT_EQ(edge.GetTokenPathPoint(-1), CPoint(0, 0));
}

TEST(EdgeTokenPathTest, RouteLongerThanAnIntStillGivesPointsOnTheRoute) {
    // 1500 segments zigzagging across two million units: three billion in all.
    CPNEdge edge;
    const int n = 1500;
    for (int i = 0; i <= 2 * n; ++i) {
        const bool vertex = i % 2 == 0;
        const int x = (i / 2) % 2 == 0 ? -1000000 : 1000000;
        edge.m_listPoints.emplace_back(CPoint(vertex ? x : 0, 0), vertex, i == 0 || i == 2 * n);
    }
    edge.ComputeTokenPath();
    for (int k = 0; k < CPNEdge::kTokenPathPoints; ++k) {
        const CPoint pt = edge.GetTokenPathPoint(k);
        EXPECT_GE(pt.x, -1000000);
        EXPECT_LE(pt.x, 1000000);
        EXPECT_EQ(pt.y, 0);
    }
    // The first token lies an eleventh of the way along, 272727272 units: 727272 units
    // into segment 136, which runs from left to right.
    EXPECT_EQ(edge.GetTokenPathPoint(0), CPoint(-1000000 + 727272, 0));
}
