// A case graph keeps its steps as records and makes their objects only on demand. The
// tests run the same edits on two graphs of one net, one whose steps all became objects
// at once (as every step was before) and one that makes them only when asked, and
// require the same bytes, drawings, hits and repaint rectangles throughout.
#include "casegraph/CPNCase.h"
#include "support/DocAccess.h"
#include "casegraph/CPNStep.h"
#include "base/CArchive.h"
#include "document/CDocumentFile.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CPNLabel.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> GraphBytes(CCaseGraph& graph) {
    CArchive ar;
    graph.Serialize(ar);
    return ar.GetBuffer();
}

std::string Drawing(const CCaseGraph& graph, const CRect* clip) {
    RecordingDC dc;
    if (clip)
        graph.Draw(dc, *clip);
    else
        graph.Draw(dc);
    return dc.Dump();
}

// What was hit, as a kind and an index that both graphs share.
std::string HitAt(CCaseGraph& graph, CPoint pt) {
    const CPNElement* hit = graph.ElementFromPoint(pt);
    if (!hit)
        return "none";
    for (std::size_t i = 0; i < graph.Cases().size(); ++i)
        if (graph.Cases()[i] == hit)
            return "case " + std::to_string(i);
    for (std::size_t i = 0; i < graph.StepObjects().size(); ++i) {
        if (graph.StepObjects()[i] == hit)
            return "step " + std::to_string(i);
        if (i < graph.StepLabels().size() && graph.StepLabels()[i] == hit)
            return "label " + std::to_string(i);
    }
    return "other";
}

std::size_t Objects(const CCaseGraph& graph) {
    std::size_t count = 0;
    for (const CPNStep* arc : graph.StepObjects())
        count += arc ? 1 : 0;
    return count;
}

struct Twin {
    CFrameServices frame;
    CZerinDoc doc{frame};
    CCaseGraph& graph = GraphOf(doc);

    Twin(int seed, bool objects) {
        doc.NewDocument();
        RecordingDC dc;
        std::mt19937 gen(static_cast<unsigned>(seed));
        const CSetConditions initial =
            seed < 0 ? BuildDiningPhilosophers(NetOf(doc), -seed)
                     : BuildRandomNet(NetOf(doc), gen, 3 + seed % 6, 2 + seed % 4, &dc);
        graph.ComputeCaseGraph(initial, doc.NetDesign());
        doc.Simulation().AdoptCaseGraph(true);
        if (objects)
            for (std::size_t i = 0; i < graph.StepObjects().size(); ++i)
                graph.MakeStep(i);
        graph.NameElements(dc);
    }
};

TEST(CaseGraphStepStore, StepsKeptAsRecordsBehaveAsTheirObjectsThroughEdits) {
    for (int seed : {-3, -4, 1, 2, 3, 5, 7, 8, 11, 13}) {
        SCOPED_TRACE(seed);
        Twin whole(seed, true), lean(seed, false);
        ASSERT_EQ(whole.graph.StepCount(), lean.graph.StepCount());
        ASSERT_GT(lean.graph.StepCount(), 0);
        EXPECT_EQ(Objects(lean.graph), 0u);
        EXPECT_EQ(GraphBytes(whole.graph), GraphBytes(lean.graph)) << "unrouted";
        std::mt19937 gen(static_cast<unsigned>(seed + 100));
        const int cases = whole.graph.Cases().size();
        auto pick = [&](int n) { return static_cast<int>(gen() % static_cast<unsigned>(n)); };
        auto place = [&](int node, CPoint pt) {
            whole.graph.Cases()[std::size_t(node)]->MoveTo(pt);
            lean.graph.Cases()[std::size_t(node)]->MoveTo(pt);
        };
        for (int node = 0; node < cases; ++node)
            place(node, CPoint(60 + 60 * (node % 5), 60 + 60 * (node / 5)));
        EXPECT_EQ(whole.graph.UpdateSteps(nullptr, true), lean.graph.UpdateSteps(nullptr, true));
        for (int round = 0; round < 60; ++round) {
            SCOPED_TRACE(round);
            const int node = pick(cases);
            // Now and then onto or next to another case: the steps between are hidden.
            const int other = pick(cases);
            const CPoint near = whole.graph.Cases()[std::size_t(other)]->m_ptPos;
            const CPoint pt = pick(3) == 0 ? CPoint(near.x + pick(30) - 15, near.y + pick(30) - 15)
                                           : CPoint(20 + pick(400), 20 + pick(400));
            place(node, pt);
            CPNElement* movedWhole = whole.graph.Cases()[std::size_t(node)];
            CPNElement* movedLean = lean.graph.Cases()[std::size_t(node)];
            switch (pick(6)) {
            case 0: // moved without its steps following (yet)
                break;
            case 1:
                EXPECT_EQ(whole.graph.UpdateSteps(nullptr, false),
                          lean.graph.UpdateSteps(nullptr, false));
                break;
            case 2:
                EXPECT_EQ(whole.graph.UpdateSteps(nullptr, true),
                          lean.graph.UpdateSteps(nullptr, true));
                break;
            default:
                EXPECT_EQ(whole.graph.UpdateSteps(movedWhole, false),
                          lean.graph.UpdateSteps(movedLean, false));
            }
            ASSERT_EQ(GraphBytes(whole.graph), GraphBytes(lean.graph));
            if (round % 10 != 0)
                continue;
            EXPECT_EQ(Drawing(whole.graph, nullptr), Drawing(lean.graph, nullptr));
            const CRect clip(pick(200), pick(200), 150 + pick(300), 150 + pick(300));
            EXPECT_EQ(Drawing(whole.graph, &clip), Drawing(lean.graph, &clip));
            whole.graph.ComputeExtent(100, 100);
            lean.graph.ComputeExtent(100, 100);
            EXPECT_EQ(whole.graph.Extent(), lean.graph.Extent());
            for (int k = 0; k < 40; ++k) {
                const CPoint at(pick(460), pick(460));
                EXPECT_EQ(HitAt(whole.graph, at), HitAt(lean.graph, at)) << at.x << "," << at.y;
            }
        }
        // A band selects the same elements, which the lean graph then has as objects.
        std::list<CPNElement*> selWhole, selLean;
        const CRect band(0, 0, 300, 300);
        EXPECT_EQ(whole.graph.SelectInRect(band, false, selWhole),
                  lean.graph.SelectInRect(band, false, selLean));
        EXPECT_EQ(selWhole.size(), selLean.size());
        EXPECT_EQ(Drawing(whole.graph, nullptr), Drawing(lean.graph, nullptr));
        EXPECT_LT(Objects(lean.graph), static_cast<std::size_t>(lean.graph.StepCount()) + 1);
    }
}

TEST(CaseGraphStepStore, AReadGraphKeepsObjectsOnlyWhereItsStepsNeedThem) {
    Twin lean(-4, false);
    CCaseGraph& graph = lean.graph;
    for (std::size_t node = 0; node < graph.Cases().size(); ++node)
        graph.Cases()[node]->MoveTo(CPoint(60 + 60 * int(node % 9), 60 + 60 * int(node / 9)));
    graph.UpdateSteps(nullptr, true);
    // Three steps of their own: a bend, a label moved away, a label in another colour.
    graph.MakeStep(0)->SetBendPoints({CPoint(500, 500)});
    graph.MakeStep(1);
    graph.StepLabels()[1]->MoveTo(CPoint(700, 20));
    graph.MakeStep(2);
    graph.StepLabels()[2]->m_crText = RGB(255, 0, 0);
    graph.MakeStep(3); // made, but no different from its record
    const std::vector<std::uint8_t> bytes = CDocumentFile::Store(lean.doc);

    CFrameServices frame;
    CZerinDoc read(frame);
    ASSERT_TRUE(CDocumentFile::LoadBytes(read, bytes));
    EXPECT_EQ(CDocumentFile::Store(read), bytes);
    const CCaseGraph& back = read.CaseGraph();
    ASSERT_EQ(back.StepCount(), graph.StepCount());
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < back.StepObjects().size(); ++i)
        if (back.StepObjects()[i])
            kept.push_back(i);
    EXPECT_EQ(kept, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(back.StepLabels()[1]->m_ptPos, CPoint(700, 20));
    std::string name;
    ASSERT_TRUE(back.GetStepName(5, name));
    EXPECT_EQ(name, "s6");
}

} // namespace
