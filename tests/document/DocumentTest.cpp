#include "DocFixture.h"

#include "document/CAutomaticRun.h"

#include "support/TempFolder.h"

TEST_F(DocFixture, NamesCountUpAndNeverDown) {
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_CONDITION), "b1");
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_CONDITION), "b2");
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_EVENT), "e1");
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_NET_LABEL), "Text1");
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_DIAGRAM_LABEL), "Text1");
    EXPECT_EQ(doc.GetNewName(4), "");
    EXPECT_EQ(doc.GetNewName(-1), "");
    auto* c = new CPNCondition(100, 100, nullptr);
    ASSERT_TRUE(doc.AddElement(c));
    doc.Select(c, false);
    doc.DeleteSelection();
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_CONDITION), "b3");
    doc.NewDocument();
    EXPECT_EQ(doc.GetNewName(CZerinDoc::NAME_CONDITION), "b1");
}

// "Grid Points" is kept in the file, so switching it is an edit; the ruler is not kept.
TEST_F(DocFixture, GridPointsIsAnEditOfTheFileAndTheRulerIsNot) {
    doc.ToggleRuler();
    EXPECT_TRUE(doc.HasRuler() && !doc.IsModified());
    doc.ToggleGrid();
    EXPECT_TRUE(!doc.HasGrid() && doc.IsModified());
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

TEST_F(OneEvent, ExportsAskWithTheirNamesAndReportFailures) {
    doc.OnExportNetDesignXML(); // cancelled: nothing written, nothing shown
    frame.exportPath = "/nonexistent-folder/x.xml";
    doc.OnExportNetDesignXML();
    doc.EnterSimulation();
    doc.OnExportCaseClassXML();
    doc.OnExportCaseGraphXML();
    doc.OnExportOccurrenceNetXML();
    EXPECT_EQ(frame.askedNames, (std::vector<std::string>{"Untitled", "Untitled", "CaseClass",
                                                          "CaseGraph", "OccurrenceNet"}));
    EXPECT_EQ(frame.errors.size(), 4u);

    TempFolder folder;
    frame.exportPath = folder.Path("graph.xml");
    frame.errors.clear();
    doc.OnExportCaseGraphXML();
    EXPECT_TRUE(frame.errors.empty());
    EXPECT_EQ(TempFolder::Read(*frame.exportPath), doc.CaseGraph().CaseGraphXML());
}

// No view has named the case graph or laid out the record: the analysis output and the
// exports name them all the same.
TEST_F(OneEvent, AnalysisOutputAndExportsCarryNamesNoViewGave) {
    frame.measure = &dc;
    Enter();
    doc.Select(e1, false);
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    doc.OnComputeAllReachable();
    EXPECT_NE(std::find(Pane(PANE_ANALYSIS).begin(), Pane(PANE_ANALYSIS).end(), "{ c1, c2 }"),
              Pane(PANE_ANALYSIS).end());
    TempFolder folder;
    frame.exportPath = folder.Path("graph.xml");
    doc.OnExportCaseGraphXML();
    EXPECT_NE(TempFolder::Read(*frame.exportPath).find("<step name=\"s1\">"), std::string::npos);
    frame.exportPath = folder.Path("record.xml");
    doc.OnExportOccurrenceNetXML();
    EXPECT_NE(TempFolder::Read(*frame.exportPath).find("name=\"b1\""), std::string::npos);
}
