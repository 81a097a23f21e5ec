// The examples as the program draws them: every name clear of every edge and every
// node, so that the first net a user opens reads cleanly.

#include "ViewFixture.h"
#include "examples/CExampleNetBuilder.h"
#include "examples/CExampleNets.h"
#include "platform/CMeasureDC.h"

namespace {

TEST(ExampleNetsTest, NamesAreClearOfEdgesAndNodes) {
    for (const std::string& name : CExampleNets::Names()) {
        SCOPED_TRACE(name);
        ViewFrame frame;
        CZerinDoc doc(frame);
        CMeasureDC dc;
        ASSERT_TRUE(CExampleNets::Build(name, doc, dc));
        const auto& elements = doc.NetDesign().m_listElements;
        for (const CPNElement* e : elements) {
            const CPNLabel* label = CNetDesign::NameLabelOf(e);
            if (!label)
                continue;
            for (const CPNElement* other : elements) {
                if (other == label)
                    continue;
                CRect overlap;
                if (const auto* edge = dynamic_cast<const CPNEdge*>(other)) {
                    EXPECT_FALSE(CExampleNetBuilder::SegmentMeetsRect(
                        edge->m_pFrom->m_ptPos, edge->m_pTo->m_ptPos, label->m_rcText))
                        << label->m_strText << " on an edge";
                } else if (const auto* otherName = dynamic_cast<const CPNLabel*>(other)) {
                    EXPECT_FALSE(overlap.IntersectRect(label->m_rcText, otherName->m_rcText))
                        << label->m_strText << " on " << otherName->m_strText;
                } else {
                    EXPECT_FALSE(overlap.IntersectRect(label->m_rcText, other->GetBoundRect()))
                        << label->m_strText << " on a node";
                }
            }
        }
    }
}

// The segment test the placing relies on: through, beside, ending short and along an
// edge of the rectangle.
TEST(ExampleNetsTest, SegmentMeetsRectangle) {
    const CRect r(10, 10, 20, 20);
    const struct {
        CPoint a, b;
        bool meets;
    } rows[] = {{{0, 15}, {30, 15}, true},  {{15, 0}, {15, 30}, true}, {{0, 0}, {30, 30}, true},
                {{0, 25}, {30, 25}, false}, {{0, 15}, {5, 15}, false}, {{0, 30}, {30, 29}, false},
                {{10, 0}, {10, 30}, true},  {{12, 12}, {13, 13}, true}};
    for (const auto& row : rows)
        EXPECT_EQ(CExampleNetBuilder::SegmentMeetsRect(row.a, row.b, r), row.meets)
            << row.a.x << "," << row.a.y << " " << row.b.x << "," << row.b.y;
}

} // namespace
