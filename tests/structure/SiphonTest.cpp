#include "StructureNets.h"

#include "structure/CSiphonAnalysis.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Set = std::vector<int>;

Set Members(unsigned bits, int n) {
    Set set;
    for (int c = 0; c < n; ++c)
        if (bits & (1u << c))
            set.push_back(c);
    return set;
}

// The definitions, read off the net: every event marking the set takes from it
// (siphon), every event taking from it marks it (trap).
bool Closed(const CNetStructure& net, unsigned bits, bool siphon) {
    auto in = [&](int c) { return (bits >> c) & 1u; };
    for (int e = 0; e < static_cast<int>(net.EventCount()); ++e) {
        const bool marks = std::any_of(net.Post(e).begin(), net.Post(e).end(), in);
        const bool takes = std::any_of(net.Pre(e).begin(), net.Pre(e).end(), in);
        if (siphon ? marks && !takes : takes && !marks)
            return false;
    }
    return true;
}

// The largest trap within the set: the union of all traps within it.
unsigned LargestTrap(const CNetStructure& net, unsigned bits) {
    unsigned largest = 0;
    for (unsigned sub = bits;; sub = (sub - 1) & bits) {
        if (Closed(net, sub, false))
            largest |= sub;
        if (sub == 0)
            break;
    }
    return largest;
}

} // namespace

// Every subset of up to 12 conditions of random nets: the minimal siphons, their largest
// traps, the siphon-trap property over all siphons and free choice, against the
// definitions; a limit lists the first of the same siphons.
TEST(SiphonTest, RandomNetsAgainstEverySubset) {
    std::mt19937 gen(11);
    for (int round = 0; round < 400; ++round) {
        const int n = 2 + round % 11;
        const CNetStructure net = RandomStructure(gen, n, 1 + round % 8);
        SCOPED_TRACE("round " + std::to_string(round));
        unsigned initial = 0;
        for (int c : net.InitialCase())
            initial |= 1u << c;
        std::vector<unsigned> siphons;
        for (unsigned bits = 1; bits < (1u << n); ++bits)
            if (Closed(net, bits, true))
                siphons.push_back(bits);
        std::vector<CSiphon> expected;
        bool property = true;
        for (unsigned s : siphons) {
            const unsigned trap = LargestTrap(net, s);
            property = property && (trap & initial) != 0;
            if (std::none_of(siphons.begin(), siphons.end(),
                             [s](unsigned t) { return t != s && (t & s) == t; }))
                expected.push_back({Members(s, n), Members(trap, n), (trap & initial) != 0});
        }
        std::sort(expected.begin(), expected.end(), [](const CSiphon& a, const CSiphon& b) {
            return a.conditions.size() != b.conditions.size()
                       ? a.conditions.size() < b.conditions.size()
                       : a.conditions < b.conditions;
        });
        bool freeChoice = true;
        for (int e = 0; e < static_cast<int>(net.EventCount()); ++e)
            for (int f = 0; f < static_cast<int>(net.EventCount()); ++f)
                freeChoice =
                    freeChoice &&
                    (net.Pre(e) == net.Pre(f) ||
                     std::find_first_of(net.Pre(e).begin(), net.Pre(e).end(), net.Pre(f).begin(),
                                        net.Pre(f).end()) == net.Pre(e).end());

        const CSiphonAnalysis analysis(net);
        const CSiphonResult result = analysis.Analyse();
        EXPECT_EQ(result.end, EEnumeration::Complete);
        EXPECT_EQ(result.siphons, expected);
        EXPECT_EQ(result.siphonTrapProperty, property);
        EXPECT_EQ(result.freeChoice, freeChoice);
        EXPECT_EQ(result.live, freeChoice ? std::optional<bool>(property) : std::nullopt);
        EXPECT_TRUE(property ||
                    std::any_of(expected.begin(), expected.end(), [&](const CSiphon& s) {
                        return s.conditions == result.unmarkedTrapSiphon && !s.trapMarked;
                    }));
        if (expected.size() > 1) {
            const CSiphonResult first = analysis.Analyse(1);
            EXPECT_EQ(first.end, EEnumeration::Limited);
            ASSERT_EQ(first.siphons.size(), 1u);
            EXPECT_NE(std::find(expected.begin(), expected.end(), first.siphons[0]),
                      expected.end());
            EXPECT_EQ(first.siphonTrapProperty, property);
        }
    }
}

// Free-choice nets whose liveness is known; a cancel leaves nothing.
TEST(SiphonTest, CommonerOnFreeChoiceNets) {
    struct Case {
        const char* net;
        std::optional<bool> live;
    } cases[] = {
        // A cycle with a free choice between two ways round: live.
        {"a* b c; t: a -> b; u: a -> c; v: b -> a; w: c -> a", true},
        // A fork and join of two cycles sharing a token each: live.
        {"a* b c d; f: a -> b c; j: b c -> d; r: d -> a", true},
        // The token leaves for good: {a, b} is emptied.
        {"a* b c; t: a -> b; u: b -> c", false},
        // Two events share a and differ otherwise: not free-choice, no verdict.
        {"a* b* c; t: a -> c; u: a b -> c", std::nullopt},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.net);
        EXPECT_EQ(CSiphonAnalysis(StructureFromText(test.net)).Analyse().live, test.live);
    }
    const CSiphonResult cancelled =
        CSiphonAnalysis(StructureFromText(cases[0].net)).Analyse(10, [](std::size_t, std::size_t) {
            return false;
        });
    EXPECT_EQ(cancelled.end, EEnumeration::Cancelled);
    EXPECT_TRUE(cancelled.siphons.empty());
}
