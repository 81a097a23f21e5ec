#include "layout/CCrossingCounter.h"
#include "layout/CGeneticAlgorithm.h"
#include "layout/CSmoothCaseGraphSession.h"

#include "base/CRandomSource.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

namespace {

// A graph of n nodes and the given arcs (pairs of node indices).
struct Graph {
    std::vector<std::unique_ptr<CPNCondition>> nodeObjects;
    std::vector<std::unique_ptr<CPNEdge>> arcObjects;
    std::vector<CPNElement*> nodes;
    std::vector<CPNEdge*> arcs;

    Graph(int n, const std::vector<std::pair<int, int>>& pairs) {
        for (int i = 0; i < n; ++i) {
            nodeObjects.push_back(std::make_unique<CPNCondition>());
            nodes.push_back(nodeObjects.back().get());
        }
        for (auto [a, b] : pairs) {
            arcObjects.push_back(std::make_unique<CPNEdge>(nodes[a], nodes[b], true));
            arcs.push_back(arcObjects.back().get());
        }
    }
};

CEdgeInfo Arc(CPoint from, CPoint to) {
    CEdgeInfo e;
    e.m_ptFrom = from;
    e.m_ptTo = to;
    e.m_sizeDelta = to - from;
    e.m_rcBounds = CRect(from, to);
    e.m_rcBounds.NormalizeRect();
    return e;
}

// Distinct cells on the grid, and the occupancy grid marks exactly those.
void ExpectValidPlacement(const CChromosome& c) {
    std::set<std::pair<int, int>> cells;
    int g = c.m_nGridSize;
    for (CPoint p : c.m_arrGenes) {
        ASSERT_EQ(p.x % 60, 0);
        ASSERT_EQ(p.y % 60, 0);
        CPoint cell = CChromosome::CellOf(p);
        ASSERT_GE(cell.x, 0);
        ASSERT_LT(cell.x, g);
        ASSERT_GE(cell.y, 0);
        ASSERT_LT(cell.y, g);
        ASSERT_TRUE(cells.insert({cell.x, cell.y}).second) << "two genes share a cell";
    }
    int marked = 0;
    for (int cy = 0; cy < g; ++cy)
        for (int cx = 0; cx < g; ++cx)
            if (c.m_pGrid[static_cast<std::size_t>(cy * g + cx)]) {
                ++marked;
                ASSERT_TRUE(cells.count({cx, cy})) << "a marked cell without gene";
            }
    ASSERT_EQ(marked, static_cast<int>(c.m_arrGenes.size()));
}

} // namespace

TEST(CEdgeInfoTest, CrossingRules) {
    // An X crosses once.
    EXPECT_TRUE(Arc({60, 60}, {180, 180}).Intersects(Arc({60, 180}, {180, 60}), false));
    // Two arcs leaving one node in different directions do not cross.
    EXPECT_FALSE(Arc({60, 60}, {180, 120}).Intersects(Arc({60, 60}, {120, 240}), false));
    EXPECT_FALSE(Arc({180, 120}, {60, 60}).Intersects(Arc({60, 60}, {120, 240}), false));
    // Two horizontal arcs on one row cross however far apart.
    EXPECT_TRUE(Arc({60, 60}, {120, 60}).Intersects(Arc({600, 60}, {660, 60}), false));
    EXPECT_FALSE(Arc({60, 60}, {120, 60}).Intersects(Arc({60, 120}, {120, 120}), false));
    // Rectangles with an area that do not meet answer at once.
    EXPECT_FALSE(Arc({60, 60}, {120, 120}).Intersects(Arc({180, 180}, {240, 300}), false));
    // A vertical arc's line counts wherever it meets the other arc.
    EXPECT_TRUE(Arc({60, 600}, {60, 660}).Intersects(Arc({0, 60}, {120, 120}), false));
}

TEST(CCrossingCounterTest, FastCountEqualsTheRuleOnRandomPlacements) {
    CRandomSource random(7);
    random.Seed(7);
    for (int round = 0; round < 400; ++round) {
        int g = 2 + random.Rand() % 9;
        int m = random.Rand() % 60;
        std::vector<CEdgeInfo> edges;
        for (int k = 0; k < m; ++k) {
            CPoint a = CChromosome::PointOf(random.Rand() % g, random.Rand() % g);
            CPoint b = CChromosome::PointOf(random.Rand() % g, random.Rand() % g);
            edges.push_back(Arc(a, b));
        }
        ASSERT_EQ(CCrossingCounter::Count(edges, m), CCrossingCounter::CountLiteral(edges, m))
            << "round " << round;
    }
}

TEST(CChromosomeTest, FitnessOfAKnownPlacement) {
    CChromosome c;
    c.Init(2, 2);
    EXPECT_EQ(c.m_nMaxDistance, 169);
    c.m_arrGenes = {CPoint(60, 60), CPoint(120, 60)};
    std::vector<CEdgeInfo> edges(1);
    edges[0].m_nFrom = 0;
    edges[0].m_nTo = 1;
    edges[0].Update(c);
    int crossings = -1;
    EXPECT_EQ(c.Fitness(edges, 1, crossings, 5, 1, 0, 0), 5644970);
    EXPECT_EQ(crossings, 0);
    // Clean: the stored value comes back and crossings is left alone.
    crossings = -1;
    EXPECT_EQ(c.Fitness(edges, 1, crossings, 0, 0, 0, 0), 5644970);
    EXPECT_EQ(crossings, -1);
}

TEST(CChromosomeTest, CrossAndMutationsLeaveValidPlacements) {
    CRandomSource random(11);
    random.Seed(11);
    for (int round = 0; round < 300; ++round) {
        int n = 1 + random.Rand() % 20;
        int g = 2 * static_cast<int>(std::sqrt(n) + 1.0);
        CChromosome a, b, c1, c2;
        a.Init(n, g);
        b.Init(n, g);
        a.RandomInit(random);
        b.RandomInit(random);
        a.Cross(b, c1, c2, random);
        ExpectValidPlacement(c1);
        ExpectValidPlacement(c2);
        EXPECT_TRUE(c1.m_bDirty && c2.m_bDirty);
        c1.MutationMove(random);
        ExpectValidPlacement(c1);
        c1.MutationSwap(random);
        ExpectValidPlacement(c1);
        c2.MutationSmallMove(random);
        ExpectValidPlacement(c2);
        // Crossing into children that already hold genes starts them afresh.
        b.Cross(a, c1, c2, random);
        ExpectValidPlacement(c1);
        ExpectValidPlacement(c2);
    }
}

TEST(CGeneticAlgorithmTest, EliteSlotCarriesThePreviousBestAndBestNeverDecreases) {
    // Two rings of five joined by two chords.
    std::vector<std::pair<int, int>> arcs{{0, 5}, {2, 7}};
    for (int i = 0; i < 10; ++i)
        arcs.emplace_back(i, i % 5 == 4 ? i - 4 : i + 1);
    Graph graph(10, arcs);
    CRandomSource random(42);
    CGeneticAlgorithm ga(random);
    ga.SetGridSize(8);
    ga.Init(graph.arcs, graph.nodes);
    ga.InitPopulation();
    ASSERT_EQ(ga.m_arrPopulation.size(), 6u);
    unsigned best = static_cast<unsigned>(ga.m_nBestFitness);
    for (int gen = 1; gen <= 200; ++gen) {
        std::vector<CPoint> previousBest = ga.GetBest().m_arrGenes;
        EXPECT_EQ(ga.NextGeneration(), gen);
        // With three per generation one pair is bred and slot 2 is the elite copy.
        EXPECT_EQ(ga.m_arrPopulation[static_cast<std::size_t>(ga.m_nCurrentBase + 2)].m_arrGenes,
                  previousBest);
        EXPECT_GE(static_cast<unsigned>(ga.m_nBestFitness), best);
        best = static_cast<unsigned>(ga.m_nBestFitness);
        ExpectValidPlacement(ga.GetBest());
    }
}

TEST(CSmoothCaseGraphSessionTest, SettingsAreCorrected) {
    CRandomSource random(1);
    CSmoothCaseGraphSession session(random);
    session.SetGridSize(8, 8);
    CGASettings s = session.GetSettings();
    s.m_nPopulationSize = 4;
    s.m_nGridSize = 5;
    s.m_nWeightIntersections = s.m_nWeightLength = 0;
    session.ApplySettings(s);
    CGASettings t = session.GetSettings();
    EXPECT_EQ(t.m_nPopulationSize, 5);
    EXPECT_EQ(t.m_nGridSize, 8);
    EXPECT_EQ(t.m_nWeightIntersections, 1);
    s.m_nPopulationSize = 1;
    s.m_nWeightLength = 3;
    session.ApplySettings(s);
    EXPECT_EQ(session.GetSettings().m_nPopulationSize, 3);
    // One weight is enough: the others may be zero.
    EXPECT_EQ(session.GetSettings().m_nWeightIntersections, 0);
}

TEST(CSmoothCaseGraphSessionTest, StopAndStartContinueTheSamePopulation) {
    Graph graph(5, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {0, 2}});
    CRandomSource random(8);
    CSmoothCaseGraphSession session(random);
    session.SetGridSize(6, 6);
    session.Init(graph.arcs, graph.nodes);
    EXPECT_FALSE(session.GetSettings().m_bLocked);
    ASSERT_TRUE(session.Start());
    EXPECT_FALSE(session.Start()) << "already running";
    // The first step makes the population, the others breed.
    session.RunGeneration();
    EXPECT_TRUE(session.IsPopulationReady());
    EXPECT_EQ(session.GetGenerations(), 0);
    for (int i = 0; i < 10; ++i)
        session.RunGeneration();
    session.Stop();
    EXPECT_FALSE(session.IsRunning());
    EXPECT_TRUE(session.HasResult());
    EXPECT_TRUE(session.GetSettings().m_bLocked);
    std::vector<CChromosome> population = session.GetAlgorithm().m_arrPopulation;
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.GetAlgorithm().m_arrPopulation[0].m_arrGenes, population[0].m_arrGenes);
    session.RunGeneration();
    EXPECT_EQ(session.GetGenerations(), 11);
    session.Stop();

    session.Reset();
    EXPECT_EQ(session.GetGenerations(), 0);
    EXPECT_FALSE(session.IsStarted() || session.HasResult() || session.IsPopulationReady());
    ASSERT_TRUE(session.Start());
    session.RunGeneration();
    session.RunGeneration();
    session.Stop();
    session.ApplyBest();
    EXPECT_EQ(graph.nodes[0]->m_ptPos, session.GetAlgorithm().GetBest().m_arrGenes[0]);
}

namespace {

// Chromosomes evaluated from their changed genes only, or not again at all (copies,
// the elite), keep the crossings and fitness a full count of their placement gives,
// also when the weights change under a running population.
TEST(CGeneticAlgorithmTest, KeptAndIncrementalEvaluationsEqualAFullCount) {
    CRandomSource random(9);
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < 60; ++k)
        pairs.emplace_back(random.Rand() % 20, random.Rand() % 20);
    Graph graph(20, pairs);
    CGeneticAlgorithm ga(random);
    ga.SetGridSize(10);
    ga.Init(graph.arcs, graph.nodes);
    ga.m_nPopulationSize = 7;
    ga.InitPopulation();
    std::vector<CEdgeInfo> edges = ga.m_arrEdges;
    for (int gen = 1; gen <= 150; ++gen) {
        if (gen == 70)
            ga.m_nWeightIntersections = 0;
        if (gen == 80)
            ga.m_nWeightIntersections = 3;
        ga.NextGeneration();
        if (ga.m_nWeightIntersections == 0)
            continue;
        for (int i = 0; i < ga.m_nPopulationSize; ++i) {
            CChromosome c = ga.m_arrPopulation[static_cast<std::size_t>(ga.m_nCurrentBase + i)];
            for (CEdgeInfo& e : edges)
                e.Update(c);
            ASSERT_EQ(c.m_nCrossings, CCrossingCounter::CountLiteral(edges, 60)) << gen;
            const int fitness = c.m_nFitness;
            c.m_bDirty = true;
            int crossings = 0;
            EXPECT_EQ(c.Fitness(edges, 60, crossings, ga.m_nWeightIntersections, ga.m_nWeightLength,
                                0, 0),
                      fitness)
                << gen;
        }
    }
}

} // namespace

namespace {

// A progress that counts its polls and cancels at the given one (0: never).
struct CancelAt {
    explicit CancelAt(int cancelAt = 0) : at(cancelAt) {}
    int at;
    int polls = 0;
    std::vector<std::pair<std::size_t, std::size_t>> told;
    WorkProgress Progress() {
        return [this](std::size_t done, std::size_t total) {
            told.emplace_back(done, total);
            return at == 0 || ++polls < at;
        };
    }
};

// A count told its progress gives the same number, tells how far it came in pairs
// compared, and cancelled gives nothing; so does a count at a few arcs.
TEST(CCrossingCounterTest, ACountToldItsProgressEndsOnCancel) {
    CRandomSource random(11);
    for (const int m : {0, 1, 40, 6000}) {
        SCOPED_TRACE(m);
        std::vector<CEdgeInfo> edges;
        for (int k = 0; k < m; ++k)
            edges.push_back(Arc(CChromosome::PointOf(random.Rand() % 40, random.Rand() % 40),
                                CChromosome::PointOf(random.Rand() % 40, random.Rand() % 40)));
        CancelAt never;
        const std::int64_t count = CCrossingCounter::Count(edges, m);
        EXPECT_EQ(CCrossingCounter::Count(edges, m, never.Progress()), count);
        ASSERT_FALSE(never.told.empty());
        const std::size_t pairs = static_cast<std::size_t>(m) * (m > 0 ? m - 1 : 0) / 2;
        EXPECT_EQ(never.told.back(), std::make_pair(pairs, pairs));
        for (std::size_t k = 1; k < never.told.size(); ++k)
            EXPECT_LE(never.told[k - 1].first, never.told[k].first);
        // Six thousand arcs are polled several times on the way.
        if (m == 6000) {
            EXPECT_GE(never.told.size(), 4u);
        }
        for (int at = 1; at <= static_cast<int>(never.told.size()); ++at) {
            CancelAt cancel(at);
            EXPECT_EQ(CCrossingCounter::Count(edges, m, cancel.Progress()), -1) << at;
            EXPECT_EQ(cancel.polls, at) << "no poll after the cancel";
        }
        std::vector<int> few;
        for (int k = 0; k < m && k < 900; k += 3)
            few.push_back(k);
        CancelAt none;
        EXPECT_EQ(CCrossingCounter::CountAt(edges, m, few, none.Progress()),
                  CCrossingCounter::CountAt(edges, m, few));
        if (!none.told.empty()) {
            CancelAt cancel(1);
            EXPECT_EQ(CCrossingCounter::CountAt(edges, m, few, cancel.Progress()), -1);
        }
    }
}

// The first population and a generation stop at any poll: the population is then not
// ready (and made again whole), the generation before stays as it was, and the search
// goes on from there as if nothing had been tried.
TEST(CGeneticAlgorithmTest, APopulationOrGenerationCancelledLeavesWhatWasThere) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        CRandomSource random(seed);
        std::vector<std::pair<int, int>> pairs;
        for (int k = 0; k < 50; ++k)
            pairs.emplace_back(random.Rand() % 16, random.Rand() % 16);
        Graph graph(16, pairs);
        CGeneticAlgorithm ga(random);
        ga.SetGridSize(9);
        ga.Init(graph.arcs, graph.nodes);
        ga.m_nPopulationSize = 5;
        CancelAt counted;
        ASSERT_TRUE(ga.InitPopulation(counted.Progress()));
        for (int at = 1; at <= static_cast<int>(counted.told.size()); ++at) {
            CancelAt cancel(at);
            EXPECT_FALSE(ga.InitPopulation(cancel.Progress())) << at;
        }
        ASSERT_TRUE(ga.InitPopulation());
        for (int gen = 0; gen < 30; ++gen) {
            const std::vector<CChromosome> population = ga.m_arrPopulation;
            const int base = ga.m_nCurrentBase;
            const int best = ga.m_nBestIndex, fitness = ga.m_nBestFitness;
            const int generation = ga.m_nGeneration;
            CancelAt cancel(1 + gen % 6);
            if (ga.NextGeneration(cancel.Progress()) >= 0)
                continue;
            EXPECT_EQ(ga.m_nCurrentBase, base);
            EXPECT_EQ(ga.m_nBestIndex, best);
            EXPECT_EQ(ga.m_nBestFitness, fitness);
            EXPECT_EQ(ga.m_nGeneration, generation);
            for (int i = base; i < base + ga.m_nPopulationSize; ++i)
                EXPECT_EQ(ga.m_arrPopulation[static_cast<std::size_t>(i)].m_arrGenes,
                          population[static_cast<std::size_t>(i)].m_arrGenes);
            ASSERT_EQ(ga.NextGeneration(), generation + 1);
            std::vector<CEdgeInfo> edges = ga.m_arrEdges;
            for (int i = 0; i < ga.m_nPopulationSize; ++i) {
                const CChromosome& c =
                    ga.m_arrPopulation[static_cast<std::size_t>(ga.m_nCurrentBase + i)];
                for (CEdgeInfo& e : edges)
                    e.Update(c);
                ASSERT_EQ(c.m_nCrossings, CCrossingCounter::CountLiteral(edges, 50));
            }
        }
    }
}

// The session's Stop ends the first population at once; the next start makes it anew.
TEST(CSmoothCaseGraphSessionTest, StopDuringTheFirstPopulationMakesItAnewAtTheNextStart) {
    CRandomSource random(3);
    std::vector<std::pair<int, int>> pairs;
    for (int k = 0; k < 7000; ++k)
        pairs.emplace_back(random.Rand() % 120, random.Rand() % 120);
    Graph graph(120, pairs);
    CSmoothCaseGraphSession session(random);
    session.SetGridSize(24, 24);
    session.Init(graph.arcs, graph.nodes);
    ASSERT_TRUE(session.Start());
    session.Stop();
    session.RunGeneration();
    EXPECT_FALSE(session.IsPopulationReady());
    EXPECT_FALSE(session.HasResult()) << "nothing to apply";
    ASSERT_TRUE(session.Start());
    session.RunGeneration();
    EXPECT_TRUE(session.IsPopulationReady());
    EXPECT_EQ(session.GetPopulationProgress().made, session.GetSettings().m_nPopulationSize);
    EXPECT_GT(session.PopulationPairs(), 0.0);
}

} // namespace
