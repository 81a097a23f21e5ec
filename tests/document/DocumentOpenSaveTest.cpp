// Saving through the document: a tested net keeps its case graph in the file and comes
// back with it; an edited one stores its case graph and record empty. Title and path
// follow the file either way.
#include "document/CDocumentFile.h"
#include "support/DocAccess.h"
#include "document/CZerinDoc.h"

#include "FixtureDocuments.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(DocumentOpenSaveTest, ASavedNetKeepsItsCaseGraphOnlyWhenItWasTestedAsItIs) {
    TempFolder folder{"zerin-open-save"};
    for (const bool edited : {false, true}) {
        SCOPED_TRACE(edited);
        FixtureDocument f;
        BuildFixture("occurrence", *f.doc);
        if (edited) {
            f.doc->SetNetModified();
            f.doc->SetModifiedFlag(true);
        }
        const std::string path = folder.Path(edited ? "edited.zrn" : "tested.zrn");
        ASSERT_TRUE(f.doc->OnSaveDocument(path));
        EXPECT_EQ(f.doc->CaseGraph().Cases().empty(), edited);
        EXPECT_EQ(f.doc->OccurrenceNet().m_listElements.empty(), edited);
        EXPECT_FALSE(f.doc->NetDesign().m_listElements.empty());
        EXPECT_FALSE(f.doc->IsModified());
        EXPECT_EQ(f.doc->GetPathName(), path);
        FixtureDocument g;
        ASSERT_TRUE(g.doc->OnOpenDocument(path));
        EXPECT_EQ(g.doc->CaseGraph().Cases().size(), f.doc->CaseGraph().Cases().size());
        EXPECT_EQ(g.doc->GetTitle(), edited ? "edited" : "tested");
        EXPECT_FALSE(g.doc->IsModified());
    }
}
