#include "analysis/CCaseGraph.h"
#include "analysis/CCasePath.h"
#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "analysis/CaseClassSearch.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "support/NetFamilies.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>

namespace {

// A case graph put together by hand: node i holds the single condition k<i> and is
// named c<i+1>.
struct HandGraph {
    CNetDesign net;
    CRandomSource random{1};
    CCaseGraph graph{random};
    std::vector<CPNCondition*> conditions;

    HandGraph(int n, const std::vector<std::pair<int, int>>& arcs) {
        NetBuilder b(net);
        for (int i = 0; i < n; ++i) {
            conditions.push_back(b.Condition("k" + std::to_string(i + 1)));
            CSetConditions c;
            c.Add(conditions.back());
            auto* node = new CPNCase(c);
            node->m_label.m_strText = "c" + std::to_string(i + 1);
            graph.m_arrCases.push_back(node);
        }
        graph.m_nCases = n;
        for (auto [f, t] : arcs)
            graph.AddStep(CSetEvents(), f, t);
    }
    CPNCase* Node(int i) { return graph.m_arrCases[static_cast<std::size_t>(i)]; }
};

std::vector<std::pair<std::string, int>> Classes(const CCaseGraph& graph) {
    std::vector<std::pair<std::string, int>> classes;
    for (const auto& record : graph.m_listClasses)
        classes.emplace_back(record.m_setCases.ToString(true), record.m_nCount);
    return classes;
}

TEST(ForwardReachableClasses, OneCycleIsOneClassOfThree) {
    HandGraph h(3, {{0, 1}, {1, 2}, {2, 0}});
    RecordingOutputSink sink;
    h.graph.WriteForwardReachableClasses();
    EXPECT_EQ(Classes(h.graph), (std::vector<std::pair<std::string, int>>{{"{ c1, c2, c3 }", 3}}));
    EXPECT_EQ(sink.panes[PANE_ANALYSIS],
              (std::vector<std::string>{"Writing out forward reachable cases classes...",
                                        "Total 1 classes(s):", "", "Class 1 [3]:", "{ c1, c2, c3 }",
                                        "{ { k1 }, { k2 }, { k3 } }", ""}));
}

// The classes as first stated: one marking per node, a list searched from the head.
std::vector<std::pair<std::vector<int>, int>>
LiteralClasses(int n, const std::vector<std::pair<int, int>>& arcs) {
    std::vector<std::pair<std::vector<int>, int>> list;
    for (int start = 0; start < n; ++start) {
        std::vector<bool> mark(static_cast<std::size_t>(n));
        std::vector<int> stack{start};
        mark[static_cast<std::size_t>(start)] = true;
        while (!stack.empty()) {
            const int u = stack.back();
            stack.pop_back();
            for (auto [f, t] : arcs)
                if (f == u && !mark[static_cast<std::size_t>(t)]) {
                    mark[static_cast<std::size_t>(t)] = true;
                    stack.push_back(t);
                }
        }
        std::vector<int> set;
        for (int v = 0; v < n; ++v)
            if (mark[static_cast<std::size_t>(v)])
                set.push_back(v);
        auto it =
            std::find_if(list.begin(), list.end(), [&](const auto& r) { return r.first == set; });
        if (it != list.end())
            ++it->second;
        else
            list.insert(list.begin(), {set, 1});
    }
    return list;
}

TEST(ForwardReachableClasses, MatchTheOneMarkingPerNodeListingOnRandomGraphs) {
    std::mt19937 gen(99);
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 1 + static_cast<int>(gen() % 12);
        const int m = static_cast<int>(gen() % static_cast<unsigned>(3 * n));
        std::vector<std::pair<int, int>> arcs;
        for (int k = 0; k < m; ++k)
            arcs.emplace_back(static_cast<int>(gen() % static_cast<unsigned>(n)),
                              static_cast<int>(gen() % static_cast<unsigned>(n)));
        HandGraph h(n, arcs);
        const int initial = static_cast<int>(gen() % static_cast<unsigned>(n));
        h.graph.MarkInitialCase(h.Node(initial)->m_setConditions);
        std::vector<bool> before;
        for (const CPNCase* node : h.graph.m_arrCases)
            before.push_back(node->m_bReachable);
        RecordingOutputSink sink;
        h.graph.WriteForwardReachableClasses();
        const auto expected = LiteralClasses(n, arcs);
        ASSERT_EQ(h.graph.m_listClasses.size(), expected.size()) << trial;
        auto it = h.graph.m_listClasses.begin();
        int total = 0;
        for (const auto& [set, count] : expected) {
            std::string names = "{ ";
            for (std::size_t i = 0; i < set.size(); ++i)
                names += (i ? ", c" : "c") + std::to_string(set[i] + 1);
            names += set.empty() ? "}" : " }";
            EXPECT_EQ(it->m_setCases.ToString(true), names) << trial;
            EXPECT_EQ(it->m_nCount, count) << trial;
            total += it->m_nCount;
            ++it;
        }
        EXPECT_EQ(total, n);
        // The summary says the same without the listing: the number of classes and the
        // five generated by the most cases (of equal ones the one found first).
        sink.Reset();
        h.graph.WriteClassSummary();
        std::vector<std::tuple<int, int, std::size_t>> largest; // -count, found, reached
        int found = static_cast<int>(expected.size());
        for (const auto& [set, count] : expected)
            largest.emplace_back(-count, --found, set.size());
        std::sort(largest.begin(), largest.end());
        std::string text = "Largest: ";
        for (std::size_t i = 0; i < std::min<std::size_t>(5, largest.size()); ++i)
            text += (i ? "; [" : "[") + std::to_string(-std::get<0>(largest[i])) + "] reaching " +
                    std::to_string(std::get<2>(largest[i])) + " case(s)";
        EXPECT_EQ(sink.panes[PANE_ANALYSIS],
                  (std::vector<std::string>{"Summing up forward reachable cases classes...",
                                            "Total " + std::to_string(expected.size()) +
                                                " classes(s) of " + std::to_string(n) + " case(s)",
                                            text}))
            << trial;
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(h.graph.m_arrCases[i]->m_bReachable, before[i]) << trial;
            EXPECT_EQ(h.graph.m_arrCases[i]->m_bInitial, static_cast<int>(i) == initial) << trial;
        }
    }
}

TEST(CaseClassSearch, WantedUnwantedReachableAndSorted) {
    CNetDesign net;
    NetBuilder b(net);
    CPNCondition* a = b.Condition("a");
    CPNCondition* bb = b.Condition("b");
    CPNCondition* c = b.Condition("c");
    auto set = [](std::initializer_list<CPNCondition*> members) {
        CSetConditions s;
        for (CPNCondition* m : members)
            s.Add(m);
        return s;
    };
    // Node order is not the order of the texts.
    const std::vector<CSetConditions> cases{set({c}), set({a, c}), set({a, bb}), set({a}), set({})};
    const std::vector<std::uint8_t> reachable{1, 0, 1, 1, 1};
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {a}, {bb}, false),
              (std::vector<std::string>{"{ a }", "{ a, c }"}));
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {a}, {bb}, true),
              (std::vector<std::string>{"{ a }"}));
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {}, {}, false),
              (std::vector<std::string>{"{ a }", "{ a, b }", "{ a, c }", "{ c }", "{}"}));
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {a, bb}, {c}, false),
              (std::vector<std::string>{"{ a, b }"}));
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {c}, {a}, true),
              (std::vector<std::string>{"{ c }"}));
    EXPECT_EQ(FindCasesFromConditions(cases, reachable, {bb}, {a}, false),
              (std::vector<std::string>{"no such case"}));
    EXPECT_EQ(FindCasesFromConditions({}, {}, {}, {}, false),
              (std::vector<std::string>{"no such case"}));
}

} // namespace

// The way to every case of random nets: a chain of the graph's steps from the initial
// case, forward only exactly for the forward-reachable cases, and never longer than
// the distance a plain relaxation finds (forward, or either way).
TEST(CasePathTest, ShortestChainsOfStepsOnRandomNets) {
    std::mt19937 gen(41);
    for (int n = 0; n < 25; ++n) {
        CNetDesign net;
        const CSetConditions initial = BuildRandomNet(net, gen, 7, 5);
        CRandomSource random(1);
        CCaseGraph graph(random);
        ASSERT_EQ(graph.ComputeCaseGraph(initial, net), ECaseGraphResult::Completed);
        graph.MarkInitialCase(initial);
        const CPNCase* from = graph.GetInitialCase();
        ASSERT_NE(from, nullptr);
        const std::size_t count = graph.m_arrCases.size();
        auto distances = [&](bool either) {
            std::map<const CPNElement*, std::size_t> d{{from, 0}};
            for (std::size_t round = 0; round < count; ++round)
                for (std::size_t k = 0; k < graph.m_arrStepRecords.size(); ++k) {
                    const CPNElement* f = graph.m_arrCases[std::size_t(graph.StepFrom(k))];
                    const CPNElement* t = graph.m_arrCases[std::size_t(graph.StepTo(k))];
                    for (auto [a, b] : {std::pair{f, t}, std::pair{t, f}}) {
                        if (!either && a == t)
                            continue;
                        if (d.count(a) && (!d.count(b) || d[b] > d[a] + 1))
                            d[b] = d[a] + 1;
                    }
                }
            return d;
        };
        const auto forward = distances(false), either = distances(true);
        for (const CPNCase* to : graph.m_arrCases) {
            const CCasePath path = CCasePath::Find(graph, from, to);
            ASSERT_TRUE(path.IsFound());
            EXPECT_EQ(path.IsForwardOnly(), to->m_bReachable);
            EXPECT_EQ(path.GetSteps().size(), to->m_bReachable ? forward.at(to) : either.at(to));
            const CPNElement* at = from;
            for (const CCasePath::Step& s : path.GetSteps()) {
                const CPNElement* f = graph.m_arrCases[std::size_t(graph.StepFrom(s.step))];
                const CPNElement* t = graph.m_arrCases[std::size_t(graph.StepTo(s.step))];
                ASSERT_EQ(s.forward ? f : t, at);
                at = s.forward ? t : f;
                EXPECT_EQ(at, s.to);
            }
            EXPECT_EQ(at, to);
        }
    }
}
