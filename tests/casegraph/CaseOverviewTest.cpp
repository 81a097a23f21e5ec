#include "base/CRandomSource.h"
#include "casegraph/CCaseDistances.h"
#include "casegraph/CCaseGraph.h"
#include "casegraph/CCaseGraphOverview.h"
#include "engines/CCasesEngine.h"
#include "model/CNetDesign.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

// Case graphs of random nets and of philosophers, with the steps as pairs of cases.
struct Graph {
    CNetDesign net;
    CRandomSource random{1};
    CCaseGraph graph{random};
    std::vector<std::pair<int, int>> steps;
    // The number of events of each step, and the steps of a single event.
    std::vector<std::size_t> events;
    std::vector<std::pair<int, int>> singles;

    explicit Graph(int seed) {
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial = seed < 0
                                           ? BuildDiningPhilosophers(net, -seed)
                                           : BuildRandomNet(net, gen, 4 + seed % 7, 3 + seed % 5);
        graph.ComputeCaseGraph(initial, net);
        for (std::size_t i = 0; i < graph.StepCount(); ++i) {
            steps.emplace_back(graph.StepFrom(i), graph.StepTo(i));
            events.push_back(graph.StepEvents(i).GetCount());
            if (events.back() == 1)
                singles.push_back(steps.back());
        }
    }
    int Cases() const { return static_cast<int>(graph.Cases().size()); }

    // Breadth first over the pairs, each step taken either way, as plainly as it goes.
    std::vector<int> Distances(int from, bool single = false) const {
        const auto& arcs = single ? singles : steps;
        std::vector<int> d(static_cast<std::size_t>(Cases()), -1);
        d[static_cast<std::size_t>(from)] = 0;
        for (bool grew = true; grew;) {
            grew = false;
            for (auto [a, b] : arcs)
                for (auto [x, y] : {std::pair{a, b}, std::pair{b, a}})
                    if (d[static_cast<std::size_t>(x)] >= 0 &&
                        (d[static_cast<std::size_t>(y)] < 0 ||
                         d[static_cast<std::size_t>(y)] > d[static_cast<std::size_t>(x)] + 1)) {
                        d[static_cast<std::size_t>(y)] = d[static_cast<std::size_t>(x)] + 1;
                        grew = true;
                    }
        }
        return d;
    }
    // Whether the steps lead from one case to the other, forward only.
    bool Reaches(int from, int to) const {
        std::set<int> seen{from};
        std::vector<int> stack{from};
        while (!stack.empty()) {
            const int v = stack.back();
            stack.pop_back();
            for (auto [a, b] : steps)
                if (a == v && seen.insert(b).second)
                    stack.push_back(b);
        }
        return seen.count(to) > 0;
    }
};

const int kSeeds[] = {-3, -7, -9, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144};

} // namespace

// The groups split the cases, their counts add up to the cases and the arcs with the
// single events inside groups to the steps of one event; a distance group holds the
// cases as many events away, a class the cases that reach each other.
TEST(CaseGraphOverview, GroupsPartitionTheCasesAndArcsCountTheSingleEvents) {
    for (const int seed : kSeeds) {
        SCOPED_TRACE(seed);
        const Graph g(seed);
        // The events fired on the way: by steps of one event.
        const std::vector<int> distance = g.Distances(0, true);
        for (const auto grouping :
             {CCaseGraphOverview::EGrouping::Distance, CCaseGraphOverview::EGrouping::Class}) {
            const CCaseGraphOverview overview(g.graph.ForwardAdjacency(),
                                              g.graph.SingleEventAdjacency(), grouping);
            std::uint64_t cases = 0;
            std::vector<int> seen(static_cast<std::size_t>(g.Cases()), 0);
            for (std::uint32_t k = 0; k < overview.Groups().size(); ++k) {
                const auto& group = overview.Groups()[k];
                const std::vector<std::uint32_t> members = overview.CasesOf(k);
                ASSERT_EQ(members.size(), group.cases);
                ASSERT_FALSE(members.empty());
                EXPECT_EQ(members.front(), group.first);
                cases += group.cases;
                for (const std::uint32_t v : members) {
                    ++seen[v];
                    EXPECT_EQ(overview.GroupOf(v), k);
                    if (grouping == CCaseGraphOverview::EGrouping::Distance) {
                        EXPECT_EQ(distance[v], group.column);
                    } else {
                        EXPECT_LE(group.column, distance[v]);
                        EXPECT_TRUE(g.Reaches(static_cast<int>(group.first), static_cast<int>(v)) &&
                                    g.Reaches(static_cast<int>(v), static_cast<int>(group.first)));
                    }
                }
                if (k > 0) {
                    const auto& before = overview.Groups()[k - 1];
                    EXPECT_TRUE(before.column < group.column ||
                                (before.column == group.column && before.row + 1 == group.row));
                }
            }
            EXPECT_EQ(cases, static_cast<std::uint64_t>(g.Cases()));
            EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), g.Cases());
            // The arcs count the single events, as a graph whose steps come on demand
            // knows them: by distance they join neighbouring columns only.
            std::uint64_t steps = overview.GetInnerSteps();
            for (const auto& arc : overview.Arcs()) {
                EXPECT_NE(arc.from, arc.to);
                steps += arc.steps;
                if (grouping == CCaseGraphOverview::EGrouping::Distance) {
                    EXPECT_EQ(std::abs(overview.Groups()[arc.from].column -
                                       overview.Groups()[arc.to].column),
                              1);
                }
            }
            // A step of k events leads at most k columns on: its events fire one by one.
            for (std::size_t i = 0; i < g.steps.size(); ++i) {
                const auto [a, b] = g.steps[i];
                EXPECT_LE(std::abs(distance[static_cast<std::size_t>(a)] -
                                   distance[static_cast<std::size_t>(b)]),
                          static_cast<int>(g.events[i]));
            }
            EXPECT_EQ(steps,
                      static_cast<std::uint64_t>(std::count(g.events.begin(), g.events.end(), 1u)));
        }
    }
}

// The cases within k steps, forward or backward, of any case, for k = 0 to 3.
TEST(CaseDistances, WithinHoldsExactlyTheCasesAtMostKStepsAway) {
    std::mt19937 pick(7);
    for (const int seed : kSeeds) {
        SCOPED_TRACE(seed);
        const Graph g(seed);
        const CCaseDistances distances(g.graph.ForwardAdjacency());
        for (int trial = 0; trial < 4; ++trial) {
            const int centre = static_cast<int>(pick() % static_cast<unsigned>(g.Cases()));
            const std::vector<int> d = g.Distances(centre);
            EXPECT_EQ(distances.From(centre), d);
            for (const int limit : {-1, 1, 2})
                EXPECT_EQ(CCaseDistances::From(g.graph.ForwardAdjacency(), centre, limit),
                          distances.From(centre, limit))
                    << centre << " limit=" << limit;
            for (int k = 0; k <= 3; ++k) {
                std::vector<int> expected;
                for (int v = 0; v < g.Cases(); ++v)
                    if (d[static_cast<std::size_t>(v)] >= 0 && d[static_cast<std::size_t>(v)] <= k)
                        expected.push_back(v);
                EXPECT_EQ(distances.Within(centre, k), expected) << centre << " k=" << k;
            }
        }
    }
}

// From the initial case over the cases engine's successors, whose order is breadth
// first, the distances come in one pass: they agree with the walk over the lists of
// neighbours both ways, with and without a limit.
TEST(CaseDistances, FromTheInitialCaseInTheEnginesOrderAgreesWithTheWalk) {
    for (const int seed : kSeeds) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(static_cast<unsigned>(seed));
        CNetDesign net;
        const CSetConditions initial = seed < 0
                                           ? BuildDiningPhilosophers(net, -seed)
                                           : BuildRandomNet(net, gen, 4 + seed % 7, 3 + seed % 5);
        CCasesEngine engine(net.GetEvents(), initial);
        ASSERT_EQ(engine.Run(), ECaseGraphResult::Completed);
        const CNodeAdjacency& forward = *engine.ForwardAdjacency();
        const CCaseDistances distances(forward);
        for (const int limit : {-1, 0, 2})
            EXPECT_EQ(CCaseDistances::From(forward, 0, limit), distances.From(0, limit)) << limit;
    }
}
