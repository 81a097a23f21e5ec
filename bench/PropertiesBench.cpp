// Properties: a witness found on the fly among 1.86 million cases of 30 philosophers,
// and, where the contest's models lie beside the project, every examination of the
// larger ones as the verdict table runs them (one checker per model and examination).
//
//   bench_properties --benchmark_filter=Witness
//   bench_properties --benchmark_filter=ShieldRVs-PT-003A/LTL

#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "properties/CPropertyChecker.h"
#include "properties/ExaminationRun.h"
#include "support/NetFamilies.h"

#ifdef ZERIN_MCC_PROPERTIES_DIR
#include "platform/CPnmlReader.h"

#include <filesystem>
#endif

#include <benchmark/benchmark.h>

namespace {

using EKind = CFormula::EKind;

void BM_PhilosophersWitness(benchmark::State& state) {
    CNetDesign design;
    BuildDiningPhilosophers(design, static_cast<int>(state.range(0)));
    const CNetStructure net = CNetStructure::FromDesign(design);
    const FormulaPtr eat =
        CFormula::Ctl(EKind::EF, CFormula::And({CFormula::Condition(net.FindCondition("eat_0")),
                                                CFormula::Condition(net.FindCondition("eat_2")),
                                                CFormula::Condition(net.FindCondition("eat_4"))}));
    std::size_t steps = 0;
    for (auto _ : state) {
        CPropertyChecker checker(net);
        const CPropertyResult result = checker.Check(CProperty{"eat", eat});
        if (result.verdict != EVerdict::True || !result.run)
            state.SkipWithError("no witness");
        else
            steps = result.run->events.size();
    }
    state.counters["run"] = static_cast<double>(steps);
}
BENCHMARK(BM_PhilosophersWitness)->Arg(30)->Unit(benchmark::kMillisecond);

#ifdef ZERIN_MCC_PROPERTIES_DIR

bool ReadNet(const std::filesystem::path& folder, CNetStructure& net) {
    return CPnmlReader::ImportStructure((folder / "model.pnml").string(), std::nullopt, net).ok;
}

void RunExamination(benchmark::State& state, const std::string& folder, EExamination examination) {
    CNetStructure net;
    if (!ReadNet(folder, net)) {
        state.SkipWithError("the model cannot be read");
        return;
    }
    for (auto _ : state) {
        CPropertyChecker checker(net);
        const CExaminationOutcome outcome = Examinations::Run(checker, folder, examination);
        for (const CPropertyResult& result : outcome.results)
            if (result.verdict == EVerdict::CannotCompute)
                state.SkipWithError("a property stayed open");
    }
}

// The models whose examinations take longest.
const int kRegistered = [] {
    for (const char* model : {"ShieldRVs-PT-003A", "ResAllocation-PT-R003C010",
                              "ResAllocation-PT-R015C002", "ShieldRVt-PT-004A"}) {
        const std::string folder = std::string(ZERIN_MCC_PROPERTIES_DIR) + "/" + model;
        for (int i = 0; i < Examinations::kCount; ++i) {
            const EExamination examination = Examinations::At(i);
            benchmark::RegisterBenchmark(
                (std::string("BM_Examination/") + model + "/" + Examinations::Name(examination))
                    .c_str(),
                [folder, examination](benchmark::State& state) {
                    RunExamination(state, folder, examination);
                })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
    }
    return 0;
}();

#endif

} // namespace

BENCHMARK_MAIN();
