// The structure of contest nets and of philosophers: minimal S- and T-invariants (the
// first thousand where there are more), minimal siphons with the siphon-trap property,
// and a proof by the state equation. Every net of the contest folder (ZERIN_MCC_DIR in
// the environment, else the one found at build time) that imports as a condition/event
// net is measured; those that do not are named on standard error with the reason.
//
// Counters: how many were found, whether the list is complete, whether the net is
// covered (invariants) or has the siphon-trap property (siphons), and whether the
// slowest run kept within its target: invariants 1 s a net, siphons 5 s, the state
// equation 1 s.
#include "exchange/CPnmlImport.h"
#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "platform/CPnmlReader.h"
#include "structure/CInvariantAnalysis.h"
#include "structure/CSiphonAnalysis.h"
#include "structure/CStateEquation.h"
#include "support/NetFamilies.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kInvariantTarget = 1.0;
constexpr double kSiphonTarget = 5.0;
constexpr double kStateEquationTarget = 1.0;

using Net = std::shared_ptr<const CNetStructure>;

// Runs the work once per iteration; the slowest run against the target.
template <class Work> double Slowest(benchmark::State& state, Work work) {
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        slowest = std::max(
            slowest,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return slowest;
}

void Invariants(benchmark::State& state, const Net& net, bool conditions) {
    CSemiflowResult result;
    const double slowest = Slowest(state, [&] {
        CInvariantAnalysis analysis(*net);
        result = conditions ? analysis.FindSInvariants() : analysis.FindTInvariants();
        benchmark::DoNotOptimize(result);
    });
    state.counters["found"] = static_cast<double>(result.semiflows.size());
    state.counters["complete"] = result.Complete();
    state.counters["covered"] = result.Covered();
    state.counters["in_target"] = slowest <= kInvariantTarget;
}

void Siphons(benchmark::State& state, const Net& net) {
    CSiphonResult result;
    const double slowest = Slowest(state, [&] {
        result = CSiphonAnalysis(*net).Analyse();
        benchmark::DoNotOptimize(result);
    });
    state.counters["found"] = static_cast<double>(result.siphons.size());
    state.counters["complete"] = result.end == EEnumeration::Complete;
    state.counters["trap_property"] = result.siphonTrapProperty;
    state.counters["in_target"] = slowest <= kSiphonTarget;
}

// Two neighbours eating together.
void NeighboursEat(benchmark::State& state, const Net& net) {
    CStateEquationQuery query;
    query.Want(net->FindCondition("eat_0"));
    query.Want(net->FindCondition("eat_1"));
    CStateEquationResult result;
    const double slowest = Slowest(state, [&] {
        result = CStateEquation(*net).Solve(query);
        benchmark::DoNotOptimize(result);
    });
    state.counters["unreachable"] = result.verdict == EStateEquationVerdict::Unreachable;
    state.counters["in_target"] = slowest <= kStateEquationTarget;
}

void Register(const std::string& name, const Net& net) {
    benchmark::RegisterBenchmark(("SInvariants/" + name).c_str(), Invariants, net, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TInvariants/" + name).c_str(), Invariants, net, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Siphons/" + name).c_str(), Siphons, net)
        ->Unit(benchmark::kMillisecond);
}

std::string ContestFolder() {
    if (const char* folder = std::getenv("ZERIN_MCC_DIR"))
        return folder;
#ifdef ZERIN_MCC_DIR
    return ZERIN_MCC_DIR;
#else
    return {};
#endif
}

void RegisterContestNets() {
    const std::string folder = ContestFolder();
    if (folder.empty() || !std::filesystem::is_directory(folder)) {
        std::cerr << "bench_structure: no contest folder (set ZERIN_MCC_DIR)\n";
        return;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".pnml")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        CPnmlReader reader;
        const CPnmlNet* pnml =
            reader.ReadFile(file.string()) ? reader.Select(std::nullopt) : nullptr;
        auto net = std::make_shared<CNetStructure>();
        if (!pnml) {
            std::cerr << "bench_structure: " << file.filename().string() << ": " << reader.Error()
                      << "\n";
            continue;
        }
        CPnmlImport import(*pnml, 10);
        if (!import.BuildStructure(*net)) {
            std::cerr << "bench_structure: " << file.filename().string()
                      << " skipped: " << import.Error() << "\n";
            continue;
        }
        Register(file.stem().string(), net);
    }
}

} // namespace

int main(int argc, char** argv) {
    static CNetDesign philosophers;
    BuildDiningPhilosophers(philosophers, 100);
    const Net hundred = std::make_shared<CNetStructure>(CNetStructure::FromDesign(philosophers));
    Register("Philosophers100", hundred);
    benchmark::RegisterBenchmark("StateEquation/Philosophers100/NeighboursEat", NeighboursEat,
                                 hundred)
        ->Unit(benchmark::kMillisecond);
    RegisterContestNets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
