#include "engines/CCaseExplorer.h"
#include "support/DocAccess.h"
#include "casegraph/CCaseGraph.h"
#include "engines/CCasesEngine.h"
#include "engines/CSymbolicEngine.h"
#include "base/COutputSink.h"
#include "base/CRandomSource.h"
#include "base/OutputWriter.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "support/NetFamilies.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

// Every allocation of the program is counted, so that the peak of one computation can
// be read as bytes per arc.
namespace {

std::atomic<long long> g_nLive{0};
std::atomic<long long> g_nPeak{0};

void* Allocate(std::size_t size) {
    // The size is kept in front of the block, so that delete knows what it frees.
    void* block = std::malloc(size + 16);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const long long live = g_nLive += static_cast<long long>(size);
    long long peak = g_nPeak.load();
    while (live > peak && !g_nPeak.compare_exchange_weak(peak, live)) {
    }
    return static_cast<char*>(block) + 16;
}

void Release(void* p) noexcept {
    if (!p)
        return;
    void* block = static_cast<char*>(p) - 16;
    g_nLive -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

class NullSink : public COutputSink {
public:
    void AppendLine(int, const std::string&) override {}
    void ShowPane(int) override {}
    void ClearPane(int) override {}
    void Beep() override {}
};

CSetConditions BuildFamily(CNetDesign& net, bool philosophers, int n) {
    return philosophers ? BuildDiningPhilosophers(net, n) : BuildIndependentComponents(net, n);
}

void ComputeGraph(benchmark::State& state, bool philosophers) {
    CNetDesign net;
    const CSetConditions initial = BuildFamily(net, philosophers, static_cast<int>(state.range(0)));
    CRandomSource random(1);
    CCaseGraph graph(random);
    long long peak = 0, retained = 0;
    for (auto _ : state) {
        graph.DeleteContents(true);
        const long long base = g_nLive.load();
        g_nPeak = base;
        graph.ComputeCaseGraph(initial, net);
        peak = g_nPeak.load() - base;
        retained = g_nLive.load() - base;
    }
    const double arcs = graph.StepCount() > 0 ? graph.StepCount() : 1;
    state.counters["cases"] = graph.Cases().size();
    state.counters["arcs"] = graph.StepCount();
    state.counters["peak_bytes_per_arc"] = static_cast<double>(peak) / arcs;
    state.counters["kept_bytes_per_arc"] = static_cast<double>(retained) / arcs;
}

void BM_Philosophers(benchmark::State& state) {
    ComputeGraph(state, true);
}
void BM_IndependentComponents(benchmark::State& state) {
    ComputeGraph(state, false);
}

// The compact exploration alone, without the drawable nodes and arcs.
void BM_ExplorePhilosophers(benchmark::State& state) {
    CNetDesign net;
    const CSetConditions initial = BuildDiningPhilosophers(net, static_cast<int>(state.range(0)));
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(initial, net); // for the event list
    int arcs = 0;
    for (auto _ : state) {
        CCaseExplorer explorer(graph.NetEvents(), initial);
        explorer.Run();
        arcs = explorer.GetArcCount();
        benchmark::DoNotOptimize(arcs);
    }
    state.counters["arcs"] = arcs;
}

void BM_ForwardReachableClasses(benchmark::State& state) {
    CNetDesign net;
    const CSetConditions initial = BuildDiningPhilosophers(net, static_cast<int>(state.range(0)));
    CRandomSource random(1);
    CCaseGraph graph(random);
    graph.ComputeCaseGraph(initial, net);
    graph.MarkInitialCase(initial);
    NullSink sink;
    COutputSink* previous = SetOutputSink(&sink);
    for (auto _ : state)
        graph.WriteForwardReachableClasses();
    SetOutputSink(previous);
    state.counters["cases"] = graph.Cases().size();
    state.counters["classes"] = static_cast<double>(graph.Classes().size());
}

// The cases without their steps (targets: 20 philosophers <= 1 s and 100 MB, 24 <= 10 s
// and 500 MB, 30 <= 2 minutes and 2 GB); the peak counts every allocation.
void BM_CasesOfPhilosophers(benchmark::State& state) {
    CNetDesign net;
    const CSetConditions initial = BuildDiningPhilosophers(net, static_cast<int>(state.range(0)));
    const std::vector<CPNEvent*> events = net.GetEvents();
    std::string steps;
    for (auto _ : state) {
        g_nPeak = g_nLive.load();
        const long long before = g_nLive;
        CCasesEngine cases(events, initial);
        cases.Run();
        steps = cases.CountSteps();
        state.counters["MB"] = static_cast<double>(g_nPeak - before) / (1 << 20);
        state.counters["cases"] = cases.CaseCount();
    }
    state.SetLabel(steps + " steps");
}

// The decision diagrams on 100 philosophers: cases and steps counted, contact-freeness,
// and the shortest path to a case where philosophers 0, 2 and 4 eat (target <= 2 s and
// 200 MB together).
void BM_SymbolicPhilosophers(benchmark::State& state) {
    CNetDesign net;
    const CSetConditions initial = BuildDiningPhilosophers(net, static_cast<int>(state.range(0)));
    const std::vector<CPNEvent*> events = net.GetEvents();
    std::vector<CPNCondition*> eating;
    for (CPNElement* element : net.m_listElements)
        if (auto* c = dynamic_cast<CPNCondition*>(element);
            c && c->m_pLabel &&
            (c->m_pLabel->m_strText == "eat_0" || c->m_pLabel->m_strText == "eat_2" ||
             c->m_pLabel->m_strText == "eat_4"))
            eating.push_back(c);
    std::size_t pathLines = 0;
    for (auto _ : state) {
        CSymbolicEngine symbolic(events, initial);
        symbolic.Run();
        benchmark::DoNotOptimize(symbolic.CountCases());
        benchmark::DoNotOptimize(symbolic.CountSteps());
        benchmark::DoNotOptimize(symbolic.IsContactFree());
        const CCaseSearchResult found = symbolic.Find(eating, {}, true, 1);
        pathLines = DescribeRun(symbolic.PathTo(found.first.front())).size();
    }
    state.counters["path steps"] = static_cast<double>(pathLines) - 1;
}

} // namespace

BENCHMARK(BM_CasesOfPhilosophers)->Arg(20)->Arg(24)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SymbolicPhilosophers)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Philosophers)->Arg(10)->Arg(14)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndependentComponents)->Arg(6)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExplorePhilosophers)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ForwardReachableClasses)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
