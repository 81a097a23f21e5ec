#include "RecordingHost.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

namespace {

const CPen kRedPen(PS_SOLID, 1, RGB(255, 0, 0));
const CPen kBluePen(PS_SOLID, 1, RGB(0, 0, 255));
const CPen kGreenPen(PS_SOLID, 1, RGB(0, 255, 0));
const CPen kBlackPen(PS_SOLID, 1, RGB(0, 0, 0));

} // namespace

TEST(ElementTest, SerialsGrowWithConstructionAndCopiesGetTheirOwn) {
    CPNCondition a(0, 0, nullptr);
    CPNEvent b(0, 0, nullptr);
    EXPECT_LT(a.GetSerial(), b.GetSerial());
    CPNCondition copy(a);
    EXPECT_GT(copy.GetSerial(), b.GetSerial());
    const auto serial = copy.GetSerial();
    copy = a;
    EXPECT_EQ(copy.GetSerial(), serial);
}

TEST(ElementTest, EachElementAsksForItsOwnPropertiesPage) {
    RecordingHost host;
    CPNCondition condition(10, 10, nullptr);
    CPNEvent event(100, 10, nullptr);
    CPNLabel label(5, 5);
    CPNPolygon polygon(0, 0);
    CPNEdge edge(&condition, &event);
    condition.ShowProperties(host);
    event.ShowProperties(host);
    label.ShowProperties(host);
    polygon.ShowProperties(host);
    edge.ShowProperties(host);
    ASSERT_EQ(host.requests.size(), 5u);
    EXPECT_EQ(host.requests[0],
              std::make_pair(PAGE_CONDITION, static_cast<CPNElement*>(&condition)));
    std::vector<int> pages;
    for (const auto& request : host.requests)
        pages.push_back(request.first);
    EXPECT_EQ(pages,
              (std::vector<int>{PAGE_CONDITION, PAGE_EVENT, PAGE_LABEL, PAGE_POLYGON, PAGE_HIDE}));
}

TEST(ConditionTest, HitTestIncludesTheCircleItself) {
    CPNCondition c(100, 100, nullptr);
    EXPECT_TRUE(c.HitTest({115, 100}));
    EXPECT_TRUE(c.HitTest({100, 85}));
    EXPECT_TRUE(c.HitTest({109, 112}));  // distance exactly 15
    EXPECT_FALSE(c.HitTest({111, 111})); // distance squared 242
    EXPECT_FALSE(c.HitTest({116, 100}));
    EXPECT_EQ(c.GetBoundRect(), CRect(79, 79, 121, 121));
}

TEST(ConditionTest, BorderPointLiesOnTheCircleTowardTheTarget) {
    CPNCondition c(100, 100, nullptr);
    EXPECT_EQ(c.GetBorderPoint({200, 100}), CPoint(115, 100));
    EXPECT_EQ(c.GetBorderPoint({100, 0}), CPoint(100, 85));
    EXPECT_EQ(c.GetBorderPoint({0, 100}), CPoint(85, 100));
    EXPECT_EQ(c.GetBorderPoint({130, 140}), CPoint(109, 112));
    EXPECT_EQ(c.GetBorderPoint({70, 60}), CPoint(91, 88));
    // A target inside the circle looks out on the far side.
    EXPECT_EQ(c.GetBorderPoint({101, 103}), CPoint(95, 85));
    // The centre itself gives no direction.
    EXPECT_EQ(c.GetBorderPoint({100, 100}), CPoint(100, 100));
}

TEST(ConditionTest, BorderPointTruncatesTowardZero) {
    CPNCondition c(0, 0, nullptr);
    // (-4.74, -14.23): truncated, not rounded down.
    EXPECT_EQ(c.GetBorderPoint({-10, -30}), CPoint(-4, -14));
}

TEST(ConditionTest, DrawsCircleTokenAndSelectionMarks) {
    RecordingDC dc;
    CPNCondition c(100, 100, nullptr);
    c.Draw(dc);
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].op, "Ellipse");
    EXPECT_EQ(dc.calls[0].rect, CRect(85, 85, 115, 115));
    EXPECT_EQ(dc.calls[0].pen, kBlackPen);
    EXPECT_EQ(dc.calls[0].brush, CBrush(RGB(255, 255, 255)));

    dc.Clear();
    c.m_bToken = true;
    c.m_bSelected = true;
    c.Draw(dc);
    auto marks = dc.Calls("Rectangle");
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0].rect, CRect(83, 83, 88, 88));
    EXPECT_EQ(marks[3].rect, CRect(112, 112, 117, 117));
    EXPECT_EQ(marks[0].pen, kRedPen);
    EXPECT_EQ(marks[0].brush, CBrush(RGB(255, 255, 255)));
    auto circles = dc.Calls("Ellipse");
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].pen, kBlackPen);
    EXPECT_EQ(circles[1].rect, CRect(96, 96, 104, 104));
    EXPECT_EQ(circles[1].pen, kBluePen);
    EXPECT_EQ(circles[1].brush, CBrush(RGB(0, 0, 255)));
    EXPECT_EQ(dc.GetCurrentPen(), kBlackPen);
    EXPECT_EQ(dc.GetCurrentBrush(), CBrush(RGB(255, 255, 255)));
}

TEST(ConditionTest, MarkedConditionWithoutTokenDrawsARingInTheCurrentBrush) {
    RecordingDC dc;
    const CBrush yellow(RGB(255, 255, 0));
    dc.SelectObject(&yellow);
    CPNCondition c(50, 60, nullptr);
    c.m_bMarked = true;
    c.Draw(dc);
    auto circles = dc.Calls("Ellipse");
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[1].rect, CRect(46, 56, 54, 64));
    EXPECT_EQ(circles[1].pen, kBluePen);
    EXPECT_EQ(circles[1].brush, yellow);
    EXPECT_EQ(&dc.GetCurrentBrush(), &yellow);

    // With the token too, the dot is still a ring while it is marked.
    dc.Clear();
    c.m_bToken = true;
    c.Draw(dc);
    EXPECT_EQ(dc.Calls("Ellipse")[1].brush, yellow);
}

TEST(ConditionTest, HiddenNameLabelStillMovesWithItsCondition) {
    RecordingDC dc;
    CPNLabel label;
    label.SetText("b1", dc);
    label.m_bVisible = false;
    CPNCondition c(100, 100, &label);
    c.MoveTo({200, 300});
    EXPECT_EQ(label.m_ptPos, CPoint(200, 270));
    label.Draw(dc);
    EXPECT_TRUE(dc.calls.empty());
}

TEST(EventTest, BoxHitTestExcludesRightAndBottomEdges) {
    CPNEvent e(100, 100, nullptr);
    EXPECT_EQ(e.m_rcBox, CRect(84, 84, 116, 116));
    EXPECT_TRUE(e.HitTest({84, 84}));
    EXPECT_TRUE(e.HitTest({115, 115}));
    EXPECT_FALSE(e.HitTest({116, 100}));
    EXPECT_FALSE(e.HitTest({100, 116}));
    EXPECT_FALSE(e.HitTest({83, 100}));
    EXPECT_EQ(e.GetBoundRect(), CRect(78, 78, 122, 122));
}

TEST(EventTest, BorderPointLiesOnTheBoxTowardTheTarget) {
    CPNEvent e(100, 100, nullptr);
    EXPECT_EQ(e.GetBorderPoint({200, 100}), CPoint(115, 100));
    EXPECT_EQ(e.GetBorderPoint({0, 100}), CPoint(84, 100));
    EXPECT_EQ(e.GetBorderPoint({100, 0}), CPoint(100, 85));
    EXPECT_EQ(e.GetBorderPoint({100, 200}), CPoint(100, 115));
    EXPECT_EQ(e.GetBorderPoint({200, 200}), CPoint(115, 115));
    EXPECT_EQ(e.GetBorderPoint({130, 140}), CPoint(111, 115));
    // Inside the box no candidate lies toward the target: the last one stays.
    EXPECT_EQ(e.GetBorderPoint({101, 100}), CPoint(84, 100));
    EXPECT_EQ(e.GetBorderPoint({100, 100}), CPoint(100, 100));
}

TEST(EventTest, EnabledWinsOverHighlightInThePenChoice) {
    RecordingDC dc;
    CPNEvent e(100, 100, nullptr);
    e.m_bEnabled = true;
    e.m_bHighlight = true;
    e.Draw(dc);
    auto boxes = dc.Calls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, CRect(85, 85, 115, 115));
    EXPECT_EQ(boxes[0].pen, kGreenPen);

    dc.Clear();
    e.m_bEnabled = false;
    e.Draw(dc);
    EXPECT_EQ(dc.calls[0].pen, kBluePen);

    dc.Clear();
    e.m_bHighlight = false;
    const CPen grey(PS_DOT, 3, RGB(9, 9, 9));
    dc.SelectObject(&grey);
    e.Draw(dc);
    EXPECT_EQ(dc.calls[0].pen, kBlackPen);
    EXPECT_EQ(&dc.GetCurrentPen(), &grey);
}

TEST(EventTest, SelectionMarksSitOutsideTheBoxCorners) {
    RecordingDC dc;
    CPNEvent e(100, 100, nullptr);
    e.m_bSelected = true;
    e.Draw(dc);
    auto r = dc.Calls("Rectangle");
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[1].rect, CRect(115, 80, 120, 85));
    EXPECT_EQ(r[2].rect, CRect(80, 115, 85, 120));
    EXPECT_EQ(r[3].pen, kRedPen);
    EXPECT_EQ(r[4].pen, kBlackPen);
}

TEST(ConditionTest, MovingCarriesTheNameLabelAlong) {
    RecordingDC dc;
    CPNLabel label;
    label.SetText("b1", dc); // 14 x 14
    CPNCondition c(100, 100, &label);
    EXPECT_EQ(label.m_ptPos, CPoint(100, 70));
    EXPECT_EQ(label.m_rcText, CRect(93, 63, 107, 77));

    const CRect repaint = c.MoveTo({110, 95});
    EXPECT_EQ(c.m_ptPos, CPoint(110, 95));
    EXPECT_EQ(label.m_ptPos, CPoint(110, 65));
    EXPECT_EQ(label.m_rcText, CRect(103, 58, 117, 72));
    // Old and new circle bounds and old and new label bounds.
    EXPECT_EQ(repaint, CRect(79, 52, 131, 121));
}
