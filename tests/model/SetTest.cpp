#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Conditions a, b, c and events e1, e2, created in that order, each with its name.
struct SetTest : ::testing::Test {
    CPNLabel la, lb, lc, le1, le2;
    CPNCondition a{0, 0, &la}, b{0, 0, &lb}, c{0, 0, &lc};
    CPNEvent e1{0, 0, &le1}, e2{0, 0, &le2};

    SetTest() {
        la.m_strText = "a";
        lb.m_strText = "b";
        lc.m_strText = "c";
        le1.m_strText = "e1";
        le2.m_strText = "e2";
    }

    CSetConditions Of(std::vector<CPNCondition*> members) {
        CSetConditions s;
        for (CPNCondition* m : members)
            s.Add(m);
        return s;
    }
};

// A case graph node as the case graph builds it: a condition with a name and a case.
class FakeCase : public CPNCondition {
public:
    FakeCase(std::string name, std::string text)
        : m_strName(std::move(name)), m_strText(std::move(text)) {}
    std::string GetCaseName() const override { return m_strName; }
    std::string GetCaseText() const override { return m_strText; }

private:
    std::string m_strName;
    std::string m_strText;
};

} // namespace

TEST_F(SetTest, MembersFollowCreationOrderWhateverTheOrderOfAdding) {
    CSetConditions forward = Of({&a, &b, &c});
    CSetConditions backward = Of({&c, &a, &b});
    EXPECT_TRUE(forward.IsEqual(backward));
    EXPECT_EQ(forward.ToString(false), backward.ToString(false));
    EXPECT_EQ(backward.ToString(false), "{ a, b, c }");
    backward.ResetIteration();
    EXPECT_EQ(backward.GetNext(), &a);
    EXPECT_EQ(backward.GetNext(), &b);
    EXPECT_EQ(backward.GetNext(), &c);
    EXPECT_EQ(backward.GetNext(), nullptr);
    EXPECT_EQ(std::vector<CPNCondition*>(forward.begin(), forward.end()),
              (std::vector<CPNCondition*>{&a, &b, &c}));
}

TEST_F(SetTest, AlgebraLeavesWhatItShouldUnchanged) {
    CSetConditions ab = Of({&a, &b});
    CSetConditions bc = Of({&b, &c});
    CSetConditions common = ab.Intersect(bc);
    EXPECT_TRUE(common.IsEqual(Of({&b})));
    EXPECT_TRUE(ab.IsEqual(Of({&a, &b})));
    EXPECT_TRUE(bc.IsEqual(Of({&b, &c})));

    CSetConditions u = ab;
    u.Union(bc);
    EXPECT_TRUE(u.IsEqual(Of({&a, &b, &c})));
    u.Union(u);
    EXPECT_EQ(u.GetCount(), 3u);
    u.Subtract(CSetConditions());
    EXPECT_EQ(u.GetCount(), 3u);
    u.Subtract(bc);
    EXPECT_TRUE(u.IsEqual(Of({&a})));
    u.Subtract(u);
    EXPECT_TRUE(u.IsEmpty());

    EXPECT_TRUE(ab.Includes(Of({&b})));
    EXPECT_TRUE(ab.Includes(CSetConditions()));
    EXPECT_FALSE(ab.Includes(bc));
    EXPECT_TRUE(ab.Meets(bc));
    EXPECT_FALSE(ab.Meets(Of({&c})));
}

TEST_F(SetTest, ConcessionForwardAndBackward) {
    const CSetConditions pre = Of({&a}), post = Of({&b});
    EXPECT_TRUE(Of({&a}).HasConcession(pre, post, true));
    EXPECT_TRUE(Of({&a, &c}).HasConcession(pre, post, true));
    EXPECT_FALSE(Of({&a, &b}).HasConcession(pre, post, true));
    EXPECT_FALSE(Of({}).HasConcession(pre, post, true));
    EXPECT_TRUE(Of({&b}).HasConcession(pre, post, false));
    EXPECT_FALSE(Of({&a, &b}).HasConcession(pre, post, false));
    EXPECT_FALSE(Of({&a}).HasConcession(pre, post, false));
    // An event without pre- and post-set has concession everywhere.
    EXPECT_TRUE(Of({}).HasConcession(CSetConditions(), CSetConditions(), true));
    EXPECT_TRUE(Of({&a}).HasConcession(CSetConditions(), CSetConditions(), false));
}

TEST_F(SetTest, ConditionTextForms) {
    EXPECT_EQ(Of({}).ToString(false), "{}");
    EXPECT_EQ(Of({}).ToString(true), "");
    EXPECT_EQ(Of({&a}).ToString(false), "{ a }");
    EXPECT_EQ(Of({&a}).ToString(true), "a ");
    EXPECT_EQ(Of({&a, &b}).ToString(true), "a, b ");
    // Members without a name label are left out without a separator.
    CPNCondition unnamed(0, 0, nullptr);
    EXPECT_EQ(Of({&a, &unnamed, &b}).ToString(false), "{ a, b }");
    EXPECT_EQ(Of({&unnamed}).ToString(false), "{}");
    EXPECT_EQ(Of({&unnamed, &b}).ToString(true), "b ");
}

TEST_F(SetTest, EventTextFormsAndIteration) {
    CSetEvents step;
    EXPECT_EQ(step.ToString(), "{ }");
    step.Add(&e2);
    step.Add(&e1);
    step.Add(&e1);
    step.Add(nullptr);
    EXPECT_EQ(step.ToString(), "{ e1, e2 }");
    EXPECT_EQ(step.GetCount(), 2u);
    CPNEvent unnamed(0, 0, nullptr);
    CSetEvents withUnnamed = step;
    withUnnamed.Add(&unnamed);
    EXPECT_EQ(withUnnamed.ToString(), "{ e1, e2 }");
    CSetEvents onlyUnnamed;
    onlyUnnamed.Add(&unnamed);
    EXPECT_EQ(onlyUnnamed.ToString(), "{ }");

    CSetEvents other;
    other.Add(&e1);
    EXPECT_FALSE(step.IsEqual(other));
    other.Add(&e2);
    EXPECT_TRUE(step.IsEqual(other));
    EXPECT_TRUE(step.Contains(&e2));

    step.ResetIteration();
    EXPECT_EQ(step.GetNext(), &e1);
    EXPECT_EQ(step.GetNext(), &e2);
    EXPECT_EQ(step.GetNext(), nullptr);
    step.RemoveAll();
    step.ResetIteration();
    EXPECT_EQ(step.GetNext(), nullptr);
}
