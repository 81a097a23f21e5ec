// A net whose stored graph would not fit: the document keeps its cases without their
// steps, and the simulation, the analyses and the file behave as with the stored graph.

#include "DocFixture.h"
#include "support/RecordingDC.h"

#include "engines/CCaseEngine.h"
#include "casegraph/CCasePath.h"
#include "casegraph/CPNCase.h"
#include "engines/CaseClassSearch.h"
#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"

#include <algorithm>
#include <random>
#include <set>

namespace {

// Two documents of one net: one stores its graph, the other's memory budget is too
// small for it.
struct TwoWays : ::testing::Test {
    RecordingOutputSink sink;
    RecordingFrame storedFrame, onDemandFrame;
    CZerinDoc stored{storedFrame}, onDemand{onDemandFrame};
    // The memory the second document is told it has left: too little for the stored graph.
    long long budget = 1;

    void Build(const std::function<void(CNetDesign&)>& build) {
        for (CZerinDoc* doc : {&stored, &onDemand}) {
            doc->GetRandom().SetFixedSeed(11);
            doc->NewDocument();
            build(doc->NetDesign());
        }
        onDemandFrame.memoryBudget = budget;
        stored.EnterSimulation();
        sink.Reset();
        onDemand.EnterSimulation();
    }
    static std::multiset<std::string> Cases(const CZerinDoc& doc) {
        std::multiset<std::string> texts;
        for (const CPNCase* node : doc.CaseGraph().m_arrCases)
            texts.insert(node->m_strConditions + (node->m_bReachable ? " reachable" : ""));
        return texts;
    }
    // The cases of an automatic run of the given number of seeded random steps.
    static std::vector<std::string> Run(CZerinDoc& doc, int steps) {
        std::vector<std::string> visited;
        doc.GetRandom().Seed(5);
        for (int i = 0; i < steps && doc.ChooseAutomaticStep(CAutomaticRun::CHOOSE_RANDOM); ++i) {
            CAutomaticRun::ExecuteStepWithoutAnimation(doc);
            visited.push_back(doc.CurrentCase().ToString(false));
        }
        return visited;
    }
};

} // namespace

TEST_F(TwoWays, TheSimulationAndTheAnalysesAgreeWithTheStoredGraph) {
    int simulated = 0;
    for (int seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        Build([seed](CNetDesign& net) {
            std::mt19937 gen(static_cast<unsigned>(seed));
            if (seed % 6 == 0)
                BuildDiningPhilosophers(net, 3 + seed / 6);
            else
                BuildRandomNet(net, gen, 3 + seed % 8, 2 + seed % 5);
        });
        ASSERT_EQ(onDemand.InSimulation(), stored.InSimulation());
        if (!stored.InSimulation())
            continue;
        ++simulated;
        const CCaseGraph& graph = onDemand.CaseGraph();
        ASSERT_NE(graph.GetStepsOnDemand(), nullptr);
        EXPECT_EQ(stored.CaseGraph().GetStepsOnDemand(), nullptr);
        EXPECT_EQ(graph.GetStepCountText(), std::to_string(stored.CaseGraph().m_nSteps));
        EXPECT_EQ(std::count_if(sink.panes[PANE_STANDARD].begin(), sink.panes[PANE_STANDARD].end(),
                                [](const std::string& line) {
                                    return line.rfind("Steps are produced on demand", 0) == 0;
                                }),
                  1);
        EXPECT_EQ(Cases(onDemand), Cases(stored));
        EXPECT_EQ(onDemand.IsContactFree(), stored.IsContactFree());
        EXPECT_FALSE(graph.IsStored());

        // Breakpoints offer the same cases.
        onDemand.RefillBreakPoints();
        stored.RefillBreakPoints();
        EXPECT_EQ(onDemand.BreakPoints().m_nCases, stored.BreakPoints().m_nCases);

        // Paths as long as over the stored steps, their steps kept as records.
        for (std::size_t i = 0; i < graph.m_arrCases.size(); ++i) {
            CPNCase* to = onDemand.CaseGraph().m_arrCases[i];
            const CPNCase* storedTo = nullptr;
            for (const CPNCase* node : stored.CaseGraph().m_arrCases)
                if (node->m_strConditions == to->m_strConditions)
                    storedTo = node;
            ASSERT_NE(storedTo, nullptr);
            const CCasePath path =
                onDemand.CaseGraph().FindPath(onDemand.CaseGraph().GetInitialCase(), to);
            const CCasePath expected =
                stored.CaseGraph().FindPath(stored.CaseGraph().GetInitialCase(), storedTo);
            EXPECT_EQ(path.IsFound(), expected.IsFound());
            EXPECT_EQ(path.GetSteps().size(), expected.GetSteps().size());
            EXPECT_EQ(path.IsForwardOnly(), expected.IsForwardOnly());
            for (const CCasePath::Step& step : path.GetSteps())
                EXPECT_EQ(onDemand.CaseGraph().StepEvents(step.step).ToString(), step.events);
        }

        // The class summary (of classes of one size, the one found first is named, and
        // the cases are found in another order) and a seeded automatic run.
        auto sizes = [](const std::vector<std::string>& lines) {
            std::string text = lines.size() > 1 ? lines[1] : "";
            if (lines.size() > 2)
                for (std::size_t at = lines[2].find('['); at != std::string::npos;
                     at = lines[2].find('[', at + 1))
                    text += " " + lines[2].substr(at, lines[2].find(']', at) - at + 1);
            return text;
        };
        sink.Reset();
        stored.OnCountReachableClasses();
        const std::string summary = sizes(sink.panes[PANE_ANALYSIS]);
        sink.Reset();
        onDemand.OnCountReachableClasses();
        EXPECT_EQ(sizes(sink.panes[PANE_ANALYSIS]), summary);
        EXPECT_EQ(Run(onDemand, 12), Run(stored, 12));
    }
    EXPECT_GE(simulated, 12);
}

TEST_F(TwoWays, TheFileKeepsTheNetAndTheRunAndMarksTheGraphNotComputed) {
    Build([](CNetDesign& net) { BuildDiningPhilosophers(net, 4); });
    ASSERT_TRUE(onDemand.InSimulation());
    Run(onDemand, 3);
    const std::vector<std::uint8_t> bytes = CDocumentFile::Store(onDemand);
    RecordingFrame frame;
    CZerinDoc reopened(frame);
    ASSERT_TRUE(CDocumentFile::LoadBytes(reopened, bytes).ok);
    EXPECT_FALSE(reopened.IsCaseGraphValid());
    EXPECT_FALSE(reopened.IsNetModified());
    EXPECT_TRUE(reopened.CaseGraph().m_arrCases.empty());
    EXPECT_FALSE(reopened.OccurrenceNet().m_listElements.empty());
    // The next simulation computes the class again, stored where it fits.
    reopened.EnterSimulation();
    ASSERT_TRUE(reopened.InSimulation());
    EXPECT_EQ(reopened.CaseGraph().m_nCases, onDemand.CaseGraph().m_nCases);
    EXPECT_EQ(reopened.CaseGraph().m_nSteps, std::stoi(onDemand.CaseGraph().GetStepCountText()));
    // The cases lie on the page and move as a stored graph's do, one edit.
    onDemand.LeaveSimulation();
    RecordingDC dc;
    onDemand.CaseGraph().NameElements(dc);
    onDemand.CaseGraph().InitialLayout();
    CPNCase* moved = onDemand.CaseGraph().m_arrCases[1];
    const CPoint at = moved->m_ptPos;
    onDemand.BeginEdit("Move");
    onDemand.MoveElement(CZerinDoc::DIAGRAM_CASE_GRAPH, moved, CPoint(at.x + 60, at.y));
    ASSERT_TRUE(onDemand.EndEdit());
    onDemand.History().Undo();
    EXPECT_EQ(moved->m_ptPos, at);
}

// Where the cases do not fit one by one either, the class is kept as decision diagrams:
// the net is tested, the token game and the automatic run go on, and the verification
// asks the diagrams.
TEST_F(TwoWays, DecisionDiagramsCarryTheSimulationWhereTheCasesDoNotFit) {
    onDemand.SetCaseEngine(ECaseEngine::Symbolic);
    budget = 0;
    Build([](CNetDesign& net) { BuildDiningPhilosophers(net, 5); });
    ASSERT_TRUE(onDemand.InSimulation());
    const CCaseGraph& graph = onDemand.CaseGraph();
    ASSERT_NE(graph.GetSymbolic(), nullptr);
    EXPECT_TRUE(graph.m_arrCases.empty());
    EXPECT_EQ(graph.GetCaseCountText(), std::to_string(stored.CaseGraph().m_nCases));
    EXPECT_EQ(graph.GetStepCountText(), std::to_string(stored.CaseGraph().m_nSteps));
    EXPECT_EQ(onDemand.IsContactFree(), stored.IsContactFree());
    const auto& lines = sink.panes[PANE_STANDARD];
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "The cases are kept as decision diagrams: one by one they would not fit"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Net is C/E system"), lines.end());
    EXPECT_EQ(Run(onDemand, 12), Run(stored, 12));
    EXPECT_FALSE(onDemand.CanSetBreakpoints());
    sink.Reset();
    onDemand.OnComputeAllReachable();
    EXPECT_EQ(sink.panes[PANE_ANALYSIS],
              std::vector<std::string>{"The cases are kept as decision diagrams: they are not "
                                       "listed one by one (Total 11 case(s))"});

    onDemand.OnCaseClassVerification();
    ASSERT_NE(onDemandFrame.caseClassInput.search, nullptr);
    stored.OnCaseClassVerification();
    auto eating = [](const CCaseClassInput& input) {
        std::vector<CPNCondition*> found;
        for (CPNCondition* c : input.conditions)
            if (c->m_pLabel && c->m_pLabel->m_strText == "eat_1")
                found.push_back(c);
        return found;
    };
    const CCaseClassInput& expected = storedFrame.caseClassInput;
    const std::vector<std::uint8_t> reachable(expected.reachable.begin(), expected.reachable.end());
    const CCaseSearchResult found = onDemandFrame.caseClassInput.search->Find(
        eating(onDemandFrame.caseClassInput), {}, true, 10);
    EXPECT_EQ(found.count,
              std::to_string(
                  FindCaseIndices(expected.cases, reachable, eating(expected), {}, true).size()));
    EXPECT_EQ(onDemandFrame.caseClassInput.search->PathTo(found.first.front())->Describe().size(), 2u);
}
