#include "base/CodePage1250.h"

#include <gtest/gtest.h>

TEST(CodePage1250Test, CentralEuropeanLettersRoundTrip) {
    std::string utf8 = "Příliš žluťoučký kůň € „ok“";
    std::string bytes = CodePage1250::FromUtf8(utf8);
    EXPECT_EQ(bytes.size(), 27u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8);  // ř
    EXPECT_EQ(static_cast<unsigned char>(bytes[21]), 0x80); // €
    EXPECT_EQ(CodePage1250::ToUtf8(bytes), utf8);
}

TEST(CodePage1250Test, EveryByteDecodesAndEncodesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(CodePage1250::FromUtf8(CodePage1250::ToUtf8(all)), all);
}

TEST(CodePage1250Test, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(CodePage1250::FromUtf8("ø日本"), "???");
    EXPECT_EQ(CodePage1250::FromUtf8("a\xC3"), "a?");
    EXPECT_EQ(CodePage1250::FromUtf8("\xFF\x80z"), "??z");
    EXPECT_EQ(CodePage1250::FromUtf8("\xED\xA0\x80"), "?"); // a lone surrogate
    EXPECT_EQ(CodePage1250::FromUtf8("\xC0\xAF"), "?");     // an overlong slash
}
