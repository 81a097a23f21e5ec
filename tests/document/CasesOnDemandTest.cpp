// A net whose stored graph would not fit: the document keeps its cases without their
// steps, and the simulation, the analyses and the file behave as with the stored graph.

#include "DocFixture.h"
#include "support/DocAccess.h"
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
            build(NetOf(*doc));
        }
        onDemandFrame.memoryBudget = budget;
        stored.Simulation().Enter();
        sink.Reset();
        onDemand.Simulation().Enter();
    }
    static std::multiset<std::string> Cases(const CZerinDoc& doc) {
        std::multiset<std::string> texts;
        for (const CPNCase* node : GraphOf(doc).Cases())
            texts.insert(node->m_strConditions + (node->m_bReachable ? " reachable" : ""));
        return texts;
    }
    // The cases of an automatic run of the given number of seeded random steps.
    static std::vector<std::string> Run(CZerinDoc& doc, int steps) {
        std::vector<std::string> visited;
        doc.GetRandom().Seed(5);
        for (int i = 0; i < steps && doc.Simulation().ChooseAutomaticStep(CAutomaticRun::CHOOSE_RANDOM); ++i) {
            CAutomaticRun::ExecuteStepWithoutAnimation(doc);
            visited.push_back(doc.Simulation().CurrentCase().ToString(false));
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
        ASSERT_EQ(onDemand.Simulation().IsActive(), stored.Simulation().IsActive());
        if (!stored.Simulation().IsActive())
            continue;
        ++simulated;
        const CCaseGraph& graph = onDemand.CaseGraph();
        ASSERT_FALSE(graph.HasAllSteps());
        EXPECT_TRUE(GraphOf(stored).HasAllSteps());
        EXPECT_EQ(onDemand.Simulation().Engine()->CountSteps(),
                  std::to_string(GraphOf(stored).StepCount()));
        EXPECT_EQ(std::count_if(sink.panes[PANE_STANDARD].begin(), sink.panes[PANE_STANDARD].end(),
                                [](const std::string& line) {
                                    return line.rfind("Steps are produced on demand", 0) == 0;
                                }),
                  1);
        EXPECT_EQ(Cases(onDemand), Cases(stored));
        EXPECT_EQ(onDemand.Record().contactFree, stored.Record().contactFree);
        EXPECT_FALSE(onDemand.CaseGraph().HasAllSteps());

        // Breakpoints offer the same cases.
        onDemand.Simulation().RefillBreakPoints();
        stored.Simulation().RefillBreakPoints();
        EXPECT_EQ(onDemand.Simulation().BreakPoints().m_nCases, stored.Simulation().BreakPoints().m_nCases);

        // Paths as long as over the stored steps, their steps kept as records.
        for (std::size_t i = 0; i < graph.Cases().size(); ++i) {
            CPNCase* to = GraphOf(onDemand).Cases()[i];
            const CPNCase* storedTo = nullptr;
            for (const CPNCase* node : GraphOf(stored).Cases())
                if (node->m_strConditions == to->m_strConditions)
                    storedTo = node;
            ASSERT_NE(storedTo, nullptr);
            const std::optional<CCaseRun> path =
                onDemand.Simulation().Engine()->PathTo(to->m_setConditions);
            const std::optional<CCaseRun> expected =
                stored.Simulation().Engine()->PathTo(storedTo->m_setConditions);
            ASSERT_TRUE(path && expected);
            EXPECT_EQ(path->found, expected->found);
            EXPECT_EQ(path->steps.size(), expected->steps.size());
            EXPECT_EQ(path->IsForwardOnly(), expected->IsForwardOnly());
            // Drawn as records of the graph, each between its two cases.
            const std::vector<const CPNElement*> elements =
                onDemand.CaseGraphEditor().PathElements(*path);
            EXPECT_EQ(elements.size(), path->found ? 2 * path->steps.size() + 1 : 0u);
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
        CCaseGraph::WriteClassSummary(*stored.Simulation().Engine()->ForwardAdjacency());
        const std::string summary = sizes(sink.panes[PANE_ANALYSIS]);
        sink.Reset();
        CCaseGraph::WriteClassSummary(*onDemand.Simulation().Engine()->ForwardAdjacency());
        EXPECT_EQ(sizes(sink.panes[PANE_ANALYSIS]), summary);
        EXPECT_EQ(Run(onDemand, 12), Run(stored, 12));
    }
    EXPECT_GE(simulated, 12);
}

TEST_F(TwoWays, TheFileKeepsTheNetAndTheRunAndMarksTheGraphNotComputed) {
    Build([](CNetDesign& net) { BuildDiningPhilosophers(net, 4); });
    ASSERT_TRUE(onDemand.Simulation().IsActive());
    Run(onDemand, 3);
    const std::vector<std::uint8_t> bytes = CDocumentFile::Store(onDemand);
    RecordingFrame frame;
    CZerinDoc reopened(frame);
    ASSERT_TRUE(CDocumentFile::LoadBytes(reopened, bytes).ok);
    EXPECT_FALSE(reopened.Record().caseGraphValid);
    EXPECT_FALSE(reopened.Record().netModified);
    EXPECT_TRUE(GraphOf(reopened).Cases().empty());
    EXPECT_FALSE(reopened.OccurrenceNet().m_listElements.empty());
    // The next simulation computes the class again, stored where it fits.
    reopened.Simulation().Enter();
    ASSERT_TRUE(reopened.Simulation().IsActive());
    EXPECT_EQ(GraphOf(reopened).Cases().size(), GraphOf(onDemand).Cases().size());
    EXPECT_EQ(std::to_string(GraphOf(reopened).StepCount()),
              onDemand.Simulation().Engine()->CountSteps());
    // The cases lie on the page and move as a stored graph's do, one edit.
    onDemand.Simulation().Leave();
    RecordingDC dc;
    onDemand.CaseGraphEditor().Name(dc, true);
    onDemand.CaseGraphEditor().LayOutForShowing();
    CPNCase* moved = GraphOf(onDemand).Cases()[1];
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
    onDemand.Simulation().SetEngineChoice(ECaseEngine::Symbolic);
    budget = 0;
    Build([](CNetDesign& net) { BuildDiningPhilosophers(net, 5); });
    ASSERT_TRUE(onDemand.Simulation().IsActive());
    const CCaseGraph& graph = onDemand.CaseGraph();
    CCaseEngine* engine = onDemand.Simulation().Engine();
    ASSERT_NE(engine, nullptr);
    EXPECT_FALSE(engine->ListsCases());
    EXPECT_TRUE(graph.Cases().empty());
    EXPECT_EQ(engine->CountCases(), std::to_string(GraphOf(stored).Cases().size()));
    EXPECT_EQ(engine->CountSteps(), std::to_string(GraphOf(stored).StepCount()));
    EXPECT_EQ(onDemand.Record().contactFree, stored.Record().contactFree);
    const auto& lines = sink.panes[PANE_STANDARD];
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "The cases are kept as decision diagrams: one by one they would not fit"),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Net is C/E system"), lines.end());
    EXPECT_EQ(Run(onDemand, 12), Run(stored, 12));
    EXPECT_FALSE(onDemand.Simulation().CanSetBreakpoints());
    // The search and the path are asked of the diagrams.
    auto eating = [](const CZerinDoc& doc) {
        std::vector<CPNCondition*> found;
        for (CPNElement* e : doc.NetDesign().m_listElements)
            if (auto* c = dynamic_cast<CPNCondition*>(e); c && c->m_pLabel &&
                                                          c->m_pLabel->m_strText == "eat_1")
                found.push_back(c);
        return found;
    };
    const CCaseSearchResult expected =
        stored.Simulation().Engine()->Find(eating(stored), {}, true, 10);
    const CCaseSearchResult found = engine->Find(eating(onDemand), {}, true, 10);
    EXPECT_EQ(found.count, expected.count);
    EXPECT_EQ(engine->PathTo(found.first.front())->Describe().size(), 2u);
}
