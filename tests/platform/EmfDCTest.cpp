#include "EmfReader.h"
#include "TestNet.h"
#include "base/FileIO.h"
#include "model/CPNCondition.h"
#include "platform/CEmfDC.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::uint32_t kNullBrush = 0x80000005;
constexpr std::uint32_t kNullPen = 0x80000008;

struct EmfDCTest : ::testing::Test {
    // Records what the callback draws on a page of the extent and reads it back.
    std::vector<EmfRecord> Record(CSize extent, const std::function<void(CDC&)>& draw) {
        CEmfDC dc(extent);
        draw(dc);
        std::string path = dir.filePath("picture.emf").toStdString();
        CFileResult saved = dc.Save(path);
        EXPECT_TRUE(saved.ok) << saved.error;
        EXPECT_TRUE(ReadWholeFile(path, file).ok);
        return ReadEmf(file);
    }

    static std::vector<const EmfRecord*> OfType(const std::vector<EmfRecord>& records,
                                                std::uint32_t type) {
        std::vector<const EmfRecord*> found;
        for (const EmfRecord& r : records)
            if (r.type == type)
                found.push_back(&r);
        return found;
    }

    static CRect Box(const EmfRecord& r) {
        return CRect(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    }

    QTemporaryDir dir;
    std::string file;
};

} // namespace

TEST_F(EmfDCTest, ConditionRecordsItsCircleAndTokenWithThePens) {
    std::vector<EmfRecord> records = Record(CSize(100, 100), [](CDC& dc) {
        CPNCondition condition(50, 50, nullptr);
        condition.m_bToken = 1;
        condition.Draw(dc);
    });
    auto ellipses = OfType(records, kEmrEllipse);
    ASSERT_EQ(ellipses.size(), 2u);
    // Boxes are recorded with inclusive right and bottom edges.
    EXPECT_EQ(Box(*ellipses[0]), CRect(35, 35, 64, 64));
    EXPECT_EQ(Box(*ellipses[1]), CRect(46, 46, 53, 53));

    auto pens = OfType(records, kEmrCreatePen);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0]->U32(12), static_cast<std::uint32_t>(PS_SOLID));
    EXPECT_EQ(pens[0]->U32(16), 1u);
    EXPECT_EQ(pens[0]->U32(24), RGB(0, 0, 0));
    EXPECT_EQ(pens[1]->U32(24), RGB(0, 0, 255));
    auto brushes = OfType(records, kEmrCreateBrushIndirect);
    ASSERT_EQ(brushes.size(), 2u); // white, then the token's blue
    EXPECT_EQ(brushes[1]->U32(16), RGB(0, 0, 255));
    // Every object made is deleted again before the end.
    EXPECT_EQ(CountRecords(records, kEmrDeleteObject),
              CountRecords(records, kEmrCreatePen) +
                  CountRecords(records, kEmrCreateBrushIndirect));
}

TEST_F(EmfDCTest, TextIsRecordedWithFontColourAndAdvances) {
    CSize extent;
    std::vector<EmfRecord> records = Record(CSize(200, 100), [&](CDC& dc) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(10, 20, 30));
        dc.TextOut(15, 25, "Zerin b1");
        extent = dc.GetTextExtent("Zerin b1");
    });
    auto fonts = OfType(records, kEmrExtCreateFontIndirectW);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->I32(12), -12);
    EXPECT_EQ(fonts[0]->Utf16(40, 5), "Arial");
    auto colours = OfType(records, kEmrSetTextColor);
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_EQ(colours[0]->U32(8), RGB(10, 20, 30));
    auto modes = OfType(records, kEmrSetBkMode);
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0]->U32(8), static_cast<std::uint32_t>(TRANSPARENT));

    auto texts = OfType(records, kEmrExtTextOutW);
    ASSERT_EQ(texts.size(), 1u);
    const EmfRecord& text = *texts[0];
    EXPECT_EQ(text.I32(36), 15);
    EXPECT_EQ(text.I32(40), 25);
    std::uint32_t count = text.U32(44);
    ASSERT_EQ(count, 8u);
    EXPECT_EQ(text.Utf16(text.U32(48), count), "Zerin b1");
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < count; ++i)
        sum += text.U32(text.U32(72) + 4 * i);
    EXPECT_NEAR(static_cast<int>(sum), extent.cx, 1);
}
