#include "SemiflowChecks.h"
#include "StructureNets.h"

#include "structure/CInvariantAnalysis.h"
#include "structure/CWorkMeter.h"

#include <gtest/gtest.h>

namespace {

CSemiflowResult Find(const CNetStructure& net, bool conditions, std::size_t limit = 100000,
                     const WorkProgress& progress = {}) {
    CInvariantAnalysis analysis(net);
    return conditions ? analysis.FindSInvariants(limit, progress)
                      : analysis.FindTInvariants(limit, progress);
}

// The search with the given bounds: its semiflows as weightings, and how it ended.
std::pair<std::vector<Weighting>, EEnumeration> Search(const CNetStructure& net, bool conditions,
                                                       std::size_t limit, std::size_t rows) {
    const CSemiflowSystem system =
        conditions ? CSemiflowSystem::ForSInvariants(net) : CSemiflowSystem::ForTInvariants(net);
    CSemiflowSearch search(system, limit, rows);
    const WorkProgress none;
    CWorkMeter meter(none);
    const EEnumeration end = search.Run(meter);
    std::vector<Weighting> found;
    for (const CSemiflow& s : search.Semiflows())
        found.push_back(WeightsOf(s));
    return {found, end};
}

// A net of stages from the pattern: '%' stands for the stage's number, '#' for the next's
// (0 after the last where the stages close in a ring).
std::string Stages(std::string text, int stages, const std::string& pattern, bool ring = false) {
    for (int i = 0; i < stages; ++i)
        for (char ch : pattern)
            text += ch == '%'   ? std::to_string(i)
                    : ch == '#' ? std::to_string(ring && i + 1 == stages ? 0 : i + 1)
                                : std::string(1, ch);
    return text;
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
            std::vector<std::uint8_t> covered(conditions ? net.ConditionCount() : net.EventCount());
            std::vector<Weighting> order;
            for (const CSemiflow& s : all.semiflows) {
                order.push_back(WeightsOf(s));
                for (int v : s.support)
                    covered[static_cast<std::size_t>(v)] = 1;
            }
            EXPECT_EQ(all.covered, covered);
            EXPECT_EQ(Find(net, conditions, 1).covered, covered);
            if (const auto expected = FourTiTwoSemiflows(net, conditions)) {
                EXPECT_EQ(std::set<Weighting>(order.begin(), order.end()), *expected);
                ++compared;
            }
            for (std::size_t limit : {std::size_t{1}, std::size_t{3}, order.size() + 1})
                for (std::size_t rows : {std::size_t{2}, std::size_t{5}, std::size_t{0}}) {
                    const std::size_t n = std::min(limit, order.size());
                    const std::vector<Weighting> prefix(
                        order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n));
                    EXPECT_EQ(Search(net, conditions, limit, rows),
                              std::make_pair(prefix, limit < order.size() ? EEnumeration::Limited
                                                                          : EEnumeration::Complete))
                        << "limit " << limit << ", rows " << rows;
                }
        }
    }
    if (compared == 0)
        GTEST_SKIP() << "4ti2-rays is not installed (Debian's 4ti2): not compared with it";
}

// Along random runs of the token game every S-invariant keeps its initial value.
TEST(InvariantTest, TokenGameKeepsSInvariantValues) {
    std::mt19937 gen(7);
    for (int round = 0; round < 300; ++round) {
        const CNetStructure net = RandomStructure(gen, 3 + round % 6, 3 + round % 5);
        const CSemiflowResult s = Find(net, true);
        for (const auto& marked : RandomRun(net, gen, 40))
            for (const CSemiflow& invariant : s.semiflows) {
                long long value = 0;
                for (int c : invariant.support)
                    value += marked[static_cast<std::size_t>(c)] ? invariant.Weight(c) : 0;
                EXPECT_EQ(value, invariant.initialValue) << Describe(net, invariant, true);
            }
    }
}

// Nets whose invariants are known, in the order the list gives them, with the values of
// the S-invariants.
TEST(InvariantTest, KnownNets) {
    struct Case {
        const char* net;
        std::vector<std::string> s, t;
        bool sCovered, tCovered;
    } cases[] = {
        {"p1* c1 p2* c2 m*; e1: p1 m -> c1; x1: c1 -> p1 m; e2: p2 m -> c2; x2: c2 -> p2 m",
         {"p1+c1=1", "p2+c2=1", "c1+c2+m=1"},
         {"e1+x1", "e2+x2"},
         true,
         true},
        // A weight of 2: a splits into b and c, which both lead to e.
        {"a* b c e; t: a -> b c; w: b -> e; x: c -> e", {"2a+b+c+e=2"}, {}, true, false},
        // A condition both before and after an event: the event changes nothing.
        {"a* b; t: a -> b; u: b -> a; s: a -> a", {"a+b=1"}, {"t+u", "s"}, true, true},
        // An isolated condition is an invariant of its own; one drained is in none.
        {"a* b c; t: a -> b; u: b ->", {"c=0"}, {}, false, false},
        {"", {}, {}, true, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.net);
        const CNetStructure net = StructureFromText(test.net);
        for (bool conditions : {true, false}) {
            const CSemiflowResult result = Find(net, conditions);
            std::vector<std::string> got;
            for (const CSemiflow& s : result.semiflows)
                got.push_back(Describe(net, s, conditions) +
                              (conditions ? "=" + std::to_string(s.initialValue) : ""));
            EXPECT_EQ(got, conditions ? test.s : test.t);
            EXPECT_EQ(result.Covered(), conditions ? test.sCovered : test.tCovered);
        }
    }
}

// Weights that double along a chain: 2^60 is exact, 2^70 is refused, not wrapped.
TEST(InvariantTest, WeightsBeyondSixtyFourBitsAreRefused) {
    for (int stages : {60, 70}) {
        const CSemiflowResult result =
            Find(StructureFromText(
                     Stages("a0*", stages, "; t%: a% -> b% c%; u%: b% -> a#; v%: c% -> a#")),
                 true);
        EXPECT_EQ(result.end, stages == 60 ? EEnumeration::Complete : EEnumeration::Overflow);
        ASSERT_EQ(result.semiflows.size(), stages == 60 ? 1u : 0u);
        EXPECT_TRUE(stages != 60 || result.semiflows[0].initialValue == std::int64_t{1} << 60);
    }
}

// Thirty stages that each split into two parallel conditions and join again: 2^30
// minimal S-invariants. The first thousand come at once, every condition is covered;
// a cancel leaves nothing.
TEST(InvariantTest, ExplodingCountStopsAtTheLimit) {
    const CNetStructure net =
        StructureFromText(Stages("s0*", 30, "; split%: s% -> a% b%; join%: a% b% -> s#", true));
    const CSemiflowResult result = Find(net, true, 1000);
    EXPECT_EQ(result.end, EEnumeration::Limited);
    ASSERT_EQ(result.semiflows.size(), 1000u);
    ExpectMinimalSemiflows(net, result, true);
    EXPECT_TRUE(result.Covered());
    const CSemiflowResult cancelled =
        Find(net, false, 1000, [](std::size_t, std::size_t) { return false; });
    EXPECT_EQ(cancelled.end, EEnumeration::Cancelled);
    EXPECT_TRUE(cancelled.semiflows.empty() && !cancelled.Covered());
}
