#include "DocFixture.h"

#include "document/CAutomaticRun.h"

TEST_F(DocFixture, NamesCountUpAndNeverDown) {
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_CONDITION), "b1");
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_CONDITION), "b2");
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_EVENT), "e1");
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_NET_LABEL), "Text1");
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_DIAGRAM_LABEL), "Text1");
    EXPECT_EQ(doc.GetNewName(4), "");
    EXPECT_EQ(doc.GetNewName(-1), "");
    auto* c = new CPNCondition(100, 100, nullptr);
    ASSERT_TRUE(doc.AddElement(c));
    doc.Selection().Select(c, false);
    doc.DeleteSelection();
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_CONDITION), "b3");
    doc.NewDocument();
    EXPECT_EQ(doc.GetNewName(CDocumentRecord::NAME_CONDITION), "b1");
}

// "Grid Points" is kept in the file, so switching it is an edit; the ruler is not kept.
TEST_F(DocFixture, GridPointsIsAnEditOfTheFileAndTheRulerIsNot) {
    doc.ToggleRuler();
    EXPECT_TRUE(doc.Record().ruler && !doc.IsModified());
    doc.ToggleGrid();
    EXPECT_TRUE(!doc.Record().grid && doc.IsModified());
}

TEST_F(DocFixture, TitleFollowsThePath) {
    doc.SetPathName("/home/u/nets/mutex.zrn");
    EXPECT_EQ(doc.GetTitle(), "mutex");
    doc.SetPathName("C:\\nets\\Philosophers.ZRN");
    EXPECT_EQ(doc.GetTitle(), "Philosophers");
    doc.SetPathName("/tmp/plain.txt");
    EXPECT_EQ(doc.GetTitle(), "plain.txt");
    const int before = frame.stateChanges;
    doc.SetModifiedFlag();
    doc.SetModifiedFlag();
    EXPECT_EQ(frame.stateChanges, before + 1);
}

