#include "NetFixture.h"
#include "simulation/CNameCountMap.h"
#include "simulation/CNetVerification.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using NamingTest = NetFixture;

TEST_F(NamingTest, DuplicateNamesAreTotalledWithTwoBlanksAfterTheColon) {
    AddCondition("x");
    AddCondition("y");
    AddCondition("x");
    Build();
    EXPECT_EQ(CNetVerification(net).CheckNaming(), 1);
    EXPECT_THAT(Standard(),
                ElementsAre("  Correct naming...", "Error: found 2 conditions with same name:  x"));
    EXPECT_EQ(sink.beeps, 1);
}

TEST_F(NamingTest, ConditionNamesAreCaseSensitiveAndNotComparedWithEvents) {
    AddCondition("x");
    AddCondition("X");
    AddEvent("x");
    Build();
    EXPECT_EQ(CNetVerification(net).CheckNaming(), 0);
}

TEST_F(NamingTest, BlankConditionAndBlankEventAreTwoErrors) {
    AddCondition("");
    AddCondition("");
    AddEvent("");
    Build();
    EXPECT_EQ(CNetVerification(net).CheckNaming(), 2);
    EXPECT_THAT(Standard(),
                ElementsAre("  Correct naming...", "Error: found 2 condition(s) with blank name",
                            "Error: found 1 event(s) with blank name"));
}

// Names walk bucket by bucket, newest first within a bucket: "a" and "r" share bucket
// 12, "x" lies in 1 and "ba" in 16.
TEST_F(NamingTest, DuplicatesAreListedInHashWalkOrder) {
    for (auto [name, bucket] : {std::pair("a", 12u), {"r", 12u}, {"x", 1u}, {"ba", 16u}})
        ASSERT_EQ(CNameCountMap::BucketOf(name), bucket) << name;
    for (const char* name : {"a", "x", "r", "ba", "a", "x", "r", "ba", "a"})
        AddCondition(name);
    AddCondition("unique");
    Build();
    EXPECT_EQ(CNetVerification(net).CheckNaming(), 1);
    EXPECT_THAT(Standard(), ElementsAre("  Correct naming...",
                                        "Error: found 9 conditions with same name:  x, r, a, ba"));
}

// The hash runs over the stored Windows-1250 bytes, taken as signed: "č" is the byte
// 0xE8 there (bucket 11), though its UTF-8 bytes would put it in the bucket of "t" (14).
TEST_F(NamingTest, HashUsesTheStoredCodePageBytes) {
    EXPECT_EQ(CNameCountMap::Hash("\xC4\x8D"), 0xFFFFFFE8u);
    EXPECT_EQ(CNameCountMap::BucketOf("\xC4\x8D"), 11u);
    EXPECT_EQ(CNameCountMap::Hash("ab"), 97u * 33u + 98u);
    for (const char* name : {"\xC4\x8D", "\xC4\x8D", "t", "t"})
        AddCondition(name);
    Build();
    CNetVerification(net).CheckNaming();
    EXPECT_EQ(Standard().back(), "Error: found 4 conditions with same name:  \xC4\x8D, t");
}

} // namespace
