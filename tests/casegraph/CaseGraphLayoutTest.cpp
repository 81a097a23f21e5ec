#include "base/CRandomSource.h"
#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "casegraph/CPackedIndices.h"
#include "model/CEditChange.h"
#include "model/CNetDesign.h"
#include "model/CNoEditRecorder.h"
#include "model/CPNLabel.h"
#include "support/Golden.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

bool Covers(const CRect& outer, const CRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The graph of independent components, named, laid out as the view does it.
struct LaidOutGraph {
    CNetDesign net;
    CRandomSource random;
    CCaseGraph graph{random};
    CSetConditions initial;

    explicit LaidOutGraph(int components = 2, bool layout = true, unsigned seed = 42)
        : random(seed) {
        initial = BuildIndependentComponents(net, components);
        graph.ComputeCaseGraph(initial, net);
        if (layout)
            Layout();
    }
    void Layout() {
        RecordingDC dc;
        graph.NameElements(dc);
        const int g = 2 * static_cast<int>(std::sqrt(graph.Cases().size()) + 1.0);
        graph.SetGridSize(g);
        const int s = (g + 1) * CCaseGraph::kGridStep;
        graph.ComputeExtent(s, s);
        graph.RandomLayout();
        graph.UpdateSteps(nullptr, true);
    }
    std::vector<CPoint> Positions() const {
        std::vector<CPoint> p;
        for (const CPNCase* node : graph.Cases())
            p.push_back(node->m_ptPos);
        return p;
    }
};

TEST(CaseGraphLayout, FreeGridPositionFollowsTheDrawsAndAvoidsUsedPositions) {
    CRandomSource random(5);
    CCaseGraph graph(random);
    graph.SetGridSize(2);
    // Three of the four cells are taken: only (120, 120) is left.
    const std::vector<CPoint> used{{60, 60}, {120, 60}, {60, 120}, {999, 999}};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(graph.GetFreeGridPosition(used, 3), CPoint(120, 120));
    // Only the first count positions count.
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < 200; ++i) {
        const CPoint pt = graph.GetFreeGridPosition(used, 1);
        seen.insert({pt.x, pt.y});
    }
    EXPECT_EQ(seen, (std::set<std::pair<int, int>>{{120, 60}, {60, 120}, {120, 120}}));
    // The draws: x first, then y.
    random.Seed(77);
    std::srand(77);
    const int rx = std::rand() % 2, ry = std::rand() % 2;
    random.Seed(77);
    EXPECT_EQ(graph.GetFreeGridPosition({}, 0), CPoint((rx * 3 + 3) * 20, (ry + 1) * 60));
}

TEST(CaseGraphLayout, SavedPositionsComeBackByIndexInsideTheExtent) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        LaidOutGraph g(2, true, seed);
        // Node 2 lies on the last point that still counts as inside.
        const CSize extent = g.graph.Extent();
        g.graph.Cases()[2]->MoveTo(CPoint(extent.cx - 15, extent.cy - 15));
        const std::vector<CPoint> before = g.Positions();
        ASSERT_EQ(before.size(), 4u);
        // Node 1 was dragged off the extent; its saved place is not used again.
        g.graph.Cases()[1]->MoveTo(CPoint(2000, 100));
        g.graph.DeleteContents(false);
        ASSERT_EQ(g.graph.SavedPositions().size(), 4);
        g.graph.ComputeCaseGraph(g.initial, g.net);
        g.Layout();
        const std::vector<CPoint> after = g.Positions();
        for (std::size_t i : {0u, 2u, 3u}) {
            EXPECT_EQ(after[i], before[i]);
            EXPECT_NE(after[1], after[i]);
        }
        EXPECT_LE(after[1].x, g.graph.Extent().cx - 15);
    }
}

// Case names fit their circles or lie below them, clear of them, wherever the case is
// moved: the short names of a small graph inside, the long ones of a large one below.
TEST(CaseGraphLayout, CaseNamesFitTheirCirclesOrLieBelowThem) {
    for (int components : {1, 7}) {
        SCOPED_TRACE(components);
        LaidOutGraph g(components);
        int inside = 0, below = 0;
        for (CPNCase* node : g.graph.Cases()) {
            for (bool moved : {false, true}) {
                if (moved)
                    node->MoveTo(node->m_ptPos + CSize(30, 10));
                const CRect name = node->m_label.m_rcText;
                const CRect circle(node->m_ptPos.x - 15, node->m_ptPos.y - 15, node->m_ptPos.x + 15,
                                   node->m_ptPos.y + 15);
                if (name.Width() <= 26) {
                    EXPECT_EQ(node->m_label.m_ptPos, node->m_ptPos) << node->GetCaseName();
                    ++inside;
                } else {
                    EXPECT_GT(name.top, circle.bottom) << node->GetCaseName();
                    EXPECT_EQ(node->m_label.m_ptPos.x, node->m_ptPos.x);
                    ++below;
                }
            }
        }
        EXPECT_GT(inside, 0);
        EXPECT_EQ(below > 0, g.graph.Cases().size() >= 100u) << g.graph.Cases().size();
    }
}

TEST(CaseGraphLayout, UpdateStepsResetsRoutesAndFollowsAMovedNode) {
    LaidOutGraph g(1, false);
    RecordingDC dc;
    g.graph.NameElements(dc);
    CPNCase* a = g.graph.Cases()[0];
    CPNCase* b = g.graph.Cases()[1];
    a->MoveTo(CPoint(60, 60));
    b->MoveTo(CPoint(240, 60));
    const CRect all = g.graph.UpdateSteps(nullptr, true);
    // The two steps between a and b go opposite ways: each is bent to the left of its
    // own direction, its name outside beside the bend, clear of the other's.
    ASSERT_EQ(g.graph.StepObjects().size(), 2u);
    std::vector<CRect> names;
    for (std::size_t i = 0; i < g.graph.StepObjects().size(); ++i) {
        const CPNStep* arc = g.graph.MakeStep(i);
        ASSERT_EQ(arc->m_listPoints.size(), 5u);
        const CPoint from = arc->m_pFrom->m_ptPos, to = arc->m_pTo->m_ptPos;
        const CPoint bend = std::next(arc->m_listPoints.begin(), 2)->m_pt;
        EXPECT_EQ(bend, CPNStep::BendApart(from, to));
        EXPECT_EQ(std::abs(bend.y - 60), CPNStep::kBendApart);
        EXPECT_EQ(bend.y<60, to.x> from.x) << "left of its direction on the screen";
        const CRect name = arc->m_pLabel->m_rcText;
        EXPECT_FALSE(name.PtInRect(bend));
        EXPECT_EQ(name.CenterPoint().y < 60, bend.y < 60);
        names.push_back(name);
        EXPECT_TRUE(Covers(all, arc->GetBoundRect()));
    }
    EXPECT_TRUE((names[0] & names[1]).IsRectEmpty());
    const CRect oldArc = g.graph.StepObjects()[0]->GetBoundRect();
    b->MoveTo(CPoint(240, 300));
    const CRect repaint = g.graph.UpdateSteps(b, false);
    EXPECT_TRUE(Covers(repaint, oldArc));
    EXPECT_TRUE(Covers(repaint, g.graph.StepObjects()[0]->GetBoundRect()));
    EXPECT_TRUE(Covers(repaint, g.graph.StepLabels()[1]->GetBoundRect()));
    // An element no arc touches changes nothing.
    CPNLabel stray;
    EXPECT_TRUE(g.graph.UpdateSteps(&stray, false).IsRectEmpty());
    CRandomSource random(1);
    CCaseGraph empty(random);
    EXPECT_TRUE(empty.UpdateSteps(nullptr, true).IsRectEmpty());
}

// A layered drawing's distinct x values become the grid's columns and its heights the
// rows, one per 48 points; a case that would share a grid point takes the nearest free
// row below, then above.
TEST(CaseGraphLayout, PlaceOnGridTakesTheDrawingsLayersAsColumns) {
    LaidOutGraph g(2);
    ASSERT_TRUE(g.graph.PlaceOnGrid({{0, 0}, {100, 96}, {100.3, 96}, {200, 48}}));
    const std::vector<CPoint> expected{{60, 60}, {120, 180}, {120, 240}, {180, 120}};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(g.graph.Cases()[i]->m_ptPos, expected[i]) << i;
    EXPECT_FALSE(g.graph.PlaceOnGrid({{0, 0}})) << "a drawing of another number of cases";
}

// What a move keeps of the steps it touched comes back whole, whatever the gaps between
// them (one to five bytes each) and their flags.
// A part gathered around its centre: its cases, nearest first, on the free grid points
// nearest the centre's, no two cases on one point, the centre and the rest unmoved.
TEST(CaseGraphLayout, APartGathersAroundItsCentreOnFreeGridPoints) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        LaidOutGraph g(5, true, seed);
        const std::uint32_t n = static_cast<std::uint32_t>(g.graph.Cases().size());
        const std::uint32_t centre = seed * 7 % n;
        std::vector<std::uint32_t> order;
        for (std::uint32_t i = seed % 3; i < n; i += 2)
            order.push_back(i);
        const std::vector<CPoint> before = g.Positions();
        const auto moves = g.graph.GatherAround(centre, order);
        std::vector<CPoint> after = before;
        for (const auto& [node, at] : moves)
            after[node] = at;
        std::set<std::pair<int, int>> points;
        for (const CPoint& p : after)
            EXPECT_TRUE(points.insert({p.x, p.y}).second) << "two cases on one point";
        const CPoint c = before[centre];
        const auto far = [&c](const CPoint& p) {
            return (p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y);
        };
        std::size_t k = 0;
        for (const std::uint32_t node : order) {
            if (node == centre)
                continue;
            ASSERT_LT(k, moves.size());
            EXPECT_EQ(moves[k].first, node) << "in the order given";
            EXPECT_EQ(moves[k].second.x % CCaseGraph::kGridStep, 0);
            EXPECT_EQ(moves[k].second.y % CCaseGraph::kGridStep, 0);
            EXPECT_EQ(std::count(before.begin(), before.end(), moves[k].second), 0)
                << "a point no case took";
            if (k > 0) {
                EXPECT_LE(far(moves[k - 1].second), far(moves[k].second)) << "nearest first";
            }
            ++k;
        }
        EXPECT_EQ(k, moves.size());
        // No free point nearer the centre than the farthest taken is left over.
        ASSERT_FALSE(moves.empty());
        const int cells = g.graph.GridSize();
        for (int y = 1; y <= cells; ++y)
            for (int x = 1; x <= cells; ++x) {
                const CPoint p(x * CCaseGraph::kGridStep, y * CCaseGraph::kGridStep);
                if (std::count(before.begin(), before.end(), p) == 0 &&
                    std::count(after.begin(), after.end(), p) == 0) {
                    EXPECT_GE(far(p), far(moves.back().second)) << x << "," << y;
                }
            }
        for (std::uint32_t i = 0; i < n; ++i)
            if (std::find(order.begin(), order.end(), i) == order.end() || i == centre) {
                EXPECT_EQ(after[i], before[i]);
            }
    }
}

TEST(CaseGraphLayout, PackedStepIndicesComeBackWhateverTheirGaps) {
    std::mt19937 gen(3);
    std::vector<std::uint32_t> entries;
    for (std::uint32_t i = 0; i < CPackedIndices::kFlag; i += 1 + gen() % (1u << (gen() % 27)))
        entries.push_back(i | (gen() % 2 ? CPackedIndices::kFlag : 0));
    CPackedIndices packed;
    packed.Pack(entries);
    EXPECT_EQ(packed.Unpack(), entries);
    EXPECT_LT(packed.Size(), entries.size() * 4);
}

TEST(CaseGraphSmooth, CancelKeepsThePlacesAndOkAppliesTheBest) {
    LaidOutGraph g(3);
    const std::vector<CPoint> before = g.Positions();
    int shown = 0;
    CSmoothCaseGraphSession* seen = nullptr;
    CSize extent(1, 1);
    // Cancel without a run.
    EXPECT_FALSE(g.graph.Smooth(extent, [&](CSmoothCaseGraphSession& s) {
        ++shown;
        seen = &s;
        return false;
    }));
    EXPECT_EQ(seen, &g.graph.SmoothSession());
    EXPECT_EQ(g.graph.SmoothSession().GetAlgorithm().m_nLength, 8);
    // OK without a started search applies nothing.
    EXPECT_FALSE(g.graph.Smooth(extent, [](CSmoothCaseGraphSession&) { return true; }));
    // A run (the population, then five generations), then Cancel: the nodes stay.
    EXPECT_FALSE(g.graph.Smooth(extent, [](CSmoothCaseGraphSession& s) {
        s.Start();
        for (int i = 0; i < 6; ++i)
            s.RunGeneration();
        s.Stop();
        return false;
    }));
    EXPECT_EQ(g.Positions(), before);
    // Reopened: the same population continues, and OK applies the best placement.
    EXPECT_TRUE(g.graph.Smooth(extent, [](CSmoothCaseGraphSession& s) {
        EXPECT_EQ(s.GetGenerations(), 5);
        s.Start();
        s.RunGeneration();
        s.Stop();
        return true;
    }));
    EXPECT_EQ(shown, 1);
    const CChromosome& best = g.graph.SmoothSession().GetAlgorithm().GetBest();
    for (std::size_t i = 0; i < g.graph.Cases().size(); ++i)
        EXPECT_EQ(g.graph.Cases()[i]->m_ptPos, best.m_arrGenes[i]);
    // The routes start again: straight, or bent apart where two steps join the same
    // cases both ways.
    const std::vector<bool> opposite = [&] {
        std::vector<bool> found(g.graph.StepObjects().size());
        for (std::size_t i = 0; i < found.size(); ++i)
            for (std::size_t j = 0; j < found.size(); ++j)
                found[i] = found[i] || (g.graph.StepFrom(i) == g.graph.StepTo(j) &&
                                        g.graph.StepTo(i) == g.graph.StepFrom(j));
        return found;
    }();
    for (std::size_t i = 0; i < g.graph.StepObjects().size(); ++i)
        EXPECT_EQ(g.graph.MakeStep(i)->m_listPoints.size(), opposite[i] ? 5u : 3u);
    EXPECT_EQ(extent, g.graph.Extent());
    // A recomputation forgets the session.
    g.graph.DeleteContents(false);
    EXPECT_FALSE(g.graph.IsSmoothPrepared());
    EXPECT_FALSE(g.graph.SmoothSession().HasResult());
    EXPECT_FALSE(g.graph.Smooth(extent, nullptr));
}

TEST(CaseGraphSmooth, TheGridChosenInTheSettingsBecomesTheGraphs) {
    LaidOutGraph g(2);
    CSize extent;
    EXPECT_TRUE(g.graph.Smooth(extent, [](CSmoothCaseGraphSession& s) {
        CGASettings settings = s.GetSettings();
        settings.m_nGridSize = 9;
        s.ApplySettings(settings);
        s.Start();
        s.RunGeneration();
        s.Stop();
        return true;
    }));
    EXPECT_EQ(g.graph.GridSize(), 9);
    EXPECT_GE(extent.cx, 600);
    for (const CPNCase* node : g.graph.Cases())
        EXPECT_LE(node->m_ptPos.x, 540);
}

} // namespace

namespace {

// A case and a step draw themselves in each of their display states as recorded in
// tests/data/golden/casegraph/drawing.txt and leave the device context as they found it.
// Too dense for its lines, the graph is drawn as shades of its steps with its cases and
// chosen steps over them: over the same extent as the full drawing, and after cases moved (the
// shades and what meets a window kept up step by step) exactly as when counted anew. Small, it
// leaves its names out.
// The squares of the shades on pages from small to one laid out over hundreds of
// thousands of units: their number bounded, a segment shaded along its length in the
// squares it crosses, and taken away again without a trace.
TEST(CaseGraphDrawing, ShadesOfALargePageStayFewSquaresAlongTheSegment) {
    for (const int side : {500, 70'000, 400'000, 2'000'000'000}) {
        SCOPED_TRACE(side);
        CStepDensity density;
        density.Reset(side, side / 2, 1);
        const int cell = density.Cell();
        const auto squares = static_cast<std::size_t>(side / cell + 1) *
                             static_cast<std::size_t>(side / 2 / cell + 1);
        EXPECT_LE(squares, CStepDensity::kMostSquares);
        EXPECT_EQ(cell == CStepDensity::kCell, side <= 30'000);
        const CPoint from(side / 10, side / 10), to(side - side / 10, side / 10);
        density.AddSegment(from, to, 1);
        RecordingDC dc;
        density.Draw(dc, CRect(0, 0, side, side / 2));
        const std::vector<DrawCall> fills = dc.Calls("Fill");
        ASSERT_FALSE(fills.empty());
        for (const DrawCall& fill : fills) {
            EXPECT_EQ(fill.rect.Width(), cell);
            EXPECT_TRUE(fill.rect.top <= from.y && from.y < fill.rect.bottom);
            EXPECT_TRUE(fill.rect.right > from.x && fill.rect.left <= to.x);
        }
        density.AddSegment(from, to, -1);
        dc.Clear();
        density.Draw(dc, CRect(0, 0, side, side / 2));
        EXPECT_TRUE(dc.Calls("Fill").empty());
    }
}

TEST(CaseGraphDrawing, ShadesCoverTheFullDrawingAndFollowMovedCases) {
    LaidOutGraph g(5);
    auto bounds = [](const RecordingDC& dc) {
        CRect all;
        for (const DrawCall& call : dc.calls)
            all |= call.op == "Line" || call.op == "Fill" || call.op == "Ellipse" ? call.rect
                                                                                  : CRect();
        return all;
    };
    const CRect page(0, 0, g.graph.Extent().cx, g.graph.Extent().cy);
    RecordingDC full, dense, small;
    g.graph.Draw(full, page);
    // Names too small to read are left out, the rest drawn as at full size.
    g.graph.Draw(small, page, false, 0.25);
    EXPECT_FALSE(full.Calls("Text").empty());
    EXPECT_TRUE(small.Calls("Text").empty());
    EXPECT_EQ(small.Calls("Line").size(), full.Calls("Line").size());
    g.graph.SetDenseLimit(0);
    g.graph.Draw(dense, page, false, 0.01);
    ASSERT_FALSE(dense.Calls("Fill").empty());
    EXPECT_TRUE(dense.Calls("Line").empty());
    // A step made an object is in the shades; selected, it is drawn over them.
    CPNStep* object = g.graph.MakeStep(0);
    for (const bool selected : {false, true}) {
        object->m_bSelected = selected;
        RecordingDC over;
        g.graph.Draw(over, page, false, 0.01);
        EXPECT_EQ(over.Calls("Line").empty(), !selected);
    }
    object->m_bSelected = false;
    const CRect a = bounds(full), b = bounds(dense);
    for (const int d : {a.left - b.left, a.top - b.top, b.right - a.right, b.bottom - a.bottom}) {
        EXPECT_GE(d, -CStepDensity::kCell);
        EXPECT_LE(d, CStepDensity::kCell);
    }
    // Cases dragged in and out of a window drawn between the moves, as a drag does.
    const CRect window(page.Width() / 4, page.Height() / 4, page.Width() / 2, page.Height() / 2);
    CNoEditRecorder recorder;
    for (int k = 0; k < 12; ++k) {
        g.graph.MoveElement(
            g.graph.Cases()[static_cast<std::size_t>(k * 7 % g.graph.Cases().size())],
            CPoint(30 + 37 * k % 400, 50 + 53 * k % 300), recorder);
        RecordingDC between;
        g.graph.SetDenseLimit(k % 2 ? 0 : CCaseGraph::kDenseSteps);
        g.graph.Draw(between, window, false, k % 2 ? 0.01 : 1.0);
    }
    // Several cases gathered at once, then put back and moved again, as "Lay Out
    // Neighbourhood", Undo and Redo do, drawn between.
    struct KeepingRecorder : CEditRecorder {
        void Modify(CPNElement*) override {}
        void ModifyList(std::list<CPNElement*>&) override {}
        void Discard(CPNElement* element) override { CNoEditRecorder::Instance().Discard(element); }
        void Record(std::unique_ptr<CEditChange> change) override {
            changes.push_back(std::move(change));
        }
        std::vector<std::unique_ptr<CEditChange>> changes;
    } keeping;
    const auto drawBetween = [&g, &window](int k) {
        RecordingDC between;
        g.graph.SetDenseLimit(k % 2 ? 0 : CCaseGraph::kDenseSteps);
        g.graph.Draw(between, window, false, k % 2 ? 0.01 : 1.0);
    };
    for (std::uint32_t k = 0; k < 3; ++k) {
        g.graph.MoveCasesTo(g.graph.GatherAround(k, {k + 5, k + 13, k + 21}), keeping);
        drawBetween(static_cast<int>(k));
    }
    ASSERT_EQ(keeping.changes.size(), 3u);
    keeping.changes[2]->Undo();
    drawBetween(0);
    keeping.changes[1]->Undo();
    drawBetween(1);
    keeping.changes[1]->Redo();
    drawBetween(0);
    // More cases gathered and all taken back, the shades set aside before: they stand
    // again as they were (and, below, as a count made anew has them).
    g.graph.SetDenseLimit(0);
    RecordingDC shadesBefore, shadesAfter;
    g.graph.Draw(shadesBefore, page, false, 0.01);
    CCaseGraph::DensityAside aside = g.graph.SetDensityAside();
    ASSERT_TRUE(aside.current);
    const std::size_t kept = keeping.changes.size();
    for (std::uint32_t k = 3; k < 6; ++k)
        g.graph.MoveCasesTo(g.graph.GatherAround(k, {k + 5, k + 13, k + 21}), keeping);
    g.graph.TakeBackMoves(std::move(aside), [&keeping, kept] {
        for (; keeping.changes.size() > kept; keeping.changes.pop_back())
            keeping.changes.back()->Undo();
    });
    g.graph.Draw(shadesAfter, page, false, 0.01);
    EXPECT_EQ(shadesAfter.Dump(), shadesBefore.Dump());
    RecordingDC keptLines, keptShades, countedLines, countedShades;
    g.graph.SetDenseLimit(CCaseGraph::kDenseSteps);
    g.graph.Draw(keptLines, window);
    g.graph.SetDenseLimit(0);
    g.graph.Draw(keptShades, page, false, 0.01);
    CPNElement::GeometryChanged();
    g.graph.Draw(countedShades, page, false, 0.01);
    g.graph.SetDenseLimit(CCaseGraph::kDenseSteps);
    g.graph.Draw(countedLines, window);
    EXPECT_EQ(keptShades.Dump(), countedShades.Dump());
    EXPECT_EQ(keptLines.Dump(), countedLines.Dump());
    EXPECT_FALSE(keptLines.Calls("Line").empty());
}

TEST(CaseGraphDrawing, CasesAndStepsInEachStateAsRecorded) {
    CSetConditions conditions;
    std::string text;
    for (int state = 0; state < 6; ++state) {
        CPNCase from(conditions), to(conditions);
        from.MoveTo(CPoint(60, 60));
        to.MoveTo(CPoint(180, 60));
        from.m_bCurrent = state == 1;
        from.m_bShowReachability = state >= 2;
        from.m_bInitial = state == 2;
        from.m_bReachable = state == 3;
        CPNStep step(CSetEvents(), &from, &to);
        step.ResetPoints();
        step.m_bOnPath = from.m_bOnPath = state == 4;
        if (state == 5)
            step.BendApart();
        RecordingDC dc;
        from.Draw(dc);
        step.Draw(dc);
        text += "== state " + std::to_string(state) + "\n" + dc.Dump();
        EXPECT_EQ(dc.GetCurrentPen(), CPen(PS_SOLID, 1, RGB(0, 0, 0))) << state;
        EXPECT_EQ(dc.GetCurrentBrush(), CBrush(RGB(255, 255, 255))) << state;
    }
    ExpectGolden("casegraph/drawing.txt", text);
}

} // namespace
