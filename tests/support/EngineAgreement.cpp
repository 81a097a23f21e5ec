#include "support/EngineAgreement.h"

#include "base/CRandomSource.h"
#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CStoredEngine.h"
#include "engines/CCasesEngine.h"
#include "engines/CStepChoice.h"
#include "engines/CSymbolicEngine.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "support/NetFamilies.h"
#include "support/ReferenceSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>

namespace {

// The heading's number of steps of a path description, -1 for none found.
int PathLength(const std::vector<std::string>& lines) {
    if (lines.empty() || lines[0].rfind("No path", 0) == 0)
        return -1;
    return static_cast<int>(lines.size()) - 1;
}

} // namespace

void ExpectEnginesAgree(const CNetDesign& net, const CSetConditions& initial, std::mt19937& gen) {
    CRandomSource random(1);
    CCaseGraph graph(random);
    ASSERT_EQ(graph.ComputeCaseGraph(initial, net), ECaseGraphResult::Completed);
    graph.MarkInitialCase(initial);
    CStoredEngine stored(graph);
    CCasesEngine cases(net.GetEvents(), initial);
    cases.SetThreads(1);
    ASSERT_EQ(cases.Run(), ECaseGraphResult::Completed);
    // The cases and their order (their names) do not depend on the threads that find
    // them.
    for (const int threads : {2, 4}) {
        CCasesEngine parallel(net.GetEvents(), initial);
        parallel.SetThreads(threads);
        ASSERT_EQ(parallel.Run(), ECaseGraphResult::Completed);
        ASSERT_EQ(parallel.CaseCount(), cases.CaseCount()) << threads << " threads";
        EXPECT_EQ(parallel.CountSteps(), cases.CountSteps()) << threads << " threads";
        for (int i = 0; i < cases.CaseCount(); ++i)
            ASSERT_TRUE(parallel.Case(i).IsEqual(cases.Case(i)))
                << threads << " threads, c" << i + 1;
    }
    CSymbolicEngine symbolic(net.GetEvents(), initial);
    ASSERT_EQ(symbolic.Run(), ECaseGraphResult::Completed);

    for (CCaseEngine* engine : std::initializer_list<CCaseEngine*>{&cases, &symbolic}) {
        SCOPED_TRACE(engine->GetEngineName());
        EXPECT_EQ(engine->CountCases(), stored.CountCases());
        EXPECT_EQ(engine->CountSteps(), stored.CountSteps());
        EXPECT_EQ(engine->CountForwardCases(), stored.CountForwardCases());
        EXPECT_EQ(engine->IsContactFree(), stored.IsContactFree());
        for (const CPNCase* node : graph.Cases()) {
            EXPECT_EQ(engine->IsForwardReachable(node->m_setConditions), node->m_bReachable);
            EXPECT_EQ(PathLength(DescribeRun(engine->PathTo(node->m_setConditions))),
                      PathLength(DescribeRun(stored.PathTo(node->m_setConditions))))
                << node->m_strConditions;
        }
        // Searches for a random wanted and unwanted condition, and for none.
        const std::vector<CPNCondition*> conditions = ConditionsOf(net);
        for (int k = 0; k < 3 && !conditions.empty(); ++k) {
            std::vector<CPNCondition*> wanted{conditions[gen() % conditions.size()]};
            std::vector<CPNCondition*> unwanted;
            if (k > 0)
                unwanted.push_back(conditions[gen() % conditions.size()]);
            if (k == 2)
                wanted.clear();
            for (bool onlyReachable : {false, true}) {
                const CCaseSearchResult expected = stored.Find(wanted, unwanted, onlyReachable, 4);
                const CCaseSearchResult found = engine->Find(wanted, unwanted, onlyReachable, 4);
                EXPECT_EQ(found.count, expected.count);
                ASSERT_EQ(found.first.size(), expected.first.size());
                for (std::size_t i = 0; i < found.first.size(); ++i)
                    EXPECT_TRUE(found.first[i].IsEqual(expected.first[i]));
            }
        }
    }

    // The steps produced on demand: per case and direction, the simulation's own
    // enumeration of the events with concession, in its order, each leading to the case
    // the step reaches; forward, each step of the stored graph once.
    std::multiset<std::pair<std::string, std::string>> storedSteps, producedSteps;
    for (std::size_t k = 0; k < graph.StepCount(); ++k)
        storedSteps.emplace(
            graph.Cases()[static_cast<std::size_t>(graph.StepFrom(k))]->m_strConditions +
                graph.StepEvents(k).ToString(),
            graph.Cases()[static_cast<std::size_t>(graph.StepTo(k))]->m_strConditions);
    for (int i = 0; i < cases.CaseCount(); ++i) {
        const CSetConditions c = cases.Case(i);
        for (bool forward : {true, false}) {
            std::vector<std::string> produced, expected;
            std::multiset<std::pair<std::string, int>> all;
            cases.ForEachStep(i, forward, [&](const CSetEvents& events, int target) {
                ASSERT_GE(target, 0);
                produced.push_back(events.ToString());
                all.emplace(events.ToString(), target);
                CSetConditions next = c;
                for (const CPNEvent* e : events) {
                    next.Subtract(forward ? e->m_setPreConditions : e->m_setPostConditions);
                    next.Union(forward ? e->m_setPostConditions : e->m_setPreConditions);
                }
                EXPECT_TRUE(cases.Case(target).IsEqual(next));
                if (forward)
                    producedSteps.emplace(c.ToString(false) + events.ToString(),
                                          next.ToString(false));
            });
            for (const CSetEvents& step : ListSteps(net.GetEvents(), c, forward))
                expected.push_back(step.ToString());
            EXPECT_EQ(produced, expected)
                << c.ToString(false) << (forward ? " forward" : " backward");
            // The steps to a few cases (some a step reaches, some at random), and to every
            // case: those of the whole list that lead there, each once.
            std::vector<int> few;
            for (const auto& [events, target] : all)
                if (gen() % 2 == 0)
                    few.push_back(target);
            for (int k = 0; k < 3; ++k)
                few.push_back(static_cast<int>(gen() % static_cast<unsigned>(cases.CaseCount())));
            std::sort(few.begin(), few.end());
            few.erase(std::unique(few.begin(), few.end()), few.end());
            std::vector<int> every(static_cast<std::size_t>(cases.CaseCount()));
            std::iota(every.begin(), every.end(), 0);
            for (const std::vector<int>* among : {&few, &every}) {
                std::multiset<std::pair<std::string, int>> wanted, found;
                for (const auto& step : all)
                    if (std::binary_search(among->begin(), among->end(), step.second))
                        wanted.insert(step);
                cases.ForEachStepAmong(i, forward, *among,
                                       [&found](const CSetEvents& events, int target) {
                                           found.emplace(events.ToString(), target);
                                       });
                EXPECT_EQ(found, wanted)
                    << c.ToString(false) << (forward ? " forward" : " backward");
            }
        }
    }
    EXPECT_EQ(producedSteps, storedSteps);

    // The automatic run's choice, found without listing the steps: the step at the
    // random position of the list, or the first of its largest.
    CRandomSource chooser(3);
    const std::vector<CPNEvent*> events = net.GetEvents();
    for (const CPNCase* node : graph.Cases()) {
        std::vector<std::string> list;
        int largest = -1;
        for (const CSetEvents& step : ListSteps(events, node->m_setConditions, true)) {
            list.push_back(step.ToString());
            if (largest < 0 ||
                step.GetCount() > static_cast<std::size_t>(std::count(
                                      list[static_cast<std::size_t>(largest)].begin(),
                                      list[static_cast<std::size_t>(largest)].end(), ',')) +
                                      1)
                largest = static_cast<int>(list.size()) - 1;
        }
        const std::string first =
            CStepChoice::Choose(events, node->m_setConditions, false, chooser).ToString();
        EXPECT_EQ(first, list.empty() ? "{ }" : list[static_cast<std::size_t>(largest)]);
        for (unsigned draw = 1; draw <= 5 && !list.empty(); ++draw) {
            chooser.Seed(draw);
            const std::string chosen =
                CStepChoice::Choose(events, node->m_setConditions, true, chooser).ToString();
            chooser.Seed(draw);
            EXPECT_EQ(chosen, list[static_cast<std::size_t>(chooser.Rand()) % list.size()]);
        }
    }
}
