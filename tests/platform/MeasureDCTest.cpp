#include "TestNet.h"
#include "model/CPNLabel.h"
#include "platform/CMeasureDC.h"
#include "platform/CTextWidthCache.h"
#include "platform/QtFonts.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

// Widths summed from cached advances are the widths Qt shapes, in every font the
// labels use, for names and for texts with kerning pairs and ligatures.
TEST(MeasureDCTest, CachedWidthsAreTheShapedWidths) {
    std::mt19937 gen(3);
    const std::string alphabet =
        "AVTovWaLyfi.,-_ 0123456789sbcekt{}()ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(1, 9);
    struct Face {
        int height;
        const char* name;
        int weight;
        bool italic;
    };
    for (const Face& face : {Face{-12, "Arial", 400, false}, Face{-40, "Arial", 700, false},
                             Face{-17, "Times New Roman", 400, true},
                             Face{-13, "Courier New", 400, false},
                             Face{-9, "DejaVu Sans", 400, false}}) {
        LOGFONT lf = Font(face.height, face.name);
        lf.lfWeight = face.weight;
        lf.lfItalic = face.italic;
        const QFontMetrics shaped(MakeQFont(lf));
        CMeasureDC dc;
        CFont font(lf);
        dc.SelectObject(&font);
        std::vector<std::string> texts = {"AVAVAVAV", "ToToTo", "fi", "ffi", "WaWa",
                                          "s1111111", "c2207",   "-A-V-T-W"};
        for (int i = 1; i <= 3000; i += 7)
            texts.push_back("s" + std::to_string(i * 97));
        for (int i = 0; i < 400; ++i) {
            std::string text;
            for (std::size_t n = length(gen); n > 0; --n)
                text += alphabet[pick(gen)];
            texts.push_back(text);
        }
        for (const std::string& text : texts)
            ASSERT_EQ(dc.GetTextExtent(text).cx,
                      shaped.horizontalAdvance(QString::fromStdString(text)))
                << face.name << " " << face.height << " \"" << text << "\"";
    }
}

// A font that kerns: the cache does not sum what shaping would pull together.
TEST(MeasureDCTest, CachedWidthsStepAsideForKerning) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(40);
    font.setKerning(true);
    CTextWidthCache cache(font);
    const QFontMetrics shaped(font);
    for (const char* text : {"AVAVAV", "To", "s12", "WAVE"}) {
        const std::optional<int> width = cache.Width(text);
        if (width) {
            EXPECT_EQ(*width, shaped.horizontalAdvance(QString::fromLatin1(text))) << text;
        }
    }
    EXPECT_FALSE(cache.Width("AVAVAV")) << "a kerned pair";
    EXPECT_TRUE(cache.Width("s12")) << "digits do not kern";
}
