#include "layout/CCrossingCounter.h"
#include "layout/CGeneticAlgorithm.h"

#include "base/CRandomSource.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// A random graph of 100 nodes and 300 arcs, laid out on the grid the case graph view
// would choose for it.
struct RandomGraph {
    std::vector<std::unique_ptr<CPNCondition>> nodeObjects;
    std::vector<std::unique_ptr<CPNEdge>> arcObjects;
    std::vector<CPNElement*> nodes;
    std::vector<CPNEdge*> arcs;
    int gridSize;

    RandomGraph(int n, int m, CRandomSource& random) {
        gridSize = 2 * static_cast<int>(std::sqrt(n) + 1.0);
        for (int i = 0; i < n; ++i) {
            nodeObjects.push_back(std::make_unique<CPNCondition>());
            nodes.push_back(nodeObjects.back().get());
        }
        for (int k = 0; k < m; ++k) {
            int a = random.Rand() % n;
            int b = random.Rand() % n;
            arcObjects.push_back(std::make_unique<CPNEdge>(nodes[a], nodes[b], true));
            arcs.push_back(arcObjects.back().get());
        }
    }
};

void BM_NextGeneration(benchmark::State& state) {
    CRandomSource random(1);
    random.Seed(1);
    RandomGraph graph(100, 300, random);
    CGeneticAlgorithm ga(random);
    ga.SetGridSize(graph.gridSize);
    ga.Init(graph.arcs, graph.nodes);
    ga.InitPopulation();
    for (auto _ : state)
        benchmark::DoNotOptimize(ga.NextGeneration());
    state.counters["generations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NextGeneration);

template <bool Literal> void BM_CountCrossings(benchmark::State& state) {
    CRandomSource random(2);
    random.Seed(2);
    RandomGraph graph(100, 300, random);
    CGeneticAlgorithm ga(random);
    ga.SetGridSize(graph.gridSize);
    ga.Init(graph.arcs, graph.nodes);
    ga.InitPopulation();
    for (CEdgeInfo& e : ga.m_arrEdges)
        e.Update(ga.GetBest());
    for (auto _ : state) {
        if constexpr (Literal)
            benchmark::DoNotOptimize(CCrossingCounter::CountLiteral(ga.m_arrEdges, 300));
        else
            benchmark::DoNotOptimize(CCrossingCounter::Count(ga.m_arrEdges, 300));
    }
}
BENCHMARK(BM_CountCrossings<true>)->Name("BM_CountCrossingsLiteral");
BENCHMARK(BM_CountCrossings<false>)->Name("BM_CountCrossingsFast");

} // namespace

BENCHMARK_MAIN();
