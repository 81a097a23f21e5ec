#include "document/DocFixture.h"

#include "app/frame/CDocumentCommands.h"
#include "app/frame/CQuestionCommands.h"
#include "questions/CQuestionRegistry.h"
#include "document/CAutomaticRun.h"

#include <algorithm>

// The document's analysis commands of the menus, on a document with a recording frame.

// No view has named the case graph or laid out the record: the analysis output names
// them all the same.
TEST_F(OneEvent, AnalysisOutputCarriesNamesNoViewGave) {
    frame.measure = &dc;
    Enter();
    doc.Selection().Select(e1, false);
    CAutomaticRun::ExecuteStepWithoutAnimation(doc);
    QuestionCommands::Ask(doc, *Questions().Find("classes"));
    EXPECT_NE(std::find(Pane(PANE_ANALYSIS).begin(), Pane(PANE_ANALYSIS).end(), "{ c1, c2 }"),
              Pane(PANE_ANALYSIS).end());
}

// Where the class is kept as decision diagrams, the listing says so instead.
TEST_F(OneEvent, ListingsOfAClassKeptAsDecisionDiagramsSaySoInstead) {
    doc.Simulation().SetEngineChoice(ECaseEngine::Symbolic);
    Enter();
    QuestionCommands::Ask(doc, *Questions().Find("classes"));
    QuestionCommands::Ask(doc, *Questions().Find("case-class"));
    const std::string said =
        "The cases are kept as decision diagrams: they are not listed one by one (Total 2 case(s))";
    EXPECT_EQ(Pane(PANE_ANALYSIS), (std::vector<std::string>{said, said}));
    DocumentCommands::CaseClassVerification(doc);
    EXPECT_NE(frame.caseClassInput.engine, nullptr);
}
