#include "NetFixture.h"
#include "model/CSetConditions.h"
#include "simulation/CNetVerification.h"

#include <gmock/gmock.h>

#include <vector>

using ::testing::ElementsAre;

namespace {

using VerificationTest = NetFixture;

CSetConditions Case(std::initializer_list<CPNCondition*> members) {
    CSetConditions s;
    for (CPNCondition* c : members)
        s.Add(c);
    return s;
}

TEST_F(VerificationTest, IsolatedConditionsAndEventsAreListed) {
    AddCondition("p");
    CPNCondition* a = AddCondition("a");
    CPNEvent* e = AddEvent("e");
    AddCondition("q");
    AddEvent("lonely");
    AddEdge(a, e);
    Build();
    EXPECT_EQ(CNetVerification(net).CheckIsolated(), 2);
    EXPECT_THAT(Standard(),
                ElementsAre("  Isolated conditions...",
                            "Error: found 2 isolated condition(s):  p, q", "  Isolated events...",
                            "Error: found 1 isolated event(s):  lonely"));
}

TEST_F(VerificationTest, EdgesAddedAfterTheBuildAreNotSeen) {
    CPNCondition* a = AddCondition("a");
    CPNEvent* e = AddEvent("e");
    Build();
    AddEdge(a, e);
    EXPECT_EQ(CNetVerification(net).CheckIsolated(), 2);
}

TEST_F(VerificationTest, EventWithoutConcessionInAnyCase) {
    CPNCondition* a = AddCondition("a", 100, 100, true);
    CPNCondition* b = AddCondition("b");
    AddEvent("e1", {a}, {b});
    AddEvent("e2", {b, a}, {}); // e2 needs b and a together
    Build();
    const CSetConditions c1 = Case({a});
    const CSetConditions c2 = Case({b});
    const std::vector<const CSetConditions*> cases = {&c1, &c2};
    EXPECT_EQ(CNetVerification(net).CheckConcession(cases), 1);
    EXPECT_THAT(Standard(), ElementsAre("  Events concession...",
                                        "Error: found 1 event(s) without concession:  e2"));
}

TEST_F(VerificationTest, ConcessionStopsAtTheFirstEnablingCase) {
    CPNCondition* a = AddCondition("a", 100, 100, true);
    CPNCondition* b = AddCondition("b");
    CPNEvent* e = AddEvent("e", {a}, {b});
    CPNEvent* back = AddEvent("back", {b}, {a});
    Build();
    const CSetConditions c1 = Case({a});
    const CSetConditions c2 = Case({b});
    const std::vector<const CSetConditions*> cases = {&c1, &c2};
    EXPECT_EQ(CNetVerification(net).CheckConcession(cases), 0);
    EXPECT_THAT(Standard(), ElementsAre("  Events concession..."));
    // e stopped at the first case, back was last tried in the second.
    EXPECT_TRUE(e->m_bEnabled);
    EXPECT_TRUE(back->m_bEnabled);
}

// The case graph hands over its nodes, which carry their cases as a public set.
struct CaseNode {
    CSetConditions m_setConditions;
};

TEST_F(VerificationTest, ConcessionOverCaseNodesInNodeOrder) {
    CPNCondition* a = AddCondition("a", 100, 100, true);
    CPNCondition* b = AddCondition("b");
    CPNEvent* e = AddEvent("e", {a}, {b});
    CPNEvent* dead = AddEvent("dead", {a, b}, {});
    Build();
    CaseNode first{Case({b})};
    CaseNode second{Case({a})};
    const std::vector<CaseNode*> nodes = {&first, nullptr, &second};
    EXPECT_EQ(CNetVerification(net).CheckConcession(nodes), 1);
    EXPECT_EQ(Standard().back(), "Error: found 1 event(s) without concession:  dead");
    EXPECT_TRUE(e->m_bEnabled);
    EXPECT_FALSE(dead->m_bEnabled);
}

TEST_F(VerificationTest, ThreeIndistinguishableConditionsFormThreePairs) {
    CPNEvent* e = AddEvent("e");
    CPNEvent* f = AddEvent("f");
    std::vector<CPNCondition*> cs = {AddCondition("c1"), AddCondition("c2"), AddCondition("c3")};
    for (CPNCondition* c : cs) {
        AddEdge(e, c);
        AddEdge(c, f);
    }
    Build();
    EXPECT_EQ(CNetVerification(net).CheckIndistinguishable(), 1);
    EXPECT_THAT(
        Standard(),
        ElementsAre("  Indistinguishable conditions...",
                    "Error: found 6 indistinguishable conditions:  c1 and c2, c1 and c3, c2 and c3",
                    "  indistinguishable events..."));
}

TEST_F(VerificationTest, IndistinguishableEvents) {
    CPNCondition* a = AddCondition("a");
    CPNCondition* b = AddCondition("b");
    AddEvent("e1", {a}, {b});
    AddEvent("e2", {a}, {b});
    Build();
    EXPECT_EQ(CNetVerification(net).CheckIndistinguishable(), 1);
    EXPECT_EQ(Standard().back(), "Error: found 2 indistinguishable events:  e1 and e2");
}

TEST_F(VerificationTest, IsolatedElementsAreNotIndistinguishable) {
    AddCondition("p");
    AddCondition("q");
    AddEvent("e");
    AddEvent("f");
    Build();
    EXPECT_EQ(CNetVerification(net).CheckIndistinguishable(), 0);
    EXPECT_EQ(sink.beeps, 0);
}

TEST_F(VerificationTest, MirroredConditionsAreDistinguishable) {
    CPNCondition* a = AddCondition("a");
    CPNCondition* b = AddCondition("b");
    AddEvent("e", {a}, {b});
    Build();
    EXPECT_EQ(CNetVerification(net).CheckIndistinguishable(), 0);
}

// The tests as the document runs them, over their typical nets.
struct AllTests {
    int errors = 0;
    explicit AllTests(CNetDesign& net, const std::vector<const CSetConditions*>& cases) {
        CNetVerification v(net);
        errors += v.CheckNaming();
        errors += v.CheckIsolated();
        errors += v.CheckConcession(cases);
        errors += v.CheckIndistinguishable();
        errors += v.CheckEmpty();
    }
};

TEST_F(VerificationTest, SingleMarkedConditionIsOneError) {
    CPNCondition* a = AddCondition("a", 100, 100, true);
    Build();
    const CSetConditions initial = Case({a});
    EXPECT_EQ(AllTests(net, {&initial}).errors, 1);
    EXPECT_THAT(Standard(),
                ElementsAre("  Correct naming...", "  Isolated conditions...",
                            "Error: found 1 isolated condition(s):  a", "  Isolated events...",
                            "  Events concession...", "  Indistinguishable conditions...",
                            "  indistinguishable events..."));
}

} // namespace
