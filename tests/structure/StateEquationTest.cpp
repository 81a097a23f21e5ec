#include "StructureNets.h"

#include "model/CNetDesign.h"
#include "structure/CStateEquation.h"
#include "support/NetFamilies.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Case = std::uint32_t;
using Relation = CLinearConstraint::ECompare;

// Every case reached from the initial one by single events forward (and backward where
// asked), each a set of conditions as bits.
std::set<Case> Reach(const CNetStructure& net, bool backward) {
    auto bits = [](const std::vector<int>& conditions) {
        Case b = 0;
        for (int c : conditions)
            b |= Case{1} << c;
        return b;
    };
    std::set<Case> seen{bits(net.InitialCase())};
    std::vector<Case> todo(seen.begin(), seen.end());
    while (!todo.empty()) {
        const Case m = todo.back();
        todo.pop_back();
        for (int e = 0; e < static_cast<int>(net.EventCount()); ++e) {
            const Case pre = bits(net.Pre(e)), post = bits(net.Post(e));
            if ((m & pre) == pre && (m & post) == 0 && seen.insert((m & ~pre) | post).second)
                todo.push_back((m & ~pre) | post);
            if (backward && (m & post) == post && (m & pre) == 0 &&
                seen.insert((m & ~post) | pre).second)
                todo.push_back((m & ~post) | pre);
        }
    }
    return seen;
}

// Wanting the conditions of one set and forbidding those of another.
CStateEquationQuery Query(Case wanted, Case unwanted, int n, bool forward) {
    CStateEquationQuery query;
    query.forward = forward;
    for (int c = 0; c < n; ++c)
        if ((wanted | unwanted) & (Case{1} << c))
            (wanted & (Case{1} << c)) ? query.Want(c) : query.Forbid(c);
    return query;
}

// The solution given solves the equation: M = M0 + C x, x >= 0 going forward.
void ExpectSolution(const CNetStructure& net, const CStateEquationResult& result, bool forward) {
    ASSERT_TRUE(result.solved);
    std::vector<long long> m(net.ConditionCount(), 0), held(net.ConditionCount(), 0);
    for (int c : net.InitialCase())
        m[static_cast<std::size_t>(c)] = 1;
    for (int c : result.marking)
        held[static_cast<std::size_t>(c)] = 1;
    for (int e = 0; e < static_cast<int>(net.EventCount()); ++e) {
        const long long x = result.firings.at(static_cast<std::size_t>(e));
        EXPECT_TRUE(!forward || x >= 0);
        for (int c = 0; c < static_cast<int>(net.ConditionCount()); ++c)
            m[static_cast<std::size_t>(c)] += x * Incidence(net, c, e);
    }
    EXPECT_EQ(m, held);
}

} // namespace

// No case the token game reaches is called unreachable, whether asked for exactly or by
// some conditions it holds and some it lacks; forward and both ways. Some that are not
// reached are proved so.
TEST(StateEquationTest, ReachedCasesAreNeverUnreachable) {
    std::mt19937 gen(5);
    int proved = 0;
    for (int round = 0; round < 30; ++round) {
        const int n = 4 + round % 7;
        const CNetStructure net = RandomStructure(gen, n, 3 + round % 6);
        const CStateEquation equation(net);
        for (bool forward : {true, false}) {
            SCOPED_TRACE("round " + std::to_string(round) + (forward ? " forward" : " both ways"));
            const std::set<Case> reached = Reach(net, !forward);
            const Case all = (Case{1} << n) - 1;
            for (Case target = 0; target <= all; ++target) {
                const CStateEquationResult result =
                    equation.Solve(Query(target, all & ~target, n, forward));
                if (reached.count(target)) {
                    EXPECT_EQ(result.verdict, EStateEquationVerdict::DontKnow);
                    ExpectSolution(net, result, forward);
                } else {
                    proved += result.verdict == EStateEquationVerdict::Unreachable ? 1 : 0;
                }
            }
            // Random wanted and unwanted conditions.
            for (int k = 0; k < 20; ++k) {
                const Case wanted = gen() & gen() & all, unwanted = gen() & gen() & all & ~wanted;
                const bool met = std::any_of(reached.begin(), reached.end(), [&](Case m) {
                    return (m & wanted) == wanted && (m & unwanted) == 0;
                });
                EXPECT_TRUE(!met || equation.Solve(Query(wanted, unwanted, n, forward)).verdict ==
                                        EStateEquationVerdict::DontKnow);
            }
        }
    }
    EXPECT_GT(proved, 100);
}

// Questions whose answers are known: on a mutual exclusion (p1 c1 p2 c2 m), and on
// "b before a", which backward steps reach from {a} and forward ones do not.
TEST(StateEquationTest, KnownAnswers) {
    const char* mutex =
        "p1* c1 p2* c2 m*; e1: p1 m -> c1; x1: c1 -> p1 m; e2: p2 m -> c2; x2: c2 -> p2 m";
    const int p1 = 0, c1 = 1, c2 = 3, m = 4;
    const auto unreachable = EStateEquationVerdict::Unreachable;
    const auto dontKnow = EStateEquationVerdict::DontKnow;
    struct Question {
        const char* net;
        std::vector<CLinearConstraint> constraints;
        bool forward;
        EStateEquationVerdict verdict;
    } questions[] = {
        {mutex, {{{{c1, 1}, {c2, 1}}, Relation::GreaterEqual, 2}}, true, unreachable},
        {mutex, {{{{c1, 1}, {c2, 1}}, Relation::LessEqual, 1}}, true, dontKnow},
        {mutex,
         {{{{c1, 1}}, Relation::Equal, 1}, {{{m, 1}}, Relation::Equal, 1}},
         true,
         unreachable},
        {mutex, {{{{c1, 2}, {p1, -1}}, Relation::Equal, 2}}, true, dontKnow},
        {mutex, {{{{c1, 2}, {p1, -1}}, Relation::Equal, 1}}, true, unreachable},
        {mutex, {}, true, dontKnow},
        {"a* b; t: b -> a", {{{{1, 1}}, Relation::Equal, 1}}, true, unreachable},
        {"a* b; t: b -> a", {{{{1, 1}}, Relation::Equal, 1}}, false, dontKnow},
    };
    for (const Question& q : questions) {
        const CNetStructure net = StructureFromText(q.net);
        CStateEquationQuery query;
        query.constraints = q.constraints;
        query.forward = q.forward;
        const CStateEquationResult result = CStateEquation(net).Solve(query);
        EXPECT_EQ(result.verdict, q.verdict);
        if (q.verdict == dontKnow)
            ExpectSolution(net, result, q.forward);
    }
    CStateEquationQuery both, bad;
    both.RequireCase({c1, c2}, 5);
    EXPECT_EQ(CStateEquation(StructureFromText(mutex)).Solve(both).verdict, unreachable);
    bad.Want(5);
    EXPECT_THROW(CStateEquation(StructureFromText(mutex)).Solve(bad), std::out_of_range);
}

// A hundred philosophers: two neighbours never eat together, proved by the relaxation;
// two apart may; a cancel stops the search.
TEST(StateEquationTest, NeighboursNeverEatTogether) {
    CNetDesign design;
    BuildDiningPhilosophers(design, 100);
    const CNetStructure net = CNetStructure::FromDesign(design);
    auto eat = [&](int i, int j, const WorkProgress& progress = {}) {
        CStateEquationQuery query;
        query.Want(net.FindCondition("eat_" + std::to_string(i)));
        query.Want(net.FindCondition("eat_" + std::to_string(j)));
        return CStateEquation(net).Solve(query, progress);
    };
    EXPECT_EQ(eat(0, 1).verdict, EStateEquationVerdict::Unreachable);
    EXPECT_TRUE(eat(0, 1).provedByRelaxation);
    EXPECT_EQ(eat(0, 2).verdict, EStateEquationVerdict::DontKnow);
    EXPECT_TRUE(eat(0, 2, [](std::size_t, std::size_t) { return false; }).cancelled);
}
