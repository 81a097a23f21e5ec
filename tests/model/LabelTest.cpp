#include "model/CPNLabel.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

TEST(LabelTest, TextRectangleIsCentredWithTruncatedHalves) {
    RecordingDC dc;
    CPNLabel label(50, 50);
    label.SetText("abc", dc); // 21 x 14
    EXPECT_EQ(label.m_rcText, CRect(40, 43, 61, 57));
    EXPECT_EQ(label.GetText(), "abc");
    label.SetText("ab\ncdef", dc); // two lines: 28 x 28
    EXPECT_EQ(label.m_rcText, CRect(36, 36, 64, 64));
    EXPECT_EQ(label.GetBoundRect(), CRect(30, 30, 70, 70));
    // Measuring leaves the context's font as it was.
    EXPECT_EQ(&dc.GetCurrentFont(), CFont::Default());
}

TEST(LabelTest, HitTestExcludesRightAndBottomEdges) {
    RecordingDC dc;
    CPNLabel label(50, 50);
    label.SetText("abc", dc);
    EXPECT_TRUE(label.HitTest({40, 43}));
    EXPECT_TRUE(label.HitTest({60, 56}));
    EXPECT_FALSE(label.HitTest({61, 50}));
    EXPECT_FALSE(label.HitTest({50, 57}));
    label.m_bVisible = false;
    EXPECT_FALSE(label.HitTest({50, 50}));
}
