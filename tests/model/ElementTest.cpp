#include "RecordingHost.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
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

TEST(ConditionTest, HitTestIncludesTheCircleItself) {
    CPNCondition c(100, 100, nullptr);
    EXPECT_TRUE(c.HitTest({115, 100}));
    EXPECT_TRUE(c.HitTest({100, 85}));
    EXPECT_TRUE(c.HitTest({109, 112}));  // distance exactly 15
    EXPECT_FALSE(c.HitTest({111, 111})); // distance squared 242
    EXPECT_FALSE(c.HitTest({116, 100}));
    EXPECT_EQ(c.GetBoundRect(), CRect(79, 79, 121, 121));
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
