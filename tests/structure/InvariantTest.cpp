#include "SemiflowChecks.h"
#include "StructureNets.h"

#include "structure/CInvariantAnalysis.h"
#include "structure/CSemiflowSearch.h"
#include "structure/CWorkMeter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

namespace {

std::set<Weighting> AsSet(const std::vector<CSemiflow>& list) {
    std::set<Weighting> set;
    for (const CSemiflow& s : list)
        set.insert(WeightsOf(s));
    return set;
}

CSemiflowResult Find(const CNetStructure& net, bool conditions, std::size_t limit = 100000) {
    CInvariantAnalysis analysis(net);
    return conditions ? analysis.FindSInvariants(limit) : analysis.FindTInvariants(limit);
}

// The search with the given bounds, its semiflows as weightings.
std::vector<Weighting> Search(const CNetStructure& net, bool conditions, std::size_t limit,
                              std::size_t rows, EEnumeration& end) {
    const CSemiflowSystem system =
        conditions ? CSemiflowSystem::ForSInvariants(net) : CSemiflowSystem::ForTInvariants(net);
    CSemiflowSearch search(system, limit, rows);
    WorkProgress none;
    CWorkMeter meter(none);
    end = search.Run(meter);
    std::vector<Weighting> found;
    for (const CSemiflow& s : search.Semiflows())
        found.push_back(WeightsOf(s));
    return found;
}

} // namespace

// Random nets: the semiflows hold and are minimal, they are 4ti2's extreme rays, and
// wherever the search is cut (a few rows per elimination) and stopped (a limit) it lists
// a prefix of the same order. Which elements are covered does not depend on the limit.
TEST(InvariantTest, RandomNetsAgreeWithFourTiTwo) {
    std::mt19937 gen(20261210);
    int compared = 0;
    for (int round = 0; round < 40; ++round) {
        const CNetStructure net = RandomStructure(gen, 4 + round % 13, 3 + round % 15);
        for (bool conditions : {true, false}) {
            SCOPED_TRACE("round " + std::to_string(round) + (conditions ? " S" : " T"));
            const CSemiflowResult all = Find(net, conditions);
            ASSERT_TRUE(all.Complete());
            ExpectMinimalSemiflows(net, all, conditions);
            std::vector<std::uint8_t> union_(conditions ? net.ConditionCount() : net.EventCount());
            for (const CSemiflow& s : all.semiflows)
                for (int v : s.support)
                    union_[static_cast<std::size_t>(v)] = 1;
            EXPECT_EQ(all.covered, union_);
            EXPECT_EQ(Find(net, conditions, 1).covered, union_);

            if (const auto expected = FourTiTwoSemiflows(net, conditions)) {
                EXPECT_EQ(AsSet(all.semiflows), *expected);
                ++compared;
            }
            std::vector<Weighting> order;
            for (const CSemiflow& s : all.semiflows)
                order.push_back(WeightsOf(s));
            for (std::size_t limit : {std::size_t{1}, std::size_t{3}, order.size() + 1})
                for (std::size_t rows : {std::size_t{2}, std::size_t{5}, std::size_t{0}}) {
                    EEnumeration end;
                    const auto found = Search(net, conditions, limit, rows, end);
                    const std::size_t n = std::min(limit, order.size());
                    EXPECT_EQ(found,
                              std::vector<Weighting>(
                                  order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n)))
                        << "limit " << limit << ", rows " << rows;
                    EXPECT_EQ(end, limit < order.size() ? EEnumeration::Limited
                                                        : EEnumeration::Complete);
                }
        }
    }
    if (compared == 0)
        GTEST_SKIP() << "4ti2-rays is not installed (Debian's 4ti2): not compared with it";
}

// Along random runs of the token game every S-invariant keeps its initial value.
TEST(InvariantTest, TokenGameKeepsSInvariantValues) {
    std::mt19937 gen(7);
    for (int round = 0; round < 30; ++round) {
        const CNetStructure net = RandomStructure(gen, 6 + round % 7, 4 + round % 5);
        const CSemiflowResult s = Find(net, true);
        for (const auto& marked : RandomRun(net, gen, 40))
            for (const CSemiflow& invariant : s.semiflows) {
                long long value = 0;
                for (std::size_t k = 0; k < invariant.support.size(); ++k)
                    value += marked[static_cast<std::size_t>(invariant.support[k])]
                                 ? invariant.weights[k]
                                 : 0;
                EXPECT_EQ(value, invariant.initialValue) << Describe(net, invariant, true);
            }
    }
}

// Nets whose invariants are known, in the order the list gives them.
TEST(InvariantTest, KnownNets) {
    struct Case {
        const char* net;
        std::vector<std::string> s, t;
        bool sCovered, tCovered;
    } cases[] = {
        {"p1* c1 p2* c2 m*; e1: p1 m -> c1; x1: c1 -> p1 m; e2: p2 m -> c2; x2: c2 -> p2 m",
         {"p1+c1", "p2+c2", "c1+c2+m"},
         {"e1+x1", "e2+x2"},
         true,
         true},
        // A weight of 2: a splits into b and c, which both lead to e.
        {"a* b c e; t: a -> b c; w: b -> e; x: c -> e", {"2a+b+c+e"}, {}, true, false},
        // A condition both before and after an event: the event changes nothing.
        {"a* b; t: a -> b; u: b -> a; s: a -> a", {"a+b"}, {"t+u", "s"}, true, true},
        // An isolated condition is an invariant of its own; one drained is in none.
        {"a* b c; t: a -> b; u: b ->", {"c"}, {}, false, false},
        {"", {}, {}, true, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.net);
        const CNetStructure net = StructureFromText(test.net);
        for (bool conditions : {true, false}) {
            const CSemiflowResult result = Find(net, conditions);
            std::vector<std::string> got;
            for (const CSemiflow& s : result.semiflows)
                got.push_back(Describe(net, s, conditions));
            EXPECT_EQ(got, conditions ? test.s : test.t);
            EXPECT_EQ(result.Covered(), conditions ? test.sCovered : test.tCovered);
        }
    }
    const CNetStructure net = StructureFromText("a* b c e; t: a -> b c; w: b -> e; x: c -> e");
    EXPECT_EQ(Find(net, true).semiflows.at(0).initialValue, 2);
}

// Weights that double along a chain: 2^60 is exact, 2^70 is refused, not wrapped.
TEST(InvariantTest, WeightsBeyondSixtyFourBitsAreRefused) {
    for (int stages : {60, 70}) {
        std::string text = "a0*";
        for (int i = 0; i < stages; ++i) {
            const std::string n = std::to_string(i), next = std::to_string(i + 1);
            text += "; t" + n + ": a" + n + " -> b" + n + " c" + n + "; u" + n + ": b" + n +
                    " -> a" + next + "; v" + n + ": c" + n + " -> a" + next;
        }
        const CSemiflowResult result = Find(StructureFromText(text), true);
        if (stages == 60) {
            ASSERT_EQ(result.semiflows.size(), 1u);
            EXPECT_EQ(result.semiflows[0].weights[0], std::int64_t{1} << 60);
            EXPECT_EQ(result.semiflows[0].initialValue, std::int64_t{1} << 60);
        } else {
            EXPECT_EQ(result.end, EEnumeration::Overflow);
            EXPECT_TRUE(result.semiflows.empty());
        }
    }
}

// Thirty stages that each split into two parallel conditions and join again: 2^30
// minimal S-invariants. The first thousand come at once, and every condition is covered.
TEST(InvariantTest, ExplodingCountStopsAtTheLimit) {
    std::string text = "s0*";
    const int stages = 30;
    for (int i = 0; i < stages; ++i) {
        const std::string n = std::to_string(i), next = std::to_string((i + 1) % stages);
        text += "; split" + n + ": s" + n + " -> a" + n + " b" + n + "; join" + n + ": a" + n +
                " b" + n + " -> s" + next;
    }
    const CNetStructure net = StructureFromText(text);
    const CSemiflowResult result = Find(net, true, 1000);
    EXPECT_EQ(result.end, EEnumeration::Limited);
    ASSERT_EQ(result.semiflows.size(), 1000u);
    ExpectMinimalSemiflows(net, result, true);
    EXPECT_TRUE(result.Covered());
    for (const CSemiflow& s : result.semiflows)
        EXPECT_EQ(s.support.size(), 2u * stages);
}

TEST(InvariantTest, CancelLeavesNothing) {
    std::mt19937 gen(3);
    const CNetStructure net = RandomStructure(gen, 10, 8);
    const CSemiflowResult result = CInvariantAnalysis(net).FindTInvariants(
        1000, [](std::size_t, std::size_t) { return false; });
    EXPECT_EQ(result.end, EEnumeration::Cancelled);
    EXPECT_TRUE(result.semiflows.empty());
    EXPECT_FALSE(result.Covered());
}
