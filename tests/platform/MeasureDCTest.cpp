#include "TestNet.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"
#include "platform/QtFonts.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

LOGFONT Font(int height, const char* face = "Arial") {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.SetFaceName(face);
    return lf;
}

} // namespace

TEST(MeasureDCTest, ArialResolvesToLiberationSans) {
    QFont font = MakeQFont(Font(-12));
    QFontInfo info(font);
    EXPECT_EQ(info.family(), "Liberation Sans");
    EXPECT_EQ(info.pixelSize(), 12);

    QFont liberation("Liberation Sans");
    liberation.setPixelSize(12);
    QFontMetrics expected(liberation);
    CMeasureDC dc; // its default font is Arial -12
    TEXTMETRIC tm = dc.GetTextMetrics();
    EXPECT_EQ(tm.tmHeight, expected.height());
    EXPECT_EQ(tm.tmAscent, expected.ascent());
    EXPECT_EQ(tm.tmDescent, expected.descent());
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmExternalLeading, std::max(0, expected.leading()));
    EXPECT_EQ(dc.GetTextExtent("Place b1"),
              CSize(expected.horizontalAdvance("Place b1"), expected.height()));
}

TEST(MeasureDCTest, FollowsTheSelectedFontAndMeasuresLabels) {
    CMeasureDC dc;
    CSize small = dc.GetTextExtent("Condition");
    CFont big(Font(-24));
    const CFont* old = dc.SelectObject(&big);
    CSize large = dc.GetTextExtent("Condition");
    EXPECT_GT(large.cx, small.cx * 3 / 2);
    EXPECT_GT(large.cy, small.cy * 3 / 2);
    dc.SelectObject(old);
    EXPECT_EQ(dc.GetTextExtent("Condition"), small);
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);

    // Two lines with the external leading, centred on the label's position.
    CPNLabel label(100, 50);
    label.SetText("Condition\nb1", dc);
    TEXTMETRIC tm = dc.GetTextMetrics();
    EXPECT_EQ(label.m_rcText.Width(), small.cx);
    EXPECT_EQ(label.m_rcText.Height(), 2 * (tm.tmHeight + tm.tmExternalLeading));
    EXPECT_EQ(label.m_rcText.left, 100 - small.cx / 2);
}
