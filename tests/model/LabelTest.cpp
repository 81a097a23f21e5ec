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

TEST(LabelTest, EmptyTextCanOnlyBeHitAtItsPosition) {
    RecordingDC dc;
    CPNLabel label(20, 30);
    label.SetText("", dc);
    EXPECT_EQ(label.m_rcText, CRect(20, 30, 20, 30));
    EXPECT_TRUE(label.HitTest({20, 30}));
    EXPECT_FALSE(label.HitTest({21, 30}));
    EXPECT_FALSE(label.HitTest({19, 29}));
    EXPECT_EQ(label.GetBoundRect(), CRect(14, 24, 26, 36));
}

TEST(LabelTest, MoveShiftsTheTextRectangle) {
    RecordingDC dc;
    CPNLabel label(50, 50);
    label.SetText("abc", dc);
    const CRect repaint = label.MoveTo({60, 40});
    EXPECT_EQ(label.m_ptPos, CPoint(60, 40));
    EXPECT_EQ(label.m_rcText, CRect(50, 33, 71, 47));
    EXPECT_EQ(repaint, CRect(34, 27, 77, 63));
}

TEST(LabelTest, DrawsTransparentTextInItsColourAndFontAndRestoresTheContext) {
    RecordingDC dc;
    CPNLabel label(50, 50);
    LOGFONT bold = CPNLabel::DefaultLogFont();
    bold.lfWeight = FW_BOLD;
    label.SetFont(bold);
    label.m_crText = RGB(10, 20, 30);
    label.SetText("a&b", dc);
    dc.Clear();
    label.Draw(dc);
    auto texts = dc.Calls("Text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "a&b");
    EXPECT_EQ(texts[0].point, label.m_rcText.TopLeft());
    EXPECT_EQ(texts[0].colour, RGB(10, 20, 30));
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
    EXPECT_EQ(texts[0].font.lfWeight, FW_BOLD);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(&dc.GetCurrentFont(), CFont::Default());
}

TEST(LabelTest, SelectionMarksSurroundTheText) {
    RecordingDC dc;
    CPNLabel label(50, 50);
    label.SetText("abc", dc); // (40, 43, 61, 57): centre (50, 50), half size 10 x 7
    label.m_bSelected = true;
    dc.Clear();
    label.Draw(dc);
    auto marks = dc.Calls("Rectangle");
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_EQ(marks[0].rect, CRect(35, 38, 40, 43));
    EXPECT_EQ(marks[3].rect, CRect(60, 57, 65, 62));
}
