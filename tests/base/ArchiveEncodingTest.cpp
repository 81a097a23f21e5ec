#include "ArchiveTestObjects.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

template <class Write> Bytes Store(Write write) {
    CArchive ar;
    write(ar);
    return ar.GetBuffer();
}

CClassRegistry g_registry = MakeTestRegistry();

} // namespace

TEST(ArchiveEncodingTest, TheTwoBooleanReadingRules) {
    Bytes bytes = MakeBytes({1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
    CArchive lenient(bytes, g_registry);
    EXPECT_TRUE(lenient.ReadBool32());
    EXPECT_TRUE(lenient.ReadBool32());
    EXPECT_TRUE(lenient.ReadBool32());
    EXPECT_FALSE(lenient.ReadBool32());

    CArchive strict(bytes, g_registry);
    EXPECT_TRUE(strict.ReadBool32EqualsOne());
    EXPECT_FALSE(strict.ReadBool32EqualsOne());
    EXPECT_FALSE(strict.ReadBool32EqualsOne());
    EXPECT_FALSE(strict.ReadBool32EqualsOne());
}

namespace {

// The length prefix a string of n stored bytes gets.
Bytes StringPrefix(std::size_t n) {
    Bytes bytes = Store([n](CArchive& ar) { ar.WriteString(std::string(n, 'a')); });
    EXPECT_EQ(bytes.size() >= n, true);
    return Bytes(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(n));
}

} // namespace

TEST(ArchiveEncodingTest, StringLengthPrefixForms) {
    EXPECT_EQ(StringPrefix(0), MakeBytes({0x00}));
    EXPECT_EQ(StringPrefix(254), MakeBytes({0xFE}));
    EXPECT_EQ(StringPrefix(255), MakeBytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(StringPrefix(300), MakeBytes({0xFF, 0x2C, 0x01}));
    EXPECT_EQ(StringPrefix(0xFFFD), MakeBytes({0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(StringPrefix(0xFFFE), MakeBytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(StringPrefix(0xFFFF), MakeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(StringPrefix(0x10000), MakeBytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
}

TEST(ArchiveEncodingTest, StringsAreStoredInWindows1250) {
    Bytes bytes = Store([](CArchive& ar) {
        ar.WriteString("Příliš žluťoučký kůň");
        ar.WriteString("€ 日本");
    });
    Bytes expected =
        MakeBytes({20,  'P',  0xF8, 0xED, 'l', 'i', 0x9A, ' ',  0x9E, 'l',  'u', 0x9D, 'o',
                   'u', 0xE8, 'k',  0xFD, ' ', 'k', 0xF9, 0xF2, 4,    0x80, ' ', '?',  '?'});
    EXPECT_EQ(bytes, expected);

    CArchive ar(bytes, g_registry);
    EXPECT_EQ(ar.ReadString(), "Příliš žluťoučký kůň");
    EXPECT_EQ(ar.ReadString(), "€ ??");
}

TEST(ArchiveEncodingTest, TheLengthPrefixCountsStoredBytes) {
    // 200 letters take 400 bytes of UTF-8 but 200 stored bytes: a one-byte prefix.
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "ž";
    Bytes bytes = Store([&](CArchive& ar) { ar.WriteString(text); });
    ASSERT_EQ(bytes.size(), 201u);
    EXPECT_EQ(bytes[0], 200);
    EXPECT_EQ(bytes[1], 0x9E);
    CArchive ar(bytes, g_registry);
    EXPECT_EQ(ar.ReadString(), text);
}

TEST(ArchiveEncodingTest, CountForms) {
    auto count = [](std::size_t n) { return Store([n](CArchive& ar) { ar.WriteCount(n); }); };
    EXPECT_EQ(count(0), MakeBytes({0x00, 0x00}));
    EXPECT_EQ(count(0xFFFE), MakeBytes({0xFE, 0xFF}));
    EXPECT_EQ(count(0xFFFF), MakeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(count(0x12345), MakeBytes({0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteInt32Count(3); }), MakeBytes({3, 0, 0, 0}));

    for (std::size_t n : {0u, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        Bytes bytes = count(n);
        bytes.resize(bytes.size() + n); // room for n one-byte entries
        CArchive ar(bytes, g_registry);
        EXPECT_EQ(ar.ReadCount(1), n);
    }
}
