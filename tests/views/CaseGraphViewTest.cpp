#include "ViewFixture.h"
#include "support/DocAccess.h"
#include "views/CommandIds.h"

#include "base/OutputWriter.h"
#include "casegraph/CCaseDistances.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "document/CDocumentFile.h"
#include "model/CPNCondition.h"
#include "model/CPNLabel.h"
#include "platform/CQtDC.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/TempFolder.h"
#include "views/CZerinCaseGraphView.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QPainter>
#include <QProgressDialog>
#include <QTimer>

#include <filesystem>
#include <random>
#include <set>
#include <tuple>

using TestCaseGraphView = RecordingView<CZerinCaseGraphView>;

class CaseGraphViewTest : public ::testing::Test {
protected:
    // The net of the text in simulation, the case graph view shown and refreshed.
    // A net that is no C/E system (a single case has no events) gets its graph
    // computed without entering simulation.
    void Show(const std::string& net) {
        const CSetConditions initial = BuildNetFromText(NetOf(doc), net);
        doc.SetNetModified();
        doc.Simulation().Enter();
        if (!doc.Simulation().IsActive()) {
            GraphOf(doc).ComputeCaseGraph(initial, NetOf(doc), {});
            doc.Simulation().AdoptCaseGraph(true);
        }
        ASSERT_TRUE(doc.Record().caseGraphValid);
        view = std::make_unique<TestCaseGraphView>(doc, host);
        frame.view = view.get();
        view->resize(500, 400);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        // Title tips show only in the active application.
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        if (limit >= 0)
            view->SetOverviewLimits(limit, limit);
        view->OnInitialUpdate();
        view->Refresh();
    }
    // A new view of the document, on an overview of groups past 2 cases or 2 steps.
    void ShowOnSmallOverview() {
        view = std::make_unique<TestCaseGraphView>(doc, host);
        frame.view = view.get();
        view->resize(500, 400);
        view->show();
        view->SetOverviewLimits(2, 2);
        view->OnInitialUpdate();
        view->Refresh();
    }
    void Leave() {
        doc.Simulation().Leave();
        view->Refresh();
    }
    void TearDown() override { frame.view = nullptr; }

    CCaseGraph& Graph() { return GraphOf(doc); }
    QWidget* Port() const { return view->viewport(); }
    // The device point of a logical one.
    QPoint At(CPoint pt) const {
        const CPoint scroll = view->GetScrollPosition();
        return QPoint(pt.x - scroll.x, pt.y - scroll.y);
    }
    QPoint At(const CPNElement* e) const { return At(e->m_ptPos); }
    CCommandState State(int id) {
        CCommandState state;
        EXPECT_TRUE(view->OnUpdateCommand(id, state));
        return state;
    }
    // A free point of the page: no case, step or label there.
    CPoint Empty() {
        for (int y = 5; y < Graph().Extent().cy; y += 7)
            for (int x = 5; x < 400; x += 7)
                if (!Graph().ElementFromPoint(CPoint(x, y)))
                    return CPoint(x, y);
        ADD_FAILURE() << "no free point";
        return CPoint(0, 0);
    }
    int NameLines() const { return static_cast<int>(sink.panes[PANE_CASEGRAPH_LEGEND].size()); }

    // The overview's limits for the cases and the steps; the view's own when negative.
    int limit = -1;
    RecordingOutputSink sink;
    ViewFrame frame;
    CZerinDoc doc{frame};
    FakeViewHost host;
    std::unique_ptr<TestCaseGraphView> view;
};

TEST_F(CaseGraphViewTest, FirstShowLaysOutOnAGridSizedByTheCasesAndWritesTheNamesOnce) {
    struct Row {
        int cases;
        int cells;
        int page;
    };
    for (const Row& row : {Row{1, 4, 300}, Row{10, 8, 540}, Row{100, 22, 1380}}) {
        SCOPED_TRACE(row.cases);
        doc.Simulation().Leave();
        doc.NewDocument();
        sink.panes[PANE_CASEGRAPH_LEGEND].clear();
        Show(row.cases == 1 ? std::string("a*") : RingNetText(row.cases));
        ASSERT_EQ(Graph().Cases().size(), row.cases);
        EXPECT_EQ(view->GetGridCells(), row.cells);
        EXPECT_EQ(view->GetExtent(), CSize(row.page, row.page));
        EXPECT_TRUE(doc.Record().caseGraphLaidOut);
        // "Names of cases...", a line per case, a blank, "Names of steps...", a line
        // per step.
        EXPECT_EQ(NameLines(), 3 + row.cases + Graph().StepCount());
        for (const CPNCase* node : Graph().Cases()) {
            EXPECT_EQ(node->m_ptPos.x % 60, 0);
            EXPECT_LT(node->m_ptPos.x, row.page);
        }
        // Showing it again lays nothing out and writes nothing.
        std::vector<CPoint> before;
        for (const CPNCase* node : Graph().Cases())
            before.push_back(node->m_ptPos);
        view->Refresh();
        EXPECT_EQ(NameLines(), 3 + row.cases + Graph().StepCount());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(Graph().Cases()[i]->m_ptPos, before[i]);
        frame.view = nullptr;
        view.reset();
    }
}

// Past its limits the graph opens on its overview, the cases grouped by distance in
// columns, nothing of the graph laid out or named and nothing to hit; "Show Whole Graph"
// lays it out and names it, and takes the user back.
TEST_F(CaseGraphViewTest, ALargeGraphOpensOnItsOverviewUntilTheWholeIsAskedFor) {
    limit = 5;
    Show(RingNetText(6));
    const CCaseGraphOverview* overview = view->GetOverview();
    ASSERT_NE(overview, nullptr);
    EXPECT_FALSE(doc.Record().caseGraphLaidOut);
    EXPECT_EQ(NameLines(), 0);
    EXPECT_EQ(view->GetExtent(), overview->GetExtent());
    RecordingDC dc;
    view->DrawModel(dc);
    std::vector<std::string> texts;
    for (const DrawCall& call : dc.Calls("Text"))
        texts.push_back(call.text);
    // What it shows, then the columns by events fired, the six single events of the
    // ring one per arc, the groups.
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts.front().find("an arrow counts the single events"), std::string::npos);
    texts.erase(texts.begin());
    EXPECT_EQ(texts, (std::vector<std::string>{"0 events", "1 event", "2 events", "3 events", "1",
                                               "1", "1", "1", "1", "1", "1 case", "2 cases",
                                               "2 cases", "1 case"}));
    // The initial case is the current one: its group alone is filled.
    const std::vector<DrawCall> boxes = dc.Calls("Rectangle");
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_NE(boxes[0].brush, boxes[1].brush);
    EXPECT_EQ(boxes[1].brush, boxes[3].brush);
    EXPECT_FALSE(State(Cmd::ID_HIGHLIGHT_REACHABLE).enabled);
    EXPECT_FALSE(State(Cmd::ID_TOOL_LABEL).enabled);
    EXPECT_FALSE(State(Cmd::ID_SHOW_WHOLE_GRAPH).checked);
    // A box tells its cases in a tip.
    QTest::mouseMove(Port(), At(overview->GroupRect(1).CenterPoint()));
    EXPECT_EQ(view->GetTitleTip().GetLines(),
              QStringList{QStringLiteral("2 cases, 1 event from the initial case")});
    // The ring reaches all of itself from every case: one class, no arc.
    ASSERT_TRUE(view->OnCommand(Cmd::ID_OVERVIEW_BY_CLASS));
    ASSERT_EQ(view->GetOverview()->Groups().size(), 1u);
    EXPECT_EQ(view->GetOverview()->Groups()[0].cases, 6u);
    EXPECT_TRUE(view->GetOverview()->Arcs().empty());
    EXPECT_TRUE(State(Cmd::ID_OVERVIEW_BY_CLASS).checked);
    ASSERT_TRUE(view->OnCommand(Cmd::ID_OVERVIEW_BY_CLASS));
    overview = view->GetOverview();
    Leave();
    QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(Port(), QPoint(2, 1));
    QTest::mouseMove(Port(), QPoint(300, 200));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_TRUE(doc.Selection().empty());

    ASSERT_TRUE(view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH));
    EXPECT_EQ(view->GetOverview(), nullptr);
    EXPECT_TRUE(doc.Record().caseGraphLaidOut);
    EXPECT_EQ(NameLines(), 3 + 6 + 6);
    EXPECT_TRUE(State(Cmd::ID_SHOW_WHOLE_GRAPH).checked);
    EXPECT_EQ(view->GetExtent(), Graph().Extent());
    ASSERT_TRUE(view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH));
    ASSERT_NE(view->GetOverview(), nullptr);
    // A double click on a box opens its cases alone, then "Show Whole Graph" all of them.
    const CRect box = view->GetOverview()->GroupRect(1);
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(box.CenterPoint()));
    EXPECT_TRUE(view->ShowsPart());
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < Graph().Cases().size(); ++i)
        if (Graph().IsCaseShown(i))
            shown.push_back(i);
    // The cases one event from c0: c1 and c5.
    std::set<std::string> holding;
    for (const std::size_t i : shown)
        holding.insert(Graph().Cases()[i]->m_setConditions.ToString(true));
    EXPECT_EQ(holding, (std::set<std::string>{"c1 ", "c5 "}));
    ASSERT_TRUE(view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH));
    EXPECT_FALSE(view->ShowsPart());
    EXPECT_TRUE(Graph().IsCaseShown(shown.front() == 0 ? 1 : 0));
}

// Past its limit of steps, "Show Whole Graph" is a task that tells its progress, stage by
// stage, with Cancel. Cancelled at any poll, the overview stays, nothing is shown half
// made and no name reaches the legend; asked again, the whole graph comes complete, its
// names written once.
TEST_F(CaseGraphViewTest, ShowWholeGraphShowsItsProgressAndCancelKeepsTheOverview) {
    limit = 5;
    Show(RingNetText(12));
    Leave();
    view->SetProgressSteps(0);
    std::set<std::string> stages;
    for (host.cancelAt = 1;; ++host.cancelAt) {
        SCOPED_TRACE(host.cancelAt);
        host.stages.clear();
        ASSERT_TRUE(view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH));
        ASSERT_EQ(host.tasks.back(), "Show Whole Graph");
        stages.insert(host.stages.begin(), host.stages.end());
        if (host.polls < host.cancelAt)
            break;
        EXPECT_NE(view->GetOverview(), nullptr);
        EXPECT_FALSE(State(Cmd::ID_SHOW_WHOLE_GRAPH).checked);
        EXPECT_EQ(NameLines(), 0) << "the legend holds nothing half written";
        ASSERT_LT(host.cancelAt, 60);
    }
    EXPECT_GT(host.cancelAt, 4) << "every stage polls";
    EXPECT_EQ(view->GetOverview(), nullptr);
    EXPECT_TRUE(doc.Record().caseGraphLaidOut);
    EXPECT_EQ(NameLines(), 3 + 12 + 12);
    EXPECT_EQ(stages, (std::set<std::string>{
                          "Naming the cases and steps...", "Laying out the cases and steps...",
                          "Writing the names of the cases and steps...", "Drawing the steps..."}));
    EXPECT_FALSE(doc.History().CanUndo()) << "the first layout is no edit";
}

// "Go to Case..." shows a case with the cases within k steps of it and hides the rest;
// a double click on its rim moves it there; a case dragged in it moves in the whole
// graph, and Undo puts it back.
TEST_F(CaseGraphViewTest, GoToCaseShowsTheCasesWithinKStepsAndMovesThem) {
    Show(RingNetText(12));
    std::string error;
    EXPECT_FALSE(view->GoToCase("c13", {}, {}, 1, error));
    EXPECT_EQ(error, "No case is named c13.");
    EXPECT_FALSE(view->GoToCase("", {"c3", "nothere"}, {}, 1, error));
    EXPECT_EQ(error, "No condition is named nothere.");
    EXPECT_FALSE(view->GoToCase("", {"c3"}, {"c3"}, 1, error));
    EXPECT_EQ(error, "No case holds the wanted conditions and none of the unwanted.");
    // The cases shown, by the condition each holds (the ring's case i holds c<i>).
    auto holds = [](const CPNCase* node) {
        std::string text = node->m_setConditions.ToString(true);
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    auto shown = [this, &holds] {
        std::set<std::string> names;
        for (std::size_t i = 0; i < Graph().Cases().size(); ++i) {
            const CPNCase* node = Graph().Cases()[i];
            if (Graph().IsCaseShown(i))
                names.insert(holds(node));
            else
                EXPECT_NE(Graph().ElementFromPoint(node->m_ptPos), node);
        }
        return names;
    };
    ASSERT_TRUE(view->GoToCase("c1", {}, {}, 2, error)) << error;
    EXPECT_EQ(shown(), (std::set<std::string>{"c10", "c11", "c0", "c1", "c2"}));
    ASSERT_TRUE(view->GoToCase("", {"c5"}, {}, 1, error)) << error;
    EXPECT_EQ(shown(), (std::set<std::string>{"c4", "c5", "c6"}));
    EXPECT_FALSE(State(Cmd::ID_SHOW_WHOLE_GRAPH).checked);
    // The rim: a double click on c6 centres the neighbourhood there.
    const CPNCase* rim = nullptr;
    for (const CPNCase* node : Graph().Cases())
        if (holds(node) == "c6")
            rim = node;
    ASSERT_NE(rim, nullptr);
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, view->LogicalToDevice(rim->m_ptPos));
    EXPECT_EQ(shown(), (std::set<std::string>{"c5", "c6", "c7"}));

    Leave();
    EXPECT_EQ(shown(), (std::set<std::string>{"c5", "c6", "c7"}));
    const CPoint start = rim->m_ptPos;
    const QPoint from = view->LogicalToDevice(start);
    QTest::mousePress(Port(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Port(), from + QPoint(1, 0));
    QTest::mouseMove(Port(), from + QPoint(20, 15));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, from + QPoint(20, 15));
    const CPoint moved = rim->m_ptPos;
    EXPECT_NE(moved, start);
    ASSERT_TRUE(view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH));
    EXPECT_EQ(shown().size(), 12u);
    EXPECT_EQ(rim->m_ptPos, moved);
    doc.History().Undo();
    EXPECT_EQ(rim->m_ptPos, start);
}

// "Lay Out Neighbourhood" gathers the cases shown around the case gone to, on grid
// points no case took, as one edit that Undo takes back; in the token game it moves
// nothing.
TEST_F(CaseGraphViewTest, LayOutNeighbourhoodGathersItsCasesAsOneEdit) {
    Show(RingNetText(40));
    std::string error;
    ASSERT_TRUE(view->GoToCase("c20", {}, {}, 3, error)) << error;
    EXPECT_FALSE(State(Cmd::ID_LAY_OUT_NEIGHBOURHOOD).enabled) << "the token game";
    Leave();
    ASSERT_TRUE(view->GoToCase("c20", {}, {}, 3, error)) << error;
    ASSERT_TRUE(State(Cmd::ID_LAY_OUT_NEIGHBOURHOOD).enabled);
    std::vector<CPoint> before;
    for (const CPNCase* node : Graph().Cases())
        before.push_back(node->m_ptPos);
    doc.History().Begin("Lay Out Neighbourhood");
    ASSERT_TRUE(view->OnCommand(Cmd::ID_LAY_OUT_NEIGHBOURHOOD));
    doc.History().End();
    const CPoint centre = Graph().Cases()[19]->m_ptPos;
    EXPECT_EQ(centre, before[19]);
    std::set<std::pair<int, int>> points;
    for (std::size_t i = 0; i < Graph().Cases().size(); ++i) {
        const CPoint p = Graph().Cases()[i]->m_ptPos;
        EXPECT_TRUE(points.insert({p.x, p.y}).second);
        if (!Graph().IsCaseShown(i)) {
            EXPECT_EQ(p, before[i]);
            continue;
        }
        // Seven cases on the nearest free points: within three points of the centre.
        EXPECT_LE(std::abs(p.x - centre.x), 3 * CCaseGraph::kGridStep) << i;
        EXPECT_LE(std::abs(p.y - centre.y), 3 * CCaseGraph::kGridStep) << i;
    }
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.History().CanUndo());
    doc.History().Undo();
    for (std::size_t i = 0; i < Graph().Cases().size(); ++i)
        EXPECT_EQ(Graph().Cases()[i]->m_ptPos, before[i]);
}

// Lay Out Neighbourhood is a task that moves its cases a few at a time: cancelled at any
// of its polls, every case stands where it stood, no edit is left and the document is as
// unmodified as it was; the one run to its end is one edit, undone in the same parts.
TEST_F(CaseGraphViewTest, LayOutNeighbourhoodCancelledLeavesTheGraphAsItWas) {
    Show(RingNetText(80));
    Leave();
    std::string error;
    ASSERT_TRUE(view->GoToCase("c40", {}, {}, 3, error)) << error;
    std::vector<CPoint> before;
    for (const CPNCase* node : Graph().Cases())
        before.push_back(node->m_ptPos);
    const auto positions = [this] {
        std::vector<CPoint> at;
        for (const CPNCase* node : Graph().Cases())
            at.push_back(node->m_ptPos);
        return at;
    };
    const bool modified = doc.IsModified();
    for (host.cancelAt = 1;; ++host.cancelAt) {
        SCOPED_TRACE(host.cancelAt);
        ASSERT_TRUE(view->OnCommand(Cmd::ID_LAY_OUT_NEIGHBOURHOOD));
        EXPECT_EQ(host.tasks.back(), "Lay Out Neighbourhood");
        if (host.results.back())
            break;
        EXPECT_EQ(positions(), before);
        EXPECT_FALSE(doc.History().CanUndo());
        EXPECT_EQ(doc.IsModified(), modified);
        ASSERT_LT(host.cancelAt, 40);
    }
    EXPECT_EQ(host.cancelAt, static_cast<int>((7 + CZerinCaseGraphView::kGatherBatch - 1) /
                                              CZerinCaseGraphView::kGatherBatch) +
                                 2)
        << "the steps read, then seven cases with a poll before each batch";
    EXPECT_NE(positions(), before);
    ASSERT_TRUE(doc.History().CanUndo());
    const std::vector<CPoint> after = positions();
    // An undo cancelled half way leaves the layout; run through, it takes it back.
    for (int at = 1;; ++at) {
        int polls = 0;
        if (doc.History().Undo([&](std::size_t, std::size_t) { return ++polls < at; }))
            break;
        EXPECT_EQ(positions(), after) << at;
        ASSERT_LT(at, 10);
    }
    EXPECT_EQ(positions(), before);
}

// Opening a group of a graph whose steps come on demand gathers its cases a few at a
// time: cancelled at any of its polls, in the token game and out of it, every case
// stands where it stood, the shades are drawn as they were and no edit is left; run to
// its end it is one edit "Open Group" (none in the token game).
TEST_F(CaseGraphViewTest, OpenGroupCancelledLeavesPositionsAndShadesAsTheyWere) {
    frame.memoryBudget = 1;
    for (const bool simulating : {true, false}) {
        SCOPED_TRACE(simulating);
        frame.view = nullptr;
        view.reset();
        doc.Simulation().Leave();
        doc.NewDocument();
        BuildDiningPhilosophers(NetOf(doc), 7);
        doc.SetNetModified();
        doc.Simulation().Enter();
        ASSERT_FALSE(Graph().HasAllSteps());
        ShowOnSmallOverview();
        if (!simulating)
            Leave();
        ASSERT_TRUE(view->GetOverview());
        // The largest group: several batches.
        std::uint32_t group = 0;
        const auto& groups = view->GetOverview()->Groups();
        for (std::uint32_t g = 0; g < groups.size(); ++g)
            if (view->GetOverview()->CasesOf(g).size() > view->GetOverview()->CasesOf(group).size())
                group = g;
        const std::size_t cases = view->GetOverview()->CasesOf(group).size();
        ASSERT_GT(cases, 2 * CZerinCaseGraphView::kGatherBatch);
        const QPoint at = At(view->GetOverview()->GroupRect(group).CenterPoint());
        // Read without making a case a node: those the engine keeps as rows stand nowhere.
        const auto positions = [this] {
            std::vector<CPoint> points;
            for (std::size_t i = 0; i < Graph().CaseCount(); ++i) {
                const CPNCase* node = Graph().MadeCase(i);
                points.push_back(node ? node->m_ptPos : CPoint(-1, -1));
            }
            return points;
        };
        const CRect page(0, 0, Graph().Extent().cx, Graph().Extent().cy);
        const auto shades = [&] {
            RecordingDC dc;
            Graph().Draw(dc, page, false, 0.01);
            return dc.Dump();
        };
        Graph().SetDenseLimit(0);
        // Cancelled at its first poll, once the steps are made: the whole graph laid out
        // for the part, no case gathered yet.
        host.cancelAt = 1;
        QTest::mouseDClick(Port(), Qt::LeftButton, {}, at);
        ASSERT_EQ(host.tasks.back(), "Open Group");
        ASSERT_FALSE(host.results.back());
        const std::vector<CPoint> before = positions();
        const std::string shaded = shades();
        const bool modified = doc.IsModified();
        const bool couldUndo = doc.History().CanUndo();
        for (host.cancelAt = 2;; ++host.cancelAt) {
            SCOPED_TRACE(host.cancelAt);
            ASSERT_FALSE(view->ShowsPart());
            QTest::mouseDClick(Port(), Qt::LeftButton, {}, at);
            EXPECT_EQ(host.tasks.back(), "Open Group");
            if (host.results.back())
                break;
            EXPECT_EQ(positions(), before);
            EXPECT_EQ(shades(), shaded);
            EXPECT_EQ(doc.History().CanUndo(), couldUndo);
            EXPECT_EQ(doc.IsModified(), modified);
            ASSERT_LT(host.cancelAt, 100);
        }
        EXPECT_EQ(static_cast<std::size_t>(host.cancelAt),
                  (cases - 1 + CZerinCaseGraphView::kGatherBatch - 1) /
                          CZerinCaseGraphView::kGatherBatch +
                      2)
            << "the steps made, then a poll before each batch";
        EXPECT_TRUE(view->ShowsPart());
        EXPECT_NE(positions(), before);
        EXPECT_EQ(doc.History().CanUndo(), !simulating);
        if (!simulating) {
            EXPECT_EQ(doc.History().UndoText(), "Open Group");
        }
        host.cancelAt = 0;
        Graph().SetDenseLimit(CCaseGraph::kDenseSteps);
    }
    frame.view = nullptr;
    view.reset();
}

// A graph whose cases the engine keeps as rows: a part shown makes only its own cases
// nodes, named by their number, each on a grid point of its own, with the marks their
// rows have; the whole graph is laid out only when it is shown whole.
TEST_F(CaseGraphViewTest, APartOfAGraphKeptAsRowsMakesOnlyItsOwnCasesNodes) {
    frame.memoryBudget = 1;
    BuildDiningPhilosophers(NetOf(doc), 7);
    doc.SetNetModified();
    doc.Simulation().Enter();
    ASSERT_FALSE(Graph().HasAllSteps());
    ShowOnSmallOverview();
    ASSERT_TRUE(Graph().KeepsCaseRows());
    ASSERT_EQ(Graph().MadeCaseCount(), 0u);
    const auto expectPartMade = [this]() -> std::size_t {
        std::set<std::pair<int, int>> points;
        std::size_t shown = 0;
        for (std::size_t i = 0; i < Graph().CaseCount(); ++i) {
            const CPNCase* node = Graph().MadeCase(i);
            if (!Graph().IsCaseShown(i))
                continue;
            ++shown;
            if (!node) {
                ADD_FAILURE() << "case " << i << " is shown but no node";
                continue;
            }
            EXPECT_EQ(node->m_label.m_strText, "c" + std::to_string(i + 1));
            EXPECT_EQ(node->m_setConditions.ToString(false),
                      Graph().CaseConditions(i).ToString(false));
            EXPECT_EQ(node->m_ptPos.x % CCaseGraph::kGridStep, 0);
            EXPECT_EQ(node->m_ptPos.y % CCaseGraph::kGridStep, 0);
            EXPECT_GT(node->m_ptPos.x, 0);
            EXPECT_TRUE(points.emplace(node->m_ptPos.x, node->m_ptPos.y).second) << i;
        }
        EXPECT_GT(shown, 1u);
        return shown;
    };
    std::string error;
    // The initial case, current in the token game: its node has the marks of its row.
    ASSERT_TRUE(view->GoToCase("c1", {}, {}, 1, error)) << error;
    ASSERT_TRUE(view->ShowsPart());
    const std::size_t first = expectPartMade();
    EXPECT_EQ(Graph().MadeCaseCount(), first);
    EXPECT_TRUE(Graph().KeepsCaseRows());
    EXPECT_FALSE(doc.Record().caseGraphLaidOut);
    const CPNCase* initial = Graph().MadeCase(0);
    ASSERT_TRUE(initial);
    EXPECT_TRUE(initial->m_bInitial && initial->m_bCurrent && initial->m_bReachable);
    EXPECT_EQ(Graph().CurrentCaseIndex(), 0);
    // The same drawn as the nodes: the cases and nothing of the rows (the ring of the
    // case gone to, selected, aside).
    doc.Selection().Clear();
    RecordingDC dc;
    view->DrawModel(dc);
    // (The current case is filled red over its circle.)
    std::set<std::pair<int, int>> circles;
    for (const DrawCall& call : dc.Calls("Ellipse"))
        circles.emplace(call.rect.left, call.rect.top);
    EXPECT_EQ(circles.size(), first);

    // Another part: its cases join the nodes, those made before stay the same objects.
    const std::size_t far = Graph().CaseCount() - 1;
    ASSERT_TRUE(view->GoToCase("c" + std::to_string(far + 1), {}, {}, 1, error)) << error;
    expectPartMade();
    EXPECT_EQ(Graph().MadeCase(0), initial);
    EXPECT_LT(Graph().MadeCaseCount(), Graph().CaseCount());
    // A step of the token game moves the current mark on the nodes made as on the rows.
    CSetConditions current = Graph().CaseConditions(far);
    doc.Simulation().SetCase(current);
    doc.Simulation().ShowCurrentCase();
    EXPECT_EQ(Graph().CurrentCaseIndex(), static_cast<int>(far));
    EXPECT_FALSE(initial->m_bCurrent);
    EXPECT_TRUE(Graph().MadeCase(far)->m_bCurrent);

    // Out of the token game, a layout of every case is refused while the others are
    // rows too many to make nodes at once, saying how many are laid out; nothing becomes
    // a node for it.
    doc.Simulation().Leave();
    view->OnUpdate();
    view->SetProgressSteps(static_cast<int>(Graph().CaseCount()) - 1);
    const std::size_t made = Graph().MadeCaseCount();
    for (const int command : {Cmd::ID_LAYERED_LAYOUT, Cmd::ID_SMOOTH_CASE_GRAPH}) {
        view->errors.clear();
        view->OnCommand(command);
        ASSERT_EQ(view->errors.size(), 1);
        EXPECT_TRUE(view->errors.front().contains("only the " + QString::number(made) + " shown"))
            << view->errors.front().toStdString();
    }
    EXPECT_EQ(Graph().MadeCaseCount(), made);
    EXPECT_TRUE(Graph().KeepsCaseRows());
    view->SetProgressSteps(CZerinCaseGraphView::kProgressSteps);

    // Shown whole: every case a node, the graph laid out, each case on its own point.
    view->OnCommand(Cmd::ID_SHOW_WHOLE_GRAPH);
    EXPECT_FALSE(view->ShowsPart());
    EXPECT_FALSE(Graph().KeepsCaseRows());
    EXPECT_TRUE(doc.Record().caseGraphLaidOut);
    std::set<std::pair<int, int>> points;
    for (const CPNCase* node : Graph().Cases()) {
        EXPECT_FALSE(node->m_label.m_strText.empty());
        EXPECT_TRUE(points.emplace(node->m_ptPos.x, node->m_ptPos.y).second);
    }
    EXPECT_EQ(Graph().MadeCase(0), initial);
}

TEST_F(CaseGraphViewTest, AGraphReadFromAFileKeepsItsLayoutAndExtent) {
    Show(RingNetText(6));
    Leave();
    CPNCase* moved = Graph().Cases()[2];
    view->OnCommand(Cmd::ID_VIEW_GRID); // no snapping to 10
    QTest::mousePress(Port(), Qt::LeftButton, {}, At(moved));
    QTest::mouseMove(Port(), At(moved) + QPoint(1, 0));
    QTest::mouseMove(Port(), At(moved) + QPoint(37, 23));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, At(moved) + QPoint(37, 23));
    const CPoint where = moved->m_ptPos;
    Graph().ComputeExtent(900, 700);
    const TempFolder folder;
    const std::string path = folder.Path("ring.zrn");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    view->OnUpdate();
    sink.panes[PANE_CASEGRAPH_LEGEND].clear();
    view->Refresh();
    EXPECT_EQ(Graph().Cases()[2]->m_ptPos, where);
    EXPECT_EQ(view->GetExtent(), CSize(900, 700));
    EXPECT_FALSE(doc.CaseGraphEditor().TakeResized()) << "the view took the new size";
    EXPECT_EQ(NameLines(), 3 + 6 + 6) << "a read graph is named and listed again";
}

TEST_F(CaseGraphViewTest, InSimulationAClickSelectsNothingAndAHoverShowsTheCase) {
    Show("a* b; e: a -> b; f: b -> a");
    // Side by side, so that no label lies over a case whatever the first layout drew.
    Graph().Cases()[0]->MoveTo(CPoint(60, 120));
    Graph().Cases()[1]->MoveTo(CPoint(240, 120));
    Graph().UpdateSteps(nullptr, true);
    // (That a click selects nothing here is the occurrence net view's test, of the same
    // code.)
    CPNCase* node = Graph().Cases()[1];
    QTest::mouseMove(Port(), At(node));
    EXPECT_EQ(view->GetTitleTip().GetLines(),
              QStringList{QString::fromStdString(node->m_strConditions)});
    const CPNStep* step = Graph().MakeStep(0);
    QTest::mouseMove(Port(), At(step->m_pLabel->m_ptPos));
    EXPECT_EQ(view->GetTitleTip().GetLines(),
              QStringList{QString::fromStdString(step->m_strEvents)});

    // A double click makes the case the current one.
    QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(node));
    EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(node->m_setConditions));
    EXPECT_TRUE(node->m_bCurrent);
    EXPECT_FALSE(Graph().Cases()[0]->m_bCurrent);
}

// The rules of the view's commands in both modes are the menu goldens' (tests/app); here
// what a rule does not show: a disabled tool is not taken, and the highlight colours.
TEST_F(CaseGraphViewTest, ADisabledToolIsNotTakenAndTheHighlightColours) {
    Show("a* b; e: a -> b; f: b -> a");
    view->OnCommand(Cmd::ID_TOOL_LABEL);
    EXPECT_EQ(view->GetTool(), unsigned(Cmd::ID_TOOL_SELECT));
    view->OnCommand(Cmd::ID_HIGHLIGHT_REACHABLE);
    EXPECT_TRUE(State(Cmd::ID_HIGHLIGHT_REACHABLE).checked &&
                Graph().Cases()[0]->m_bShowReachability);
}

TEST_F(CaseGraphViewTest, OnlyFreeLabelsAndPolygonsAreDeleted) {
    Show("a* b; e: a -> b; f: b -> a");
    Leave();
    CPNCase* node = Graph().Cases()[0];
    QTest::mouseClick(Port(), Qt::LeftButton, {}, At(node));
    ASSERT_TRUE(doc.Selection().IsSelected(node));
    EXPECT_FALSE(State(Cmd::ID_EDIT_DELETE).enabled);
    view->OnCommand(Cmd::ID_EDIT_DELETE);
    EXPECT_EQ(Graph().Cases().size(), 2u);

    view->OnCommand(Cmd::ID_TOOL_LABEL);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, At(Empty()));
    view->OnCommand(Cmd::ID_TOOL_POLYGON);
    QTest::mouseClick(Port(), Qt::LeftButton, {}, At(Empty()) + QPoint(0, 30));
    ASSERT_EQ(Graph().FreeElements().size(), 2u);
    EXPECT_EQ(dynamic_cast<CPNLabel*>(Graph().FreeElements().front())->GetText(), "Text1");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(State(Cmd::ID_EDIT_DELETE).enabled);
    QTest::keyClick(view.get(), Qt::Key_Delete);
    ASSERT_EQ(Graph().FreeElements().size(), 1u) << "the new polygon was selected alone";
    EXPECT_NE(dynamic_cast<CPNLabel*>(Graph().FreeElements().front()), nullptr);
}

TEST_F(CaseGraphViewTest, DraggingACaseTakesItsStepsAlongAndABandSelects) {
    Show(RingNetText(4));
    Leave();
    CPNCase* node = Graph().Cases()[0];
    const CPNStep* step = Graph().MakeStep(0);
    ASSERT_EQ(step->m_pFrom, node);
    const QPoint from = At(node);
    const CPoint routeStart = step->m_listPoints.front().m_pt;
    const CPoint start = node->m_ptPos;
    QTest::mousePress(Port(), Qt::LeftButton, {}, from);
    EXPECT_EQ(view->GetDraggedElement(), node);
    QTest::mouseMove(Port(), from + QPoint(1, 0));
    QTest::mouseMove(Port(), from + QPoint(30, 20));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, from + QPoint(30, 20));
    EXPECT_EQ(node->m_ptPos, CPoint(start.x + 30, start.y + 20));
    EXPECT_NE(step->m_listPoints.front().m_pt, routeStart) << "the step follows its case";

    // A band over the whole page selects every case and step.
    const CSize extent = view->GetExtent();
    view->resize(extent.cx + 40, extent.cy + 40);
    QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(Port(), QPoint(2, 1));
    QTest::mouseMove(Port(), QPoint(extent.cx - 1, extent.cy - 1));
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(extent.cx - 1, extent.cy - 1));
    for (const CPNCase* c : Graph().Cases())
        EXPECT_TRUE(doc.Selection().IsSelected(c));
}

TEST_F(CaseGraphViewTest, ContextMenuOfACaseSetsTheActualCase) {
    Show(RingNetText(3));
    CPNCase* node = Graph().Cases()[2];
    view->menuChoice = QStringLiteral("Set Actual Case");
    QContextMenuEvent event(QContextMenuEvent::Mouse, At(node), Port()->mapToGlobal(At(node)));
    QApplication::sendEvent(Port(), &event);
    EXPECT_EQ(view->menuTitle, QStringLiteral("Case"));
    EXPECT_EQ(view->menuItems, QStringList{QStringLiteral("Set Actual Case")});
    EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(node->m_setConditions));
    EXPECT_TRUE(node->m_bCurrent);

    // In simulation an empty place has no menu.
    view->menus = 0;
    QContextMenuEvent none(QContextMenuEvent::Mouse, At(Empty()), Port()->mapToGlobal(At(Empty())));
    QApplication::sendEvent(Port(), &none);
    EXPECT_EQ(view->menus, 0);
}

// Layered Layout (Graphviz): every case on a grid point of its own inside the page, the
// steps following, and one edit that Undo takes back to the bytes before.
TEST_F(CaseGraphViewTest, LayeredLayoutPutsEachCaseOnItsOwnGridPointAsOneEdit) {
    {
        Show(RingNetText(9));
        Leave();
        doc.History().Checkpoint("shown");
        const std::vector<std::uint8_t> before = CDocumentFile::Store(doc);
        view->OnCommand(Cmd::ID_LAYERED_LAYOUT);
        std::set<std::pair<int, int>> points;
        for (const CPNCase* node : Graph().Cases()) {
            EXPECT_EQ(node->m_ptPos.x % CCaseGraph::kGridStep, 0);
            EXPECT_EQ(node->m_ptPos.y % CCaseGraph::kGridStep, 0);
            EXPECT_LE(node->m_ptPos.x, Graph().Extent().cx - 15);
            EXPECT_LE(node->m_ptPos.y, Graph().Extent().cy - 15);
            points.insert({node->m_ptPos.x, node->m_ptPos.y});
        }
        EXPECT_EQ(points.size(), Graph().Cases().size());
        EXPECT_EQ(view->GetExtent(), Graph().Extent());
        ASSERT_TRUE(doc.History().Checkpoint("Layered Layout"));
        doc.History().Undo();
        EXPECT_EQ(CDocumentFile::Store(doc), before);
    }
}

#ifdef ZERIN_HAVE_PRINT_SUPPORT
#include <QPrinter>

TEST_F(CaseGraphViewTest, PrintsTheGraphAndThenItsNamesLegend) {
    Show(RingNetText(5));
    const TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder.Path("graph.pdf")));
    ASSERT_TRUE(view->PrintTo(printer));
    const std::string pdf = TempFolder::Read(folder.Path("graph.pdf"));
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos) << "two pages";
    EXPECT_EQ(host.outputBarHidden, 1);
    if (const char* keep = std::getenv("ZERIN_KEEP_PRINT"))
        std::filesystem::copy_file(folder.Path("graph.pdf"), keep,
                                   std::filesystem::copy_options::overwrite_existing);
}
#endif

TEST_F(CaseGraphViewTest, APartialRepaintShowsWhatAFullOneShows) {
    // Dining philosophers give crossing steps, labels on them and cases of every size.
    BuildDiningPhilosophers(NetOf(doc), 4);
    Show("");
    Leave();
    const CSize extent = view->GetExtent();
    const QRect page(0, 0, std::min(extent.cx, 900), std::min(extent.cy, 900));
    QImage full(page.size(), QImage::Format_RGB32);
    {
        QPainter painter(&full);
        view->PaintArea(painter, page);
    }
    // Straight steps drawn from the cached routes look as the steps draw themselves.
    QImage slow(page.size(), QImage::Format_RGB32), fast(page.size(), QImage::Format_RGB32);
    slow.fill(Qt::white);
    fast.fill(Qt::white);
    {
        QPainter painter(&slow);
        CQtDC dc(painter);
        Graph().Draw(dc);
    }
    {
        QPainter painter(&fast);
        CQtDC dc(painter);
        Graph().Draw(dc, CRect(0, 0, page.width(), page.height()), true);
    }
    EXPECT_EQ(slow, fast);

    std::mt19937 gen(7);
    for (int i = 0; i < 40; ++i) {
        std::uniform_int_distribution<int> x(0, page.width() - 2), y(0, page.height() - 2);
        const QPoint a(x(gen), y(gen));
        const QRect part = QRect(a, QSize(1 + x(gen) % 120, 1 + y(gen) % 120)).intersected(page);
        QImage partial(page.size(), QImage::Format_RGB32);
        partial.fill(Qt::black);
        {
            QPainter painter(&partial);
            view->PaintArea(painter, part);
        }
        for (int py = part.top(); py <= part.bottom(); ++py)
            for (int px = part.left(); px <= part.right(); ++px)
                ASSERT_EQ(partial.pixel(px, py), full.pixel(px, py))
                    << "at " << px << ", " << py << " of a repaint of " << part.x() << ", "
                    << part.y() << ", " << part.width() << " x " << part.height();
    }
}

// A graph too large to store keeps its cases and makes their steps on demand: a group of
// the overview, and "Go to Case..." with the cases within k events of the one gone to,
// show every step the stored graph has between their cases, gathered where the window
// shows them together.
TEST_F(CaseGraphViewTest, ANeighbourhoodOfAGraphWithItsStepsOnDemandHasTheStoredSteps) {
    // The steps between the cases marked, by their conditions and events.
    using Step = std::tuple<std::string, std::string, std::string>;
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    const auto stepsAmong = [&at](const CCaseGraph& graph, const std::set<std::string>& cases) {
        std::multiset<Step> steps;
        for (std::size_t i = 0; i < graph.StepCount(); ++i) {
            // Read from the rows where the cases are those: nothing here makes a node.
            const std::string from = graph.CaseConditions(at(graph.StepFrom(i))).ToString(false);
            const std::string to = graph.CaseConditions(at(graph.StepTo(i))).ToString(false);
            if (cases.count(from) && cases.count(to))
                steps.emplace(from, to, graph.StepEvents(i).ToString());
        }
        return steps;
    };
    // The philosophers, independent components, then random nets until four were C/E
    // systems.
    std::mt19937 gen(29);
    int checked = 0;
    for (int round = 0; round < 80 && checked < 7; ++round) {
        SCOPED_TRACE(round);
        ViewFrame storedFrame;
        CZerinDoc stored{storedFrame};
        frame.memoryBudget = 1;
        doc.Simulation().Leave();
        doc.NewDocument();
        std::mt19937 twin = gen;
        if (round < 2) {
            BuildDiningPhilosophers(NetOf(stored), 4 + round);
            BuildDiningPhilosophers(NetOf(doc), 4 + round);
        } else if (round == 2) {
            BuildIndependentComponents(NetOf(stored), 5);
            BuildIndependentComponents(NetOf(doc), 5);
        } else {
            BuildRandomNet(NetOf(stored), gen, 7, 6);
            BuildRandomNet(NetOf(doc), twin, 7, 6);
        }
        stored.SetNetModified();
        stored.Simulation().Enter();
        doc.SetNetModified();
        doc.Simulation().Enter();
        if (!stored.Record().caseGraphValid || !GraphOf(stored).HasAllSteps() ||
            GraphOf(stored).Cases().size() < 3)
            continue; // a random net that is no C/E system
        ++checked;
        ASSERT_FALSE(Graph().HasAllSteps());
        ShowOnSmallOverview();

        const CCaseGraph& whole = stored.CaseGraph();
        // The cases of the stored graph within k events of one.
        const auto around = [&whole](int centre, int radius, bool rim) {
            const std::vector<int> distance =
                CCaseDistances(whole.SingleEventAdjacency()).From(centre, radius);
            std::set<std::string> cases;
            for (std::size_t i = 0; i < distance.size(); ++i)
                if (distance[i] == radius || (!rim && distance[i] >= 0))
                    cases.insert(whole.Cases()[i]->m_strConditions);
            return cases;
        };
        // The part shown holds the cases expected and the stored graph's steps between
        // them, gathered: all within the window at the zoom it took, every step drawn.
        const auto expectShown = [&](const std::set<std::string>& expected) {
            std::set<std::string> shown;
            CRect bounds;
            for (std::size_t i = 0; i < Graph().CaseCount(); ++i)
                if (Graph().IsCaseShown(i)) {
                    const CPNCase* node = Graph().MadeCase(i);
                    ASSERT_TRUE(node) << "a case shown is a node";
                    shown.insert(node->m_strConditions);
                    bounds |= node->GetBoundRect();
                }
            EXPECT_EQ(shown, expected);
            EXPECT_EQ(stepsAmong(Graph(), shown), stepsAmong(whole, expected));
            EXPECT_EQ(view->GetVisibleRect() & bounds, bounds);
            RecordingDC dc;
            view->DrawModel(dc);
            EXPECT_GE(dc.Calls("Polyline").size() + dc.Calls("Line").size(),
                      stepsAmong(whole, expected).size());
        };
        // A group of the overview: the cases one event from the initial one.
        const CRect box = view->GetOverview()->GroupRect(1);
        QTest::mouseDClick(Port(), Qt::LeftButton, {}, At(box.CenterPoint()));
        ASSERT_TRUE(view->ShowsPart());
        expectShown(around(0, 1, true));

        const int centre = static_cast<int>(whole.Cases().size()) / 2;
        const int radius = 1 + round % 2;
        std::vector<std::string> wanted;
        for (const CPNCondition* c : whole.Cases()[at(centre)]->m_setConditions)
            wanted.push_back(c->m_pLabel->m_strText);
        std::vector<std::string> unwanted;
        for (const CPNElement* e : stored.NetDesign().m_listElements)
            if (auto* c = dynamic_cast<const CPNCondition*>(e);
                c && !whole.Cases()[at(centre)]->m_setConditions.Contains(c))
                unwanted.push_back(c->m_pLabel->m_strText);
        std::string error;
        ASSERT_TRUE(view->GoToCase("", wanted, unwanted, radius, error)) << error;
        expectShown(around(centre, radius, false));
        frame.view = nullptr;
        view.reset();
    }
    EXPECT_EQ(checked, 7);
}
