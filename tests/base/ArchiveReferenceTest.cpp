#include "ArchiveTestObjects.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const CClassRegistry& Registry() {
    static const CClassRegistry registry = MakeTestRegistry();
    return registry;
}

// A condition with its name label, the two referring to each other.
struct NamedCondition {
    CTestCondition condition;
    CTestLabel label;

    NamedCondition() {
        condition.m_ptPos = {10, 20};
        condition.m_bToken = 1;
        condition.m_pLabel = &label;
        label.m_ptPos = {10, -10};
        label.m_strText = "b1";
        label.m_pOwner = &condition;
    }
};

Bytes ConditionRecord() {
    return MakeBytes({10, 0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0});
}
Bytes LabelRecordBeforeOwner() {
    return MakeBytes({10, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF, 2, 'b', '1'});
}

} // namespace

TEST(ArchiveReferenceTest, ConditionListedBeforeItsLabel) {
    NamedCondition named;
    CTestDocument doc;
    doc.m_listElements = {&named.condition, &named.label};
    CArchive ar;
    doc.Serialize(ar);

    Bytes expected = MakeBytes({1, 0, 0, 0, 0, 2, 0});
    Append(expected, NewClassTag("CTestCondition")); // class 1, condition 2
    Append(expected, ConditionRecord());
    Append(expected, NewClassTag("CTestLabel")); // class 3, label 4
    Append(expected, LabelRecordBeforeOwner());
    Append(expected, MakeBytes({0x02, 0x00})); // the owner: back to the condition
    Append(expected, MakeBytes({0x04, 0x00})); // the label's own list entry
    Append(expected, MakeBytes({0, 0}));       // no points
    EXPECT_EQ(ar.GetBuffer(), expected);

    CTestDocument loaded;
    CArchive in(ar.GetBuffer(), Registry());
    loaded.Serialize(in);
    EXPECT_EQ(in.GetBytesLeft(), 0u);
    ASSERT_EQ(loaded.m_listElements.size(), 2u);
    auto* condition = dynamic_cast<CTestCondition*>(loaded.m_listElements[0]);
    auto* label = dynamic_cast<CTestLabel*>(loaded.m_listElements[1]);
    ASSERT_TRUE(condition && label);
    EXPECT_EQ(condition->m_pLabel, label);
    EXPECT_EQ(label->m_pOwner, condition);
    CArchive again; // the fields, stored again
    loaded.Serialize(again);
    EXPECT_EQ(again.GetBuffer(), ar.GetBuffer());
    EXPECT_EQ(in.GetLoadedObjects(), (std::vector<CObject*>{condition, label}));
    DeleteLoaded(in);
}

TEST(ArchiveReferenceTest, SecondObjectOfAKnownClassGetsAClassTag) {
    CTestLeaf a, b;
    CTestOtherLeaf c, d;
    CArchive ar;
    ar.WriteObject(&a); // class 1, object 2
    ar.WriteObject(&b); // object 3
    ar.WriteObject(&c); // class 4, object 5
    ar.WriteObject(&d); // object 6
    ar.WriteObject(&b);

    Bytes expected = NewClassTag("CTestLeaf");
    Append(expected, MakeBytes({0, 0, 0, 0, 0x01, 0x80, 0, 0, 0, 0}));
    Append(expected, NewClassTag("CTestOtherLeaf"));
    Append(expected, MakeBytes({0, 0, 0, 0, 0x04, 0x80, 0, 0, 0, 0, 0x03, 0x00}));
    EXPECT_EQ(ar.GetBuffer(), expected);

    CArchive in(ar.GetBuffer(), Registry());
    CTestLeaf* ra = in.ReadObject<CTestLeaf>();
    CTestLeaf* rb = in.ReadObject<CTestLeaf>();
    // A derived class is accepted where its base is expected.
    CTestLeaf* rc = in.ReadObject<CTestLeaf>();
    auto* rd = in.ReadObject<CTestOtherLeaf>();
    EXPECT_EQ(in.ReadObject<CObject>(), rb);
    EXPECT_NE(ra, rb);
    EXPECT_NE(dynamic_cast<CTestOtherLeaf*>(rc), nullptr);
    EXPECT_NE(rd, nullptr);
    EXPECT_EQ(in.GetLoadedObjects().size(), 4u);
    DeleteLoaded(in);
}

namespace {

// n leaves, indices 2 to n + 1 after their class at 1.
std::vector<std::unique_ptr<CTestLeaf>> MakeLeaves(int n) {
    std::vector<std::unique_ptr<CTestLeaf>> leaves;
    for (int i = 0; i < n; ++i) {
        leaves.push_back(std::make_unique<CTestLeaf>());
        leaves.back()->m_nValue = i;
    }
    return leaves;
}

} // namespace

TEST(ArchiveReferenceTest, BackReferencesPast0x7FFFTakeTheLongForm) {
    auto leaves = MakeLeaves(0x7FFF); // indices 2 to 0x8000
    CArchive ar;
    for (auto& leaf : leaves)
        ar.WriteObject(leaf.get());
    std::size_t start = ar.GetBuffer().size();
    ar.WriteObject(leaves[0x7FFC].get()); // index 0x7FFE
    ar.WriteObject(leaves[0x7FFD].get()); // index 0x7FFF
    ar.WriteObject(leaves[0x7FFE].get()); // index 0x8000
    Bytes tail(ar.GetBuffer().begin() + static_cast<std::ptrdiff_t>(start), ar.GetBuffer().end());
    EXPECT_EQ(tail, MakeBytes({0xFE, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00, 0xFF, 0x7F, 0x00,
                               0x80, 0x00, 0x00}));

    CArchive in(ar.GetBuffer(), Registry());
    std::vector<CTestLeaf*> loaded;
    for (std::size_t i = 0; i < leaves.size(); ++i)
        loaded.push_back(in.ReadObject<CTestLeaf>());
    EXPECT_EQ(in.ReadObject<CTestLeaf>(), loaded[0x7FFC]);
    EXPECT_EQ(in.ReadObject<CTestLeaf>(), loaded[0x7FFD]);
    EXPECT_EQ(in.ReadObject<CTestLeaf>(), loaded[0x7FFE]);
    EXPECT_EQ(loaded[0x7FFE]->m_nValue, 0x7FFE);
    EXPECT_EQ(in.GetBytesLeft(), 0u);
    DeleteLoaded(in);

    // A class first met past them (index 0x8001) tags its next new object in the long
    // form: the mark, then the index with the class bit.
    CTestOtherLeaf first, second;
    ar.WriteObject(&first);
    const std::size_t before = ar.GetBuffer().size();
    ar.WriteObject(&second);
    const Bytes tag(ar.GetBuffer().begin() + static_cast<std::ptrdiff_t>(before),
                    ar.GetBuffer().begin() + static_cast<std::ptrdiff_t>(before) + 6);
    EXPECT_EQ(tag, MakeBytes({0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80}));
    CArchive again(ar.GetBuffer(), Registry());
    for (std::size_t i = 0; i < leaves.size() + 3; ++i)
        again.ReadObject<CTestLeaf>();
    CTestOtherLeaf* one = again.ReadObject<CTestOtherLeaf>();
    CTestOtherLeaf* two = again.ReadObject<CTestOtherLeaf>();
    EXPECT_TRUE(one && two && one != two);
    EXPECT_EQ(again.GetBytesLeft(), 0u);
    DeleteLoaded(again);
}

namespace {} // namespace

namespace {

// A chain condition, label, condition, label, ... of 2 * pairs nested records.
struct Chain {
    std::vector<std::unique_ptr<CTestCondition>> conditions;
    std::vector<std::unique_ptr<CTestLabel>> labels;

    explicit Chain(int pairs) {
        for (int i = 0; i < pairs; ++i) {
            conditions.push_back(std::make_unique<CTestCondition>());
            labels.push_back(std::make_unique<CTestLabel>());
            conditions.back()->m_pLabel = labels.back().get();
            if (i > 0)
                labels[i - 1]->m_pOwner = conditions.back().get();
        }
    }
};

} // namespace
