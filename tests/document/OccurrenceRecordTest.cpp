// The records of the occurrence net: places and occurrences with their embedded labels,
// and the net's own record.

#include "ExpectedBytes.h"

#include "base/CArchive.h"
#include "document/ZerinClassRegistry.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

// An embedded label record as a new label has it: position, text, colour, the default
// font, visible, its rectangle, no owner.
ExpectedBytes& EmbeddedLabel(ExpectedBytes& b, const CPNLabel& l) {
    return b.Label(l.m_ptPos, l.m_strText, l.m_crText, l.m_logFont, l.m_bVisible, l.m_rcText)
        .Null();
}

} // namespace

TEST(OccurrenceRecordTest, PlaceAndOccurrenceRecords) {
    CPNCondition condition(10, 20, nullptr);
    CPNEvent event(30, 40, nullptr);
    CPNPlace place(&condition);
    place.m_ptPos = CPoint(5, 6);
    place.m_bConsumed = true;
    place.m_strName = "ready";
    place.m_label.m_strText = "b1";
    CPNOccurrence occurrence(&event);
    occurrence.m_ptPos = CPoint(7, 8);
    occurrence.m_strName = "produce";
    occurrence.m_nOutputs = 2;
    occurrence.m_nInputs = 3;
    occurrence.m_label.m_strText = "e1";

    CArchive ar;
    ar.WriteObject(&condition);
    ar.WriteObject(&event);
    ar.WriteObject(&place);
    ar.WriteObject(&occurrence);

    ExpectedBytes b;
    b.NewClass("CPNCondition").Point(CPoint(10, 20)).Int32(0).Null();
    b.NewClass("CPNEvent").Point(CPoint(30, 40)).Null();
    // Place: the condition record, the condition, consumed, the name, the label.
    b.NewClass("CPNPlace").Point(CPoint(5, 6)).Int32(0).Null();
    b.Ref(2).Int32(1).Str("ready");
    EmbeddedLabel(b, place.m_label);
    // Occurrence: the event record, the event, the name, outputs, inputs, the label.
    b.NewClass("CPNOccurrence").Point(CPoint(7, 8)).Null();
    b.Ref(4).Str("produce").Int32(2).Int32(3);
    EmbeddedLabel(b, occurrence.m_label);
    EXPECT_EQ(ar.GetBuffer(), b.Get());

    const CClassRegistry registry = MakeZerinClassRegistry();
    CArchive loading(ar.GetBuffer(), registry);
    std::unique_ptr<CPNCondition> c(loading.ReadObject<CPNCondition>());
    std::unique_ptr<CPNEvent> e(loading.ReadObject<CPNEvent>());
    std::unique_ptr<CPNPlace> p(loading.ReadObject<CPNPlace>());
    std::unique_ptr<CPNOccurrence> o(loading.ReadObject<CPNOccurrence>());
    ASSERT_TRUE(p && o);
    EXPECT_EQ(p->m_pCondition, c.get());
    EXPECT_EQ(o->m_pEvent, e.get());
    // Every field comes back: stored again, the records are the same bytes.
    CArchive again;
    for (CObject* x : std::initializer_list<CObject*>{c.get(), e.get(), p.get(), o.get()})
        again.WriteObject(x);
    EXPECT_EQ(again.GetBuffer(), ar.GetBuffer());
    // The event box of the occurrence is rebuilt from its position.
    const CPNEvent boxAt(7, 8, nullptr);
    EXPECT_EQ(o->m_rcBox, boxAt.m_rcBox);
}
