// The document file as a whole: the bytes of a new document, the version word, saving
// after an edit, the round trip of every fixture, and the refusal of damaged files.

#include "FixtureDocuments.h"
#include "support/DocAccess.h"

#include "casegraph/CPNCase.h"
#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kData(ZERIN_TEST_DATA);

// What DeleteContents leaves, with the record fields of a new document.
void ExpectEmpty(const CZerinDoc& doc, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_TRUE(doc.NetDesign().m_listElements.empty());
    const CCaseGraph& graph = doc.CaseGraph();
    EXPECT_TRUE(graph.Cases().empty() && graph.StepObjects().empty() &&
                graph.StepLabels().empty() && graph.NetEvents().empty() &&
                graph.FreeElements().empty());
    EXPECT_TRUE(doc.OccurrenceNet().m_listElements.empty() &&
                doc.OccurrenceNet().m_listDecorations.empty());
    // The fields of a new document: stored, they are the new document's bytes.
    FixtureDocument fresh;
    EXPECT_EQ(CDocumentFile::Store(doc), CDocumentFile::Store(*fresh.doc));
    EXPECT_TRUE(doc.Record().netModified && !doc.Record().caseGraphValid && !doc.Record().rebuildInitialCase);
}

std::vector<fs::path> Files(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".zrn")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(DocumentFileTest, SimulationModeStoresTheGridOfDesignMode) {
    // Simulation hides the grid; the file keeps the one of design mode.
    FixtureDocument f;
    BuildFixture("occurrence", *f.doc);
    for (int round = 0; round < 2; ++round) {
        const bool design = f.doc->Record().grid;
        f.doc->Simulation().Enter();
        ASSERT_TRUE(f.doc->Simulation().IsActive());
        if (f.doc->Record().grid == design)
            f.doc->ToggleGrid();
        EXPECT_EQ(CDocumentFile::Store(*f.doc)[4], design ? 1 : 0);
        f.doc->Simulation().Leave();
        EXPECT_EQ(f.doc->Record().grid, design);
        f.doc->ToggleGrid();
    }
}

TEST(DocumentFileTest, AfterAnEditTheCaseGraphAndRecordAreStoredEmpty) {
    FixtureDocument edited;
    BuildFixture("occurrence", *edited.doc);
    edited.doc->SetNetModified();
    GraphOf(*edited.doc).SetGridSizes(40, GraphOf(*edited.doc).MinGridSize());
    const Bytes bytes = CDocumentFile::Store(*edited.doc);
    // Storing alone leaves the document as it was.
    EXPECT_FALSE(edited.doc->CaseGraph().Cases().empty());

    FixtureDocument expected;
    BuildFixture("occurrence", *expected.doc);
    expected.doc->SetNetModified();
    expected.doc->Simulation().ForgetCaseClass(true);
    GraphOf(*expected.doc).SetGridSizes(40, GraphOf(*expected.doc).MinGridSize());
    OccurrenceOf(*expected.doc).Reset();
    EXPECT_EQ(bytes, CDocumentFile::Store(*expected.doc));

    FixtureDocument loaded;
    ASSERT_TRUE(CDocumentFile::LoadBytes(*loaded.doc, bytes));
    EXPECT_FALSE(loaded.doc->NetDesign().m_listElements.empty());
    EXPECT_TRUE(loaded.doc->CaseGraph().Cases().empty());
    EXPECT_EQ(loaded.doc->CaseGraph().GridSize(), 40);
    EXPECT_TRUE(loaded.doc->OccurrenceNet().m_listElements.empty());
}

TEST(DocumentFileTest, LoadedCaseGraphRefersToTheLoadedNet) {
    FixtureDocument f;
    ASSERT_TRUE(CDocumentFile::LoadBytes(*f.doc, FixtureBytes("occurrence")));
    const CZerinDoc& doc = *f.doc;
    const auto& net = doc.NetDesign().m_listElements;
    auto inNet = [&](const CPNElement* e) {
        return std::find(net.begin(), net.end(), e) != net.end();
    };
    ASSERT_FALSE(GraphOf(doc).Cases().empty());
    for (const CPNCase* node : GraphOf(doc).Cases())
        for (const CPNCondition* c : node->m_setConditions)
            EXPECT_TRUE(inNet(c));
    for (const CPNEvent* e : GraphOf(doc).NetEvents())
        EXPECT_TRUE(inNet(e));
    EXPECT_EQ(GraphOf(doc).Cases()[0]->m_strConditions, "{ ready, empty }");
}

TEST(DocumentFileTest, BytesAfterTheLastRecordAreIgnored) {
    FixtureDocument f;
    Bytes bytes = FixtureBytes("casegraph");
    const Bytes clean = bytes;
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    ASSERT_TRUE(CDocumentFile::LoadBytes(*f.doc, bytes));
    EXPECT_EQ(CDocumentFile::Store(*f.doc), clean);
}

// The fixtures, and files of other writers with unusual but harmless values: grid sizes
// of an empty case graph (0, negative, huge), a case graph marked valid without cases,
// an occurrence net with columns but no elements, an empty name, a name of every byte,
// positions at both limits, a laid-out graph on a grid too small for its cases.
TEST(DocumentFileTest, ValidFilesLoadAndStoreTheSameBytes) {
    auto files = Files(kData / "valid");
    ASSERT_GE(files.size(), 4u);
    for (const fs::path& odd : Files(kData / "compat"))
        files.push_back(odd);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const Bytes bytes = ReadBytes(file.string());
        FixtureDocument f;
        ASSERT_TRUE(CDocumentFile::LoadBytes(*f.doc, bytes));
        EXPECT_EQ(CDocumentFile::Store(*f.doc), bytes);
    }
}

// Each valid file cut short anywhere is refused; the case graph's with any one byte
// damaged loads, and stores what loads again, or is refused: never another failure (the
// sanitizer builds run this too).
TEST(DocumentFileTest, DamagedCopiesOfTheValidFilesAreRefusedOrLoadWhole) {
    for (const char* name : {"casegraph.zrn", "occurrence.zrn"}) {
        SCOPED_TRACE(name);
        const Bytes bytes = ReadBytes((kData / "valid" / name).string());
        ASSERT_FALSE(bytes.empty());
        FixtureDocument f;
        for (std::size_t length = 0; length < bytes.size(); ++length)
            ASSERT_EQ(CDocumentFile::LoadBytes(
                          *f.doc,
                          Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)))
                          .error,
                      "Unexpected file format.")
                << "cut at " << length;
        if (std::string(name) != "casegraph.zrn")
            continue;
        int refused = 0, tries = 0;
        for (std::size_t offset = 0; offset < bytes.size(); ++offset)
            for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF, bytes[offset] ^ 0x01}) {
                Bytes damaged = bytes;
                damaged[offset] = static_cast<std::uint8_t>(value);
                const CFileResult result = CDocumentFile::LoadBytes(*f.doc, damaged);
                ++tries;
                if (!result) {
                    ++refused;
                    ASSERT_EQ(result.error, "Unexpected file format.") << "byte " << offset;
                    continue;
                }
                const Bytes stored = CDocumentFile::Store(*f.doc);
                FixtureDocument again;
                ASSERT_TRUE(CDocumentFile::LoadBytes(*again.doc, stored)) << "byte " << offset;
            }
        EXPECT_GT(refused, tries / 10);
        EXPECT_LT(refused, tries);
    }
}

TEST(DocumentFileTest, CorruptFilesAreRefusedAndLeaveTheDocumentEmpty) {
    // The generated set, and the inputs the fuzzer found.
    auto files = Files(kData / "corrupt");
    ASSERT_GE(files.size(), 60u);
    for (const fs::path& found : Files(kData / "corrupt-found"))
        files.push_back(found);
    for (const fs::path& file : files) {
        FixtureDocument f;
        ASSERT_TRUE(CDocumentFile::LoadBytes(*f.doc, FixtureBytes("net")));
        CFileResult result = CDocumentFile::Load(*f.doc, file.string());
        EXPECT_EQ(result.error, "Unexpected file format.") << file.filename();
        ExpectEmpty(*f.doc, file.filename().string());
    }
}
