// The records of the net model, byte for byte, and their reading rules.

#include "ExpectedBytes.h"

#include "base/CArchive.h"
#include "base/CClassRegistry.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include "document/ZerinClassRegistry.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const CClassRegistry g_registry = MakeZerinClassRegistry();

Bytes StoreNet(CNetDesign& net) {
    CArchive ar;
    net.Serialize(ar);
    return ar.GetBuffer();
}

// A label with a font of its own.
CPNLabel* MakeLabel(const std::string& text, CPoint pos) {
    auto* label = new CPNLabel(pos.x, pos.y);
    label->m_strText = text;
    label->m_crText = RGB(1, 2, 3);
    // Every field differs, so that their order shows in the bytes: height, width,
    // escapement, orientation, weight, italic, underline, strike-out, character set, output
    // precision, clip precision, quality, pitch and family, face.
    const LOGFONT lf{-14, 22, 13, 16, 700, 15, 21, 20, 11, 17, 12, 19, 18, "Arial"};
    label->SetFont(lf);
    label->m_rcText = CRect(pos.x - 7, pos.y - 7, pos.x + 7, pos.y + 7);
    return label;
}

struct NamedCondition {
    CNetDesign net;
    CPNLabel* label = MakeLabel("b1", CPoint(50, 30));
    CPNCondition* condition = new CPNCondition(50, 60, label);

    explicit NamedCondition(bool labelFirst) {
        label->m_pOwner = condition;
        condition->m_bToken = true;
        if (labelFirst)
            net.m_listElements.push_back(label);
        net.m_listElements.push_back(condition);
        if (!labelFirst)
            net.m_listElements.push_back(label);
    }
};

} // namespace

TEST(ModelRecordTest, SharedLabelAndConditionComeBackReferringToEachOther) {
    for (bool labelFirst : {false, true}) {
        NamedCondition n(labelFirst);
        const Bytes bytes = StoreNet(n.net);
        CNetDesign loaded;
        CArchive ar(bytes, g_registry);
        loaded.Serialize(ar);
        ASSERT_EQ(loaded.m_listElements.size(), 2u);
        auto* condition = dynamic_cast<CPNCondition*>(labelFirst ? loaded.m_listElements.back()
                                                                 : loaded.m_listElements.front());
        ASSERT_NE(condition, nullptr);
        ASSERT_NE(condition->m_pLabel, nullptr);
        EXPECT_EQ(condition->m_pLabel->m_pOwner, condition);
        EXPECT_TRUE(condition->m_bToken);
        EXPECT_EQ(condition->m_pLabel->m_logFont, n.label->m_logFont);
        EXPECT_EQ(condition->m_pLabel->m_rcText, n.label->m_rcText);
        EXPECT_EQ(StoreNet(loaded), bytes);
    }
}

TEST(ModelRecordTest, FaceNameKeepsThirtyOneCharactersWithoutSplittingOne) {
    CNetDesign net;
    CPNLabel* label = MakeLabel("t", CPoint(5, 5));
    // 40 characters, the 31st a two-byte one in UTF-8.
    label->m_logFont.lfFaceName = std::string(30, 'a') + "\xC4\x8C" + std::string(9, 'b');
    net.m_listElements.push_back(label);
    CNetDesign loaded;
    CArchive ar(StoreNet(net), g_registry);
    loaded.Serialize(ar);
    auto* back = dynamic_cast<CPNLabel*>(loaded.m_listElements.front());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->m_logFont.lfFaceName, std::string(30, 'a') + "\xC4\x8C");
    EXPECT_EQ(back->m_font.GetLogFont().lfFaceName, back->m_logFont.lfFaceName);
}

namespace {

// Two elements and a bent edge between them, built as the editor does.
struct BentEdge {
    CNetDesign net;
    CPNCondition* from = new CPNCondition(100, 100, nullptr);
    CPNEvent* to = new CPNEvent(300, 100, nullptr);
    CPNEdge* edge = new CPNEdge(from, to);

    BentEdge() {
        net.m_listElements = {from, to, edge};
        const CPoint mid = std::next(edge->m_listPoints.begin())->m_pt;
        EXPECT_TRUE(edge->HitTestPoint(mid));
        edge->MoveTo(CPoint(200, 180));
        edge->m_bSelected = false;
    }
};

// The offset of the first point record in the stored net of BentEdge: extent and count,
// the condition (tag 16, point, token, null label), the event (tag 12, point, null
// label), the edge's tag 11, point, two references, bool32, rect, three bool32, count.
constexpr std::size_t kFirstPointOffset =
    10 + (18 + 8 + 4 + 2) + (14 + 8 + 2) + (13 + 8 + 4 + 4 + 16 + 12 + 2);

} // namespace

TEST(ModelRecordTest, EdgeRouteIsStoredAsThirtyTwoBytesPerPointWithZeroReserves) {
    BentEdge e;
    ASSERT_EQ(e.edge->m_listPoints.size(), 5u);
    const Bytes bytes = StoreNet(e.net);
    ASSERT_EQ(bytes.size(), kFirstPointOffset + 5 * 32);
    std::size_t at = kFirstPointOffset;
    for (const CEdgePoint& p : e.edge->m_listPoints) {
        ExpectedBytes b;
        b.Int32(0).Point(p.m_pt).Rect(p.m_rcSegment).Byte(p.m_bVertex).Byte(p.m_bEnd).Word(0);
        EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(at),
                        bytes.begin() + static_cast<long>(at + 32)),
                  b.Get());
        at += 32;
    }
}

TEST(ModelRecordTest, EdgeFlagsAreTrueOnlyWhenExactlyOne) {
    BentEdge e;
    Bytes bytes = StoreNet(e.net);
    // m_bVisible, after the edge's tag, point and two references.
    const std::size_t visible = 10 + 32 + 24 + 13 + 8 + 4;
    const std::size_t bent = visible + 4 + 16;
    ASSERT_EQ(bytes[bent], 1);
    bytes[visible] = 2;
    bytes[bent] = 2;
    CNetDesign loaded;
    CArchive ar(bytes, g_registry);
    loaded.Serialize(ar);
    auto* edge = dynamic_cast<CPNEdge*>(loaded.m_listElements.back());
    ASSERT_NE(edge, nullptr);
    EXPECT_FALSE(edge->m_bVisible);
    EXPECT_FALSE(edge->m_bBent);
    EXPECT_TRUE(edge->m_bFirstSegment);
}

namespace {

template <class Set, class Element> void ExpectSetRecord() {
    Element a(1, 1, nullptr), b(2, 2, nullptr);
    Set set;
    set.Add(&b);
    set.Add(&a);
    CArchive ar;
    ar.WriteObject(&a);
    ar.WriteObject(&b);
    set.Serialize(ar);
    Bytes bytes = ar.GetBuffer();
    // a: class 1, object 2; b: object 3. The set in serial order: a, b.
    ExpectedBytes tail;
    tail.Int32(2).Ref(2).Ref(3);
    ASSERT_GE(bytes.size(), tail.Get().size());
    EXPECT_EQ(Bytes(bytes.end() - 8, bytes.end()), tail.Get());

    // The elements read outlive the sets that refer to them, as a document's do.
    std::vector<std::unique_ptr<CObject>> elements;
    auto read = [&](const Bytes& in, Set& into) {
        CArchive loading(in, g_registry);
        elements.emplace_back(loading.ReadObject());
        elements.emplace_back(loading.ReadObject());
        into.Serialize(loading);
        return into.GetCount();
    };
    Set into;
    into.Add(&a); // reading empties the set first
    EXPECT_EQ(read(bytes, into), 2u);
    EXPECT_FALSE(into.Contains(&a));

    Bytes repeated = bytes;
    repeated[bytes.size() - 2] = 2; // b's reference becomes a's
    Set r;
    EXPECT_THROW(read(repeated, r), CArchiveException);
    Bytes null = bytes;
    null[bytes.size() - 2] = 0;
    Set n;
    EXPECT_THROW(read(null, n), CArchiveException);
}

} // namespace

TEST(ModelRecordTest, SetsAreTheirCountAndReferencesAndRefuseNullAndRepeats) {
    ExpectSetRecord<CSetConditions, CPNCondition>();
    ExpectSetRecord<CSetEvents, CPNEvent>();
}

TEST(ModelRecordTest, FarOffPositionIsRefusedBeforeAnythingIsComputedFromIt) {
    for (int far : {CPNElement::kMaxCoordinate + 1, -CPNElement::kMaxCoordinate - 1}) {
        ExpectedBytes b;
        b.NewClass("CPNEvent").Int32(0).Int32(far).Null();
        CArchive ar(b.Get(), g_registry);
        EXPECT_THROW(ar.ReadObject<CPNEvent>(), CArchiveException);
        // What the archive made before it refused is its reader's to delete.
        for (CObject* object : ar.GetLoadedObjects())
            delete object;
    }
    ExpectedBytes edge;
    edge.NewClass("CPNEvent").Int32(CPNElement::kMaxCoordinate).Int32(0).Null();
    CArchive ar(edge.Get(), g_registry);
    std::unique_ptr<CPNEvent> event(ar.ReadObject<CPNEvent>());
    EXPECT_EQ(event->m_ptPos, CPoint(CPNElement::kMaxCoordinate, 0));
}
