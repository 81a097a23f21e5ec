// The case graph's steps as a table for spreadsheets: a line per step with the cases it
// joins and its events; a name holding the separator or a quote is quoted.

#include "document/DocFixture.h"

#include "formats/CExportInput.h"
#include "formats/CStepCsvFormat.h"
#include "support/TempFolder.h"

TEST_F(DocFixture, TheStepsOfTheCaseGraphAsATable) {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    CPNCondition* c1 = net.Condition("c1", true);
    CPNCondition* c2 = net.Condition("c2");
    net.Event("go, fast", {b1}, {b2});
    net.Event("say \"hi\"", {c1}, {c2});
    Enter();
    const std::string table = CStepCsvFormat::Table(doc.CaseGraph());
    EXPECT_EQ(table, "step,from,to,events\n"
                     "s1,c1,c2,\"go, fast\"\n"
                     "s2,c1,c3,\"say \"\"hi\"\"\"\n"
                     "s3,c1,c4,\"go, fast say \"\"hi\"\"\"\n"
                     "s4,c2,c4,\"say \"\"hi\"\"\"\n"
                     "s5,c3,c4,\"go, fast\"\n");

    const CStepCsvFormat format;
    EXPECT_TRUE(format.CanWrite(doc, CZerinDoc::DIAGRAM_CASE_GRAPH));
    EXPECT_EQ(format.GetPrompt(CZerinDoc::DIAGRAM_CASE_GRAPH),
              "Write the case graph as a table of its steps (CSV)\nExport To CSV");
    TempFolder folder;
    const CExportInput input = ModelInput(doc, CZerinDoc::DIAGRAM_CASE_GRAPH);
    ASSERT_TRUE(format.Write(input, folder.Path("steps.csv")));
    EXPECT_EQ(TempFolder::Read(folder.Path("steps.csv")), table);
    const CFileResult failed = format.Write(input, folder.Path("none/steps.csv"));
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find(folder.Path("none/steps.csv")), std::string::npos);
}
