#include "base/FileIO.h"
#include "model/CPNCondition.h"
#include "platform/CEmfDC.h"
#include "support/Golden.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A condition with its token and a transparent coloured text, recorded as the file in
// tests/data/golden/platform/condition-and-text.emf.txt: the pens, brushes and font
// made, selected and deleted again, boxes with inclusive right and bottom edges, and
// the text with its advances.
TEST(EmfDCTest, RecordsShapesPensBrushesAndTextByteForByte) {
    CEmfDC dc(CSize(200, 100));
    CPNCondition condition(50, 50, nullptr);
    condition.m_bToken = true;
    condition.Draw(dc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(10, 20, 30));
    dc.TextOut(115, 25, "Zerin b1");
    QTemporaryDir dir;
    const std::string path = dir.filePath("picture.emf").toStdString();
    const CFileResult saved = dc.Save(path);
    ASSERT_TRUE(saved.ok) << saved.error;
    std::string file;
    ASSERT_TRUE(ReadWholeFile(path, file).ok);
    ExpectGolden("platform/condition-and-text.emf.txt", HexDump(file));
}

} // namespace
