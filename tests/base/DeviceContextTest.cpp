#include "support/RecordingDC.h"

#include <gtest/gtest.h>

TEST(CDCTest, LinesRunFromTheCurrentPosition) {
    RecordingDC dc;
    dc.MoveTo(1, 2);
    dc.LineTo(5, 6);
    dc.LineTo(7, 8);
    auto lines = dc.Calls("Line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect, CRect(1, 2, 5, 6));
    EXPECT_EQ(lines[1].rect, CRect(5, 6, 7, 8));
}

TEST(CDCTest, DrawTextMeasuresLinesWithOptionalExternalLeading) {
    RecordingDC dc;
    CRect r(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("ab\ncdef", r, DT_CALCRECT | DT_NOPREFIX | DT_EXTERNALLEADING), 28);
    EXPECT_EQ(r, CRect(10, 10, 38, 38));
    r = CRect(0, 0, 0, 0);
    dc.DrawText("ab\r\ncdef", r, DT_CALCRECT);
    EXPECT_EQ(r, CRect(0, 0, 28, 24));
    r = CRect(0, 0, 0, 0);
    dc.DrawText("a\nb", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Height(), 12);
    r = CRect(5, 5, 99, 99);
    EXPECT_EQ(dc.DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, CRect(5, 5, 5, 5));
    EXPECT_TRUE(dc.calls.empty());
    // Drawn, a single line lies at the bottom of its rectangle.
    r = CRect(0, 0, 50, 40);
    dc.DrawText("ab", r, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(dc.Calls("Text").at(0).point, CPoint(0, 28));
}
