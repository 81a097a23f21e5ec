#include "model/CPNPolygon.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace {

std::vector<CPoint> Points(const CPNPolygon& polygon) {
    std::vector<CPoint> result;
    for (const CEdgePoint& p : polygon.m_listPoints)
        result.push_back(p.m_pt);
    return result;
}

std::vector<CPoint> DrawnOutline(const CPNPolygon& polygon) {
    RecordingDC dc;
    polygon.Draw(dc);
    auto calls = dc.Calls("Polygon");
    return calls.empty() ? std::vector<CPoint>{} : calls[0].points;
}

} // namespace

TEST(PolygonTest, NewPolygonIsAnUnfilledRectangle) {
    CPNPolygon polygon(100, 100);
    EXPECT_EQ(Points(polygon), (std::vector<CPoint>{{100, 100},
                                                    {100, 120},
                                                    {100, 140},
                                                    {180, 140},
                                                    {260, 140},
                                                    {260, 120},
                                                    {260, 100},
                                                    {180, 100},
                                                    {100, 100}}));
    EXPECT_TRUE(polygon.m_listPoints.back().m_bEnd);
    EXPECT_FALSE(std::next(polygon.m_listPoints.begin())->m_bVertex);
    EXPECT_EQ(polygon.m_nVertexCapacity, 5);
    EXPECT_EQ(polygon.m_rcBounds, CRect(93, 93, 267, 147));

    RecordingDC dc;
    polygon.Draw(dc);
    auto calls = dc.Calls("Polygon");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].points,
              (std::vector<CPoint>{{100, 100}, {100, 140}, {260, 140}, {260, 100}, {100, 100}}));
    EXPECT_EQ(calls[0].pen, CPen(PS_SOLID, 1, RGB(0, 0, 0)));
    EXPECT_TRUE(calls[0].brush.IsHollow());
    EXPECT_EQ(dc.GetCurrentPen(), CPen(PS_SOLID, 1, RGB(0, 0, 0)));
    EXPECT_FALSE(dc.GetCurrentBrush().IsHollow());
}

TEST(PolygonTest, OnlyTheOutlineIsHit) {
    CPNPolygon polygon(100, 100);
    polygon.m_nFillMode = 1;
    EXPECT_TRUE(polygon.HitTest({100, 120}));
    EXPECT_TRUE(polygon.HitTest({180, 143}));
    EXPECT_TRUE(polygon.HitTest({180, 136}));
    EXPECT_FALSE(polygon.HitTest({180, 135}));
    EXPECT_FALSE(polygon.HitTest({180, 144})); // bottom edge of the segment's rectangle
    EXPECT_FALSE(polygon.HitTest({180, 120})); // the inside
}

TEST(PolygonTest, ClosingPointIsGrabbedWithTheFirstSegmentAsItsNeighbour) {
    CPNPolygon polygon(100, 100);
    ASSERT_TRUE(polygon.HitTestPoint({102, 102}));
    EXPECT_EQ(polygon.m_posSelPoint, std::prev(polygon.m_listPoints.end()));
    EXPECT_EQ(polygon.m_ptPrevVertex, CPoint(260, 100));
    EXPECT_EQ(polygon.m_ptNextVertex, CPoint(100, 140));
    EXPECT_EQ(polygon.m_posNextMid, std::next(polygon.m_listPoints.begin()));

    // Dragging it keeps the outline closed.
    polygon.MoveTo({90, 90});
    EXPECT_EQ(Points(polygon), (std::vector<CPoint>{{90, 90},
                                                    {95, 115},
                                                    {100, 140},
                                                    {180, 140},
                                                    {260, 140},
                                                    {260, 120},
                                                    {260, 100},
                                                    {175, 95},
                                                    {90, 90}}));
    EXPECT_EQ(polygon.m_ptPos, CPoint(90, 90));
}

TEST(PolygonTest, DraggingAMidpointAddsACornerAndGrowsTheVertexBuffer) {
    CPNPolygon polygon(100, 100);
    ASSERT_TRUE(polygon.HitTestPoint({180, 140}));
    const CRect before = polygon.GetBoundRect();
    const CRect repaint = polygon.MoveTo({180, 180});
    EXPECT_EQ(polygon.m_listPoints.size(), 11u);
    const std::vector<CPoint> points = Points(polygon);
    EXPECT_EQ(std::vector(points.begin() + 3, points.begin() + 6),
              (std::vector<CPoint>{{140, 160}, {180, 180}, {220, 160}}));
    EXPECT_TRUE(std::next(polygon.m_listPoints.begin(), 4)->m_bVertex);
    EXPECT_EQ(polygon.m_nVertexCapacity, 8);
    EXPECT_EQ(DrawnOutline(polygon).size(), 6u);
    EXPECT_EQ(repaint, before | polygon.GetBoundRect());
    EXPECT_TRUE(polygon.HitTest({160, 170}));
}

TEST(PolygonTest, TriangleCornersCannotBeDeletedButRectangleCornersCan) {
    CPNPolygon polygon(100, 100);
    ASSERT_TRUE(polygon.HitTestPoint({260, 140}));
    EXPECT_TRUE(polygon.IsBendSelected());
    ASSERT_TRUE(polygon.DeleteSelectedPoint());
    EXPECT_EQ(
        Points(polygon),
        (std::vector<CPoint>{
            {100, 100}, {100, 120}, {100, 140}, {180, 120}, {260, 100}, {180, 100}, {100, 100}}));
    EXPECT_FALSE(polygon.HasSelectedPoint());

    ASSERT_TRUE(polygon.HitTestPoint({100, 140}));
    EXPECT_FALSE(polygon.IsBendSelected());
    EXPECT_FALSE(polygon.DeleteSelectedPoint());
    EXPECT_EQ(polygon.m_listPoints.size(), 7u);
}
