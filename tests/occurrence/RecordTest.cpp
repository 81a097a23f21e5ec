#include "OccurrenceFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

using RecordTest = OccurrenceFixture;

TEST_F(RecordTest, StepConsumesItsInputsAndProducesItsOutputs) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* e = AddEvent("e", {a}, {c});
    Prepare();
    record.Start(Case({a, b}));
    Fire(Case({a, b}), {e});

    ASSERT_EQ(record.m_listElements.size(), 6u);
    auto it = record.m_listElements.begin();
    auto* pa = dynamic_cast<CPNPlace*>(*it++);
    auto* pb = dynamic_cast<CPNPlace*>(*it++);
    auto* o = dynamic_cast<CPNOccurrence*>(*it++);
    auto* in = dynamic_cast<CPNEdge*>(*it++);
    auto* pc = dynamic_cast<CPNPlace*>(*it++);
    auto* out = dynamic_cast<CPNEdge*>(*it++);
    ASSERT_TRUE(pa && pb && o && in && pc && out);
    EXPECT_EQ(o->m_pEvent, e);
    EXPECT_EQ(o->m_nInputs + 2 * o->m_nOutputs, 3);
    EXPECT_TRUE(in->IsBetween(pa, o));
    EXPECT_TRUE(out->IsBetween(o, pc));
    EXPECT_TRUE(in->m_listPoints.empty()); // routed by the layout
    EXPECT_TRUE(pa->m_bConsumed && !pb->m_bConsumed);
    EXPECT_EQ(record.FindOpenPlace(a), nullptr);
    EXPECT_EQ(record.FindOpenPlace(b), pb);
    EXPECT_EQ(record.FindOpenPlace(c), pc);
    EXPECT_EQ(record.FindOccurrence(e), o);
}

// The indexes behind the searches give what a walk from the tail gives, also over a
// long run and after the record was filled from outside.
TEST_F(RecordTest, SearchesAgreeWithAWalkFromTheTail) {
    auto [a, b, c] = AddConditions("a", "b", "c");
    CPNEvent* e = AddEvent("e", {a}, {b});
    CPNEvent* f = AddEvent("f", {b}, {a});
    CPNEvent* g = AddEvent("g", {c}, {});
    Prepare();
    auto walk = [this](const CPNCondition* cond) -> CPNPlace* {
        for (auto it = record.m_listElements.rbegin(); it != record.m_listElements.rend(); ++it)
            if (auto* p = dynamic_cast<CPNPlace*>(*it);
                p && p->m_pCondition == cond && !p->m_bConsumed)
                return p;
        return nullptr;
    };
    CSetConditions current = Case({a, c});
    record.Start(current);
    for (int i = 0; i < 500; ++i) {
        current = Fire(current, {i % 2 ? f : e});
        for (const CPNCondition* cond : {a, b, c})
            ASSERT_EQ(record.FindOpenPlace(cond), walk(cond)) << i;
    }
    current = Fire(current, {g});
    EXPECT_EQ(record.FindOpenPlace(c), nullptr);

    // A place appended from outside, as loading does, is found.
    auto* extra = new CPNPlace(c);
    record.m_listElements.push_back(extra);
    EXPECT_EQ(record.FindOpenPlace(c), extra);
}

TEST_F(RecordTest, NumbersRunSeparatelyOverConditionsAndEvents) {
    CPNCondition* a = AddCondition("a");
    CPNEvent* e = AddEvent("e");
    CPNCondition* b = AddCondition("b");
    CPNEvent* f = AddEvent("f");
    Prepare();
    EXPECT_EQ(record.GetPlaceName(a), "b1");
    EXPECT_EQ(record.GetPlaceName(b), "b2");
    EXPECT_EQ(record.GetOccurrenceName(e), "e1");
    EXPECT_EQ(record.GetOccurrenceName(f), "e2");
    CPNCondition stranger;
    EXPECT_EQ(record.GetPlaceName(&stranger), "b0");

    // Numbering again starts afresh.
    record.NumberElements({b, a});
    EXPECT_EQ(record.GetPlaceName(b), "b1");
    EXPECT_EQ(record.GetOccurrenceName(e), "e0");
}

// Counts the deletions of the elements it is given.
template <class Base> struct Counted : Base {
    explicit Counted(int& deleted) : m_pDeleted(&deleted) {}
    ~Counted() override { ++*m_pDeleted; }
    int* m_pDeleted;
};

TEST_F(RecordTest, ResetDeletesRecordAndDecorations) {
    CPNCondition* a = AddCondition("a");
    Prepare();
    record.Start(Case({a}));
    int deleted = 0;
    record.m_listElements.push_back(new Counted<CPNLabel>(deleted));
    record.AddDecoration(new Counted<CPNLabel>(deleted));
    record.AddDecoration(nullptr);
    record.Layout(dc);
    record.Reset();
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(record.m_listElements.empty() && record.m_listDecorations.empty());
    EXPECT_EQ(record.m_nColumns, 0);
    EXPECT_FALSE(record.m_posLayout.has_value());
    EXPECT_EQ(record.FindOpenPlace(a), nullptr);
    // The numbers stay.
    EXPECT_EQ(record.GetPlaceName(a), "b1");
}

} // namespace
