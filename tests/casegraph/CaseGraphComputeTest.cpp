#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "casegraph/CStoredEngine.h"
#include "engines/CCasesEngine.h"
#include "engines/CStepChoice.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "support/NetFamilies.h"
#include "support/ReferenceSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <tuple>

namespace {

std::vector<std::string> Candidates(const CNetDesign& net, const CSetConditions& c) {
    std::vector<std::string> texts;
    for (const CSetEvents& step : ListSteps(net.GetEvents(), c, true))
        texts.push_back(step.ToString());
    return texts;
}

std::vector<std::string> NodeTexts(const CCaseGraph& graph) {
    std::vector<std::string> texts;
    for (const CPNCase* node : graph.Cases())
        texts.push_back(node->m_strConditions);
    return texts;
}

struct Arc {
    int from, to;
    std::string events;
    bool operator==(const Arc&) const = default;
};

std::vector<Arc> Arcs(const CCaseGraph& graph) {
    std::vector<Arc> arcs;
    for (std::size_t k = 0; k < graph.StepCount(); ++k)
        arcs.push_back({graph.StepFrom(k), graph.StepTo(k), graph.StepEvents(k).ToString()});
    return arcs;
}

// Three pairwise detached events a, b, c, each moving its own token p_i to q_i.
struct ThreeDetached {
    CNetDesign net;
    CSetConditions initial;
    ThreeDetached(int n = 3) {
        NetBuilder b(net);
        const char* names[] = {"a", "b", "c"};
        for (int i = 0; i < n; ++i) {
            CPNCondition* p = b.Condition(std::string("p") + names[i], true);
            CPNCondition* q = b.Condition(std::string("q") + names[i]);
            b.Event(names[i], {p}, {q});
        }
        initial = b.Build();
    }
};

TEST(CaseGraphCandidates, ThreeDetachedEventsComeInSubsetOrderWithTheWholeSetLast) {
    ThreeDetached n;
    CRandomSource random(1);
    CCaseGraph graph(random);
    ASSERT_EQ(graph.ComputeCaseGraph(n.initial, n.net), ECaseGraphResult::Completed);
    const std::vector<std::string> expected = Candidates(n.net, n.initial);
    EXPECT_EQ(expected, (std::vector<std::string>{"{ a }", "{ a, b }", "{ a, c }", "{ b }",
                                                  "{ b, c }", "{ c }", "{ a, b, c }"}));
    // The arcs of the initial case follow the candidates, and so do the new nodes.
    const std::vector<Arc> arcs = Arcs(graph);
    ASSERT_GE(arcs.size(), 7u);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(arcs[std::size_t(k)], (Arc{0, k + 1, expected[std::size_t(k)]}));
    EXPECT_EQ(NodeTexts(graph)[1], "{ qa, pb, pc }");
    EXPECT_EQ(NodeTexts(graph)[7], "{ qa, qb, qc }");
    EXPECT_EQ(graph.Cases().size(), 8);
    // Every case steps forward by every non-empty subset of its marked p's.
    EXPECT_EQ(graph.StepCount(), 7 + 3 * 3 + 3 * 1);
}

TEST(CaseGraphChooseStep, LargestFirstOrRandomFromTheSeededSource) {
    ThreeDetached n(2);
    CRandomSource random(7);
    const std::vector<CPNEvent*> events = n.net.GetEvents();
    EXPECT_EQ(CStepChoice::Choose(events, n.initial, false, random).ToString(), "{ a, b }");
    const char* byIndex[] = {"{ a }", "{ b }", "{ a, b }"};
    for (int i = 0; i < 20; ++i) {
        random.Seed(static_cast<unsigned>(100 + i));
        std::srand(static_cast<unsigned>(100 + i));
        const int expected = std::rand() % 3;
        random.Seed(static_cast<unsigned>(100 + i));
        EXPECT_EQ(CStepChoice::Choose(events, n.initial, true, random).ToString(),
                  byIndex[expected]);
    }
}

TEST(CaseGraphContact, OneNodeHoldingPreAndPostConditionsMakesTheSystemNotContactFree) {
    CNetDesign net;
    NetBuilder b(net);
    CPNCondition* p = b.Condition("p", true);
    CPNCondition* q = b.Condition("q");
    CPNCondition* r = b.Condition("r", true);
    b.Event("e", {p}, {q});
    b.Event("h", {r}, {q});
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(b.Build(), net);
    // After e the case {q, r} holds h's precondition and its postcondition.
    EXPECT_FALSE(CStoredEngine(graph).IsContactFree());
    CCaseGraph empty(random);
    EXPECT_TRUE(CStoredEngine(empty).IsContactFree());
}

TEST(CaseGraphMarks, InitialReachableAndCurrent) {
    CNetDesign net;
    NetBuilder b(net);
    CPNCondition* x = b.Condition("x");
    CPNCondition* y = b.Condition("y", true);
    CPNCondition* z = b.Condition("z");
    b.Event("e", {x}, {y});
    b.Event("f", {y}, {z});
    const CSetConditions initial = b.Build();
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.MarkInitialCase(initial); // empty graph: nothing happens
    graph.ComputeCaseGraph(initial, net);
    ASSERT_EQ(NodeTexts(graph), (std::vector<std::string>{"{ y }", "{ z }", "{ x }"}));
    graph.MarkInitialCase(initial);
    EXPECT_TRUE(graph.Cases()[0]->m_bInitial);
    EXPECT_TRUE(graph.Cases()[1]->m_bReachable);
    EXPECT_FALSE(graph.Cases()[2]->m_bReachable);
    graph.MarkCurrentCase(graph.Cases()[1]->m_setConditions, true);
    EXPECT_EQ(graph.Cases()[1]->m_bCurrent + 2 * graph.Cases()[0]->m_bCurrent, 1);
    graph.MarkCurrentCase(graph.Cases()[1]->m_setConditions, false);
    EXPECT_FALSE(graph.Cases()[1]->m_bCurrent);
}

TEST(CaseGraphDelete, KeepsPositionsOfALaidOutGraphUnlessDiscarded) {
    CNetDesign net;
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(BuildIndependentComponents(net, 2), net);
    graph.AddCase(new CPNCase());
    for (int i = 0; i < 5; ++i)
        graph.Cases()[static_cast<std::size_t>(i)]->MoveTo(CPoint(60 * (i + 1), 120));
    graph.SetLaidOut(true);
    graph.SetGridSizes(6, 6);
    graph.SetExtent(CSize(500, 500));
    graph.DeleteContents(false);
    ASSERT_EQ(graph.SavedPositions().size(), 5);
    EXPECT_EQ(graph.SavedPositions()[4], CPoint(300, 120));
    EXPECT_EQ(graph.Cases().size() + graph.StepCount() + graph.NetEvents().size(), 0);
    EXPECT_FALSE(graph.IsLaidOut());
    // Not laid out: the positions saved before stay.
    graph.DeleteContents(false);
    EXPECT_EQ(graph.SavedPositions().size(), 5);
    graph.DeleteContents(true);
    EXPECT_EQ(graph.SavedPositions().size(), 0);
    EXPECT_TRUE(graph.SavedPositions().empty());
}

TEST(CaseGraphProgressTest, CancellingLeavesTheGraphEmpty) {
    CNetDesign net;
    const CSetConditions initial = BuildDiningPhilosophers(net, 10);
    CRandomSource random(1);
    CCaseGraph graph(random);
    int calls = 0, lastArcs = 0;
    const auto result = graph.ComputeCaseGraph(initial, net, [&](int cases, int arcs) {
        ++calls;
        EXPECT_GT(cases, 0);
        lastArcs = arcs;
        return false;
    });
    EXPECT_EQ(result, ECaseGraphResult::Cancelled);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(lastArcs, 0);
    EXPECT_EQ(graph.Cases().size() + graph.StepCount(), 0);
    EXPECT_TRUE(graph.Cases().empty() && graph.StepObjects().empty() &&
                graph.NetEvents().empty());
    // Going on to the end gives the whole graph.
    calls = 0;
    EXPECT_EQ(graph.ComputeCaseGraph(initial, net, [&](int, int) { return ++calls > 0; }),
              ECaseGraphResult::Completed);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(graph.StepCount(), 4084);
}

TEST(CaseGraphProgressTest, DrawingAnEnginesCasesStopsWhenToldAndEmptiesTheGraph) {
    // 16 philosophers: 2,207 cases, fewer than one progress interval; 20: 15,127, more.
    for (const int n : {16, 20}) {
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, n);
        CCasesEngine engine(net.GetEvents(), initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        CRandomSource random(1);
        CCaseGraph graph(random);
        int calls = 0;
        const bool drawn = graph.TakeCases(engine, net.GetEvents(), [&](int cases, int arcs) {
            ++calls;
            EXPECT_EQ(cases, engine.CaseCount());
            EXPECT_EQ(arcs, 0);
            return false;
        });
        const bool told = engine.CaseCount() >= CCaseExplorer::kProgressInterval;
        EXPECT_EQ(drawn, !told) << n;
        EXPECT_EQ(calls, told ? 1 : 0) << n;
        EXPECT_EQ(graph.Cases().size(), told ? 0u : static_cast<std::size_t>(engine.CaseCount()));
        // Without a progress, or one that goes on, every case is drawn, case i as node i.
        ASSERT_TRUE(graph.TakeCases(engine, net.GetEvents(), [](int, int) { return true; }));
        ASSERT_EQ(graph.Cases().size(), static_cast<std::size_t>(engine.CaseCount()));
        EXPECT_TRUE(graph.Cases().back()->m_setConditions.IsEqual(
            engine.Case(engine.CaseCount() - 1)));
    }
}

// The cases an engine keeps stay its rows until asked for: counted, marked initial,
// reachable and current without a node, then made into nodes, node i holding the
// engine's case i, marked as the stored graph marks the same case. Random systems, some
// with cases reached only backward, and 20 philosophers, past one progress interval.
TEST(CaseGraphRowsTest, CasesMadeOnDemandEqualTheStoredOnes) {
    std::mt19937 gen(45);
    for (int round = 0; round < 13; ++round) {
        CNetDesign net;
        const CSetConditions initial = round == 12
                                           ? BuildDiningPhilosophers(net, 20)
                                           : BuildRandomSystem(net, gen, 3, 2 + round % 3, 2);
        CRandomSource random(1);
        CCaseGraph stored(random);
        ASSERT_EQ(stored.ComputeCaseGraph(initial, net), ECaseGraphResult::Completed);
        CCasesEngine engine(net.GetEvents(), initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        CCaseGraph rows(random);
        ASSERT_TRUE(rows.TakeCases(engine, net.GetEvents()));
        // The last case of the engine's list is the current one.
        const int last = engine.CaseCount() - 1;
        const CSetConditions current = engine.Case(last);
        for (CCaseGraph* graph : {&stored, &rows}) {
            graph->MarkInitialCase(initial, graph == &rows ? engine.ForwardAdjacency() : nullptr);
            graph->MarkCurrentCase(current, true);
        }
        ASSERT_TRUE(rows.KeepsCaseRows()) << round;
        ASSERT_EQ(rows.CaseCount(), stored.CaseCount()) << round;
        EXPECT_EQ(rows.CurrentCaseIndex(), last) << round;
        EXPECT_FALSE(rows.Contains(stored.Cases().front())) << round;
        std::map<std::string, const CPNCase*> storedByText;
        for (const CPNCase* node : stored.Cases())
            storedByText[node->m_strConditions] = node;
        // Made with progress: cancelled, the rows stay as they were, marks and all.
        std::size_t asked = 0;
        EXPECT_FALSE(rows.PrepareCaseObjects([&asked](std::size_t, std::size_t) {
            ++asked;
            return false;
        }));
        EXPECT_EQ(asked, 1u);
        ASSERT_TRUE(rows.KeepsCaseRows()) << round;
        EXPECT_EQ(rows.CaseCount(), stored.CaseCount()) << round;
        EXPECT_EQ(rows.CurrentCaseIndex(), last) << round;
        ASSERT_EQ(rows.Cases().size(), stored.CaseCount());
        EXPECT_FALSE(rows.KeepsCaseRows());
        for (std::size_t i = 0; i < rows.CaseCount(); ++i) {
            const CPNCase& a = *rows.Cases()[i];
            ASSERT_TRUE(a.m_setConditions.IsEqual(engine.Case(static_cast<int>(i))));
            ASSERT_EQ(a.m_strConditions, a.m_setConditions.ToString(false));
            const CPNCase& b = *storedByText.at(a.m_strConditions);
            EXPECT_EQ(std::tuple(a.m_bInitial, a.m_bReachable, a.m_bCurrent),
                      std::tuple(b.m_bInitial, b.m_bReachable, b.m_bCurrent))
                << round << " c" << i + 1;
        }
        EXPECT_TRUE(rows.Contains(rows.Cases().front()));
        // The marks move on the nodes now as they did on the rows.
        rows.MarkCurrentCase(initial, true);
        EXPECT_EQ(rows.CurrentCaseIndex(), 0);
        rows.MarkCurrentCase(initial, false);
        EXPECT_EQ(rows.CurrentCaseIndex(), -1);
    }
}

TEST(CaseGraphFamilies, CountsOfPhilosophersAndIndependentComponents) {
    struct Row {
        bool philosophers;
        int n, cases, arcs;
    };
    for (const Row& row :
         {Row{true, 10, 123, 4084}, Row{false, 8, 256, 65280}, Row{true, 16, 2207, 623072}}) {
        CNetDesign net;
        const CSetConditions initial = row.philosophers ? BuildDiningPhilosophers(net, row.n)
                                                        : BuildIndependentComponents(net, row.n);
        CRandomSource random(1);
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        EXPECT_EQ(graph.Cases().size(), row.cases) << row.n;
        EXPECT_EQ(graph.StepCount(), row.arcs) << row.n;
        EXPECT_TRUE(graph.Cases()[0]->m_setConditions.IsEqual(initial));
    }
}

// The computation as the breadth-first algorithm states it, with linear searches.
struct LiteralGraph {
    std::vector<CSetConditions> cases;
    std::vector<std::tuple<int, int, CSetEvents>> arcs;
};

LiteralGraph Literal(const std::vector<CPNEvent*>& events, const CSetConditions& c0) {
    LiteralGraph g;
    g.cases.push_back(c0);
    for (std::size_t i = 0; i < g.cases.size(); ++i) {
        const CSetConditions c = g.cases[i];
        for (bool forward : {true, false}) {
            for (const CSetEvents& s : ListSteps(events, c, forward)) {
                CSetConditions next = c;
                for (const CPNEvent* e : s) {
                    next.Subtract(forward ? e->m_setPreConditions : e->m_setPostConditions);
                    next.Union(forward ? e->m_setPostConditions : e->m_setPreConditions);
                }
                std::size_t k = 0;
                while (k < g.cases.size() && !g.cases[k].IsEqual(next))
                    ++k;
                if (k == g.cases.size())
                    g.cases.push_back(next);
                const int from = forward ? static_cast<int>(i) : static_cast<int>(k);
                const int to = forward ? static_cast<int>(k) : static_cast<int>(i);
                bool exists = false;
                for (const auto& [f, t, e] : g.arcs)
                    exists = exists || (f == from && t == to && e.IsEqual(s));
                if (!exists)
                    g.arcs.emplace_back(from, to, s);
            }
        }
    }
    return g;
}

TEST(CaseGraphOrder, CompactExplorationMatchesTheLiteralAlgorithmOnRandomNets) {
    std::mt19937 gen(12345);
    for (int trial = 0; trial < 60; ++trial) {
        CNetDesign net;
        NetBuilder b(net);
        const int nc = 3 + static_cast<int>(gen() % 6), ne = 2 + static_cast<int>(gen() % 5);
        // Every other net has more than 64 conditions in its cases, so that a case takes
        // several words; the idle ones come first and take the low numbers.
        if (trial % 2 == 1)
            for (int i = 0; i < 70; ++i)
                b.Condition("idle" + std::to_string(i), true);
        // And every third more than 64 events, most of them never enabled.
        if (trial % 3 == 2)
            for (int i = 0; i < 70; ++i)
                b.Event("dead" + std::to_string(i), {b.Condition("u" + std::to_string(i))},
                        {b.Condition("v" + std::to_string(i))});
        const CSetConditions initial = BuildRandomNet(net, gen, nc, ne);
        CRandomSource random(1);
        CCaseGraph graph(random);
        graph.ComputeCaseGraph(initial, net);
        const LiteralGraph expected = Literal(net.GetEvents(), initial);
        ASSERT_EQ(graph.Cases().size(), static_cast<int>(expected.cases.size())) << trial;
        for (std::size_t i = 0; i < expected.cases.size(); ++i)
            EXPECT_TRUE(graph.Cases()[i]->m_setConditions.IsEqual(expected.cases[i])) << trial;
        ASSERT_EQ(graph.StepCount(), static_cast<int>(expected.arcs.size())) << trial;
        for (std::size_t a = 0; a < expected.arcs.size(); ++a) {
            const auto& [f, t, e] = expected.arcs[a];
            EXPECT_EQ(graph.StepFrom(a), f) << trial;
            EXPECT_EQ(graph.StepTo(a), t) << trial;
            EXPECT_TRUE(graph.StepEvents(a).IsEqual(e)) << trial;
        }
    }
}

} // namespace
