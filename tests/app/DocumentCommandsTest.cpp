#include "document/DocFixture.h"

#include "app/frame/CDocumentCommands.h"
#include "document/CAutomaticRun.h"
#include "support/TempFolder.h"

#include <algorithm>

// The document's commands of the menus, on a document with a recording frame.

TEST_F(OneEvent, ExportsAskWithTheirNamesAndReportFailures) {
    DocumentCommands::ExportNetDesignXML(doc); // cancelled: nothing written, nothing shown
    frame.exportPath = "/nonexistent-folder/x.xml";
    DocumentCommands::ExportNetDesignXML(doc);
    doc.Simulation().Enter();
    DocumentCommands::ExportCaseClassXML(doc);
    DocumentCommands::ExportCaseGraphXML(doc);
    DocumentCommands::ExportOccurrenceNetXML(doc);
    EXPECT_EQ(frame.askedNames, (std::vector<std::string>{"Untitled", "Untitled", "CaseClass",
                                                          "CaseGraph", "OccurrenceNet"}));
    EXPECT_EQ(frame.errors.size(), 4u);

    TempFolder folder;
    frame.exportPath = folder.Path("graph.xml");
    frame.errors.clear();
    DocumentCommands::ExportCaseGraphXML(doc);
    EXPECT_TRUE(frame.errors.empty());
    EXPECT_EQ(TempFolder::Read(*frame.exportPath), doc.CaseGraph().CaseGraphXML());
}

// No view has named the case graph or laid out the record: the analysis output and the
// exports name them all the same.
TEST_F(OneEvent, AnalysisOutputAndExportsCarryNamesNoViewGave) {
    frame.measure = &dc;
    Enter();
    doc.Selection().Select(e1, false);
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    DocumentCommands::ComputeAllReachable(doc);
    EXPECT_NE(std::find(Pane(PANE_ANALYSIS).begin(), Pane(PANE_ANALYSIS).end(), "{ c1, c2 }"),
              Pane(PANE_ANALYSIS).end());
    TempFolder folder;
    frame.exportPath = folder.Path("graph.xml");
    DocumentCommands::ExportCaseGraphXML(doc);
    EXPECT_NE(TempFolder::Read(*frame.exportPath).find("<step name=\"s1\">"), std::string::npos);
    frame.exportPath = folder.Path("record.xml");
    DocumentCommands::ExportOccurrenceNetXML(doc);
    EXPECT_NE(TempFolder::Read(*frame.exportPath).find("name=\"b1\""), std::string::npos);
}

// Where the class is kept as decision diagrams, the listing says so instead.
TEST_F(OneEvent, ListingsOfAClassKeptAsDecisionDiagramsSaySoInstead) {
    doc.Simulation().SetEngineChoice(ECaseEngine::Symbolic);
    Enter();
    DocumentCommands::ComputeAllReachable(doc);
    DocumentCommands::WriteCaseClass(doc);
    const std::string said =
        "The cases are kept as decision diagrams: they are not listed one by one (Total 2 case(s))";
    EXPECT_EQ(Pane(PANE_ANALYSIS), (std::vector<std::string>{said, said}));
    DocumentCommands::CaseClassVerification(doc);
    EXPECT_NE(frame.caseClassInput.search, nullptr);
}
