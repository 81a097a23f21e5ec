// The three engines (the stored graph, the cases without stored steps, the decision
// diagrams) answer alike: counts, contact-freeness, reachability, searches and the
// length of the shortest path, on random nets and on the dining philosophers; and the
// steps produced on demand are the steps the stored graph has, in the order the
// simulation meets them.

#include "casegraph/CCaseDistances.h"
#include "engines/CCasesEngine.h"
#include "engines/CNodeAdjacency.h"
#include "engines/CSymbolicEngine.h"
#include "model/CNetDesign.h"
#include "model/CSetEvents.h"
#include "support/EngineAgreement.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

TEST(CaseEngines, AgreeOnRandomNets) {
    for (int seed = 0; seed < 60; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomNet(net, gen, 3 + seed % 9, 2 + seed % 6);
        ExpectEnginesAgree(net, initial, gen);
    }
}

// Systems with enough cases at once for the threads to share them out, over several
// batches and chunks.
TEST(CaseEngines, AgreeOnRandomSystems) {
    for (int seed = 0; seed < 8; ++seed) {
        SCOPED_TRACE(seed);
        CNetDesign net;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = BuildRandomSystem(net, gen, 4 + seed % 2, 3 + seed % 2, 2);
        ExpectEnginesAgree(net, initial, gen);
    }
}

TEST(CaseEngines, AgreeOnThePhilosophersUpToTwelve) {
    std::mt19937 gen(7);
    for (int n = 2; n <= 12; n += 2) {
        SCOPED_TRACE(n);
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, n);
        ExpectEnginesAgree(net, initial, gen);
    }
}

// The forward successor lists the cases engine makes by its threads: per case, the
// cases its single events lead to, each once, and the same lists in the same order
// whatever the number of threads; 20 philosophers run to several batches.
TEST(CaseEngines, SuccessorListsHoldTheSingleEventsWhateverTheThreads) {
    std::mt19937 gen(3);
    for (int net = 0; net < 5; ++net) {
        SCOPED_TRACE(net);
        CNetDesign design;
        const CSetConditions initial = net == 0 ? BuildDiningPhilosophers(design, 20)
                                                : BuildRandomSystem(design, gen, 4, 3, 2);
        std::vector<std::vector<int>> lists;
        for (const int threads : {1, 2, 3}) {
            CCasesEngine engine(design.GetEvents(), initial);
            engine.SetThreads(threads);
            ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
            const CNodeAdjacency& forward = *engine.ForwardAdjacency();
            ASSERT_EQ(forward.GetNodeCount(), engine.CaseCount());
            std::vector<std::vector<int>> made;
            for (int i = 0; i < engine.CaseCount(); ++i)
                made.emplace_back(forward.Successors(i).begin(), forward.Successors(i).end());
            if (!lists.empty()) {
                EXPECT_EQ(made, lists) << threads << " threads";
                continue;
            }
            lists = made;
            // The predecessors told case by case are those the lists hold, reversed; the
            // distances near a case the same by them as by the lists.
            std::vector<std::set<int>> before(made.size());
            for (int i = 0; i < engine.CaseCount(); ++i)
                for (const int target : made[static_cast<std::size_t>(i)])
                    before[static_cast<std::size_t>(target)].insert(i);
            const CCaseDistances::Predecessors told = [&engine](int node, const auto& visit) {
                ASSERT_TRUE(engine.ForEachPredecessor(node, visit));
            };
            for (int i = 0; i < engine.CaseCount(); i += 1 + i / 64) {
                std::set<int> from;
                told(i, [&from](int v) { from.insert(v); });
                EXPECT_EQ(from, before[static_cast<std::size_t>(i)]) << "c" << i + 1;
                for (const int radius : {0, 1, 3})
                    EXPECT_EQ(CCaseDistances::Near(forward, told, i, radius),
                              CCaseDistances::From(forward, i, radius))
                        << "c" << i + 1 << " radius " << radius;
            }
            for (int i = 0; i < engine.CaseCount(); i += 1 + i / 64) {
                std::set<int> single;
                engine.ForEachStep(i, true, [&single](const CSetEvents& events, int target) {
                    if (events.GetCount() == 1)
                        single.insert(target);
                });
                EXPECT_EQ(std::set<int>(made[i].begin(), made[i].end()), single) << "c" << i + 1;
                EXPECT_EQ(made[i].size(), single.size()) << "c" << i + 1;
            }
        }
    }
}

// Past the cases counted one by one, the decision diagrams count the steps in a diagram
// of their own: n independent components have 2^n cases, each with all n events
// pairwise detached, so 2^n - 1 steps from every case; 100 philosophers as counted
// before saturation.
TEST(CaseEngines, SymbolicCountsOfClassesTooLargeToList) {
    {
        CNetDesign net;
        const CSetConditions initial = BuildIndependentComponents(net, 20);
        CSymbolicEngine symbolic(net.GetEvents(), initial);
        ASSERT_EQ(symbolic.Run(), ECaseGraphResult::Completed);
        EXPECT_EQ(symbolic.CountCases(), "1048576");
        // Every case has all 20 events with concession, pairwise detached.
        EXPECT_EQ(symbolic.CountSteps(), std::to_string((1ULL << 20) * ((1ULL << 20) - 1)));
    }
    {
        CNetDesign net;
        const CSetConditions initial = BuildDiningPhilosophers(net, 100);
        CSymbolicEngine symbolic(net.GetEvents(), initial);
        ASSERT_EQ(symbolic.Run(), ECaseGraphResult::Completed);
        EXPECT_EQ(symbolic.CountCases(), "792070839848372253127");
        EXPECT_EQ(symbolic.CountSteps(), "1679432749773311003432675685889377624");
        EXPECT_TRUE(symbolic.IsContactFree());
    }
}
