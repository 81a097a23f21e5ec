// Opening and saving through the document: the title and path after success and
#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"
// failure, and the emptying of the case graph when an edited net is saved.

#include "FixtureDocuments.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class DocumentOpenSaveTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return m_folder.Path(name); }

    TempFolder m_folder{"zerin-open-save"};
};

} // namespace

TEST_F(DocumentOpenSaveTest, SavingAnEditedNetEmptiesItsCaseGraphAndRecord) {
    FixtureDocument f;
    BuildFixture("occurrence", *f.doc);
    f.doc->m_bNetModified = true;
    f.doc->SetModifiedFlag(true);
    ASSERT_TRUE(f.doc->OnSaveDocument(PathOf("edited.zrn")));
    EXPECT_TRUE(f.doc->m_caseGraph.m_arrCases.empty());
    EXPECT_TRUE(f.doc->m_occurrenceNet.m_listElements.empty());
    EXPECT_FALSE(f.doc->m_netDesign.m_listElements.empty());
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_EQ(f.doc->GetTitle(), "edited");
    EXPECT_EQ(f.doc->GetPathName(), PathOf("edited.zrn"));
}

TEST_F(DocumentOpenSaveTest, SavingATestedNetKeepsItsCaseGraph) {
    FixtureDocument f;
    BuildFixture("occurrence", *f.doc);
    ASSERT_TRUE(f.doc->OnSaveDocument(PathOf("tested.zrn")));
    EXPECT_FALSE(f.doc->m_caseGraph.m_arrCases.empty());
    FixtureDocument g;
    ASSERT_TRUE(g.doc->OnOpenDocument(PathOf("tested.zrn")));
    EXPECT_EQ(g.doc->m_caseGraph.m_arrCases.size(), f.doc->m_caseGraph.m_arrCases.size());
    EXPECT_EQ(g.doc->GetTitle(), "tested");
    EXPECT_FALSE(g.doc->IsModified());
}

TEST_F(DocumentOpenSaveTest, FailedSaveKeepsTheOldFileAndGivesTheReason) {
    FixtureDocument f;
    BuildFixture("net", *f.doc);
    const std::string path = PathOf("kept.zrn");
    ASSERT_TRUE(f.doc->OnSaveDocument(path));
    const auto before = ReadBytes(path);
    // A folder where the file should be makes the rename fail.
    std::filesystem::create_directories(m_folder.Folder() / "blocked.zrn" / "inside");
    CFileResult result = f.doc->OnSaveDocument(PathOf("blocked.zrn"));
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(f.doc->GetPathName(), path);
    EXPECT_EQ(ReadBytes(path), before);
}
