// The case graph's records: the empty graph, and a computed, named and laid-out graph
// that comes back whole.

#include "ExpectedBytes.h"

#include "analysis/CCaseGraph.h"
#include "analysis/CPNCase.h"
#include "analysis/CPNStep.h"
#include "base/CArchive.h"
#include "base/CClassRegistry.h"
#include "base/CRandomSource.h"
#include "model/CNetDesign.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include "document/ZerinClassRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

using Bytes = std::vector<std::uint8_t>;

const CClassRegistry g_registry = MakeZerinClassRegistry();

Bytes Store(CNetDesign& net, CCaseGraph& graph) {
    CArchive ar;
    net.Serialize(ar);
    graph.Serialize(ar);
    return ar.GetBuffer();
}

// Two independent components: four cases, twelve arcs, named and laid out on a grid,
// one arc bent, a free label and a polygon on the diagram.
struct LaidOutGraph {
    CRandomSource random{7};
    CNetDesign net;
    CCaseGraph graph{random};

    LaidOutGraph() {
        const CSetConditions initial = BuildIndependentComponents(net, 2);
        graph.ComputeCaseGraph(initial, net);
        graph.MarkInitialCase(initial);
        RecordingDC dc;
        graph.NameElements(dc);
        int i = 0;
        for (CPNCase* node : graph.m_arrCases) {
            node->MoveTo(CPoint(100 + 150 * (i % 2), 100 + 150 * (i / 2)));
            ++i;
        }
        for (CPNStep* step : graph.m_arrSteps)
            step->ResetPoints();
        CPNStep* bent = graph.m_arrSteps.front();
        EXPECT_TRUE(bent->HitTestPoint(std::next(bent->m_listPoints.begin())->m_pt));
        bent->MoveTo(std::next(bent->m_listPoints.begin())->m_pt + CSize(0, 40));
        auto* note = new CPNLabel(400, 40);
        note->SetText("note", dc);
        graph.m_listElements.push_back(note);
        graph.m_listElements.push_back(new CPNPolygon(20, 400));
        graph.m_sizeExtent = CSize(600, 500);
        graph.m_bLaidOut = true;
        graph.m_nGridSize = 150;
        graph.m_arrSavedPositions = {CPoint(1, 2), CPoint(3, 4)};
        graph.m_nSavedPositions = 2;
    }
};

} // namespace

TEST(CaseGraphRecordTest, LaidOutGraphComesBackWhole) {
    LaidOutGraph g;
    ASSERT_EQ(g.graph.m_nCases, 4);
    ASSERT_EQ(g.graph.m_nSteps, 12); // single and double steps, both ways
    const Bytes bytes = Store(g.net, g.graph);

    CRandomSource random(1);
    CNetDesign net;
    CCaseGraph graph(random);
    CArchive ar(bytes, g_registry);
    net.Serialize(ar);
    graph.Serialize(ar);
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
    EXPECT_EQ(Store(net, graph), bytes);

    // The bytes cover the fields; what they cannot show is what refers to what.
    ASSERT_EQ(graph.m_arrSteps.size(), 12u);
    ASSERT_EQ(graph.m_arrStepLabels.size(), 12u);
    for (std::size_t i = 0; i < graph.m_arrCases.size(); ++i) {
        const CPNCase* node = graph.m_arrCases[i];
        EXPECT_EQ(node->m_label.m_pOwner, node);
        EXPECT_EQ(node->m_strConditions, g.graph.m_arrCases[i]->m_strConditions);
        for (const CPNCondition* c : node->m_setConditions)
            EXPECT_NE(std::find(net.m_listElements.begin(), net.m_listElements.end(), c),
                      net.m_listElements.end());
    }
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(graph.m_arrSteps[i]->m_pLabel, graph.m_arrStepLabels[i]);
        EXPECT_EQ(graph.m_arrStepLabels[i]->m_pOwner, graph.m_arrSteps[i]);
        EXPECT_EQ(graph.m_arrSteps[i]->m_strEvents, g.graph.m_arrSteps[i]->m_strEvents);
    }
    EXPECT_TRUE(graph.m_arrSteps.front()->m_bBent);
    ASSERT_EQ(graph.m_arrNetEvents.size(), 4u);
    ASSERT_EQ(graph.m_listElements.size(), 2u);
    EXPECT_EQ(dynamic_cast<CPNLabel*>(graph.m_listElements.front())->m_strText, "note");
}
