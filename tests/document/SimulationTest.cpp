#include "DocFixture.h"
#include "support/DocAccess.h"
#include "model/CPNEdge.h"
#include "occurrence/COccurrenceNet.h"
#include "occurrence/CPNPlace.h"

#include "document/CAutomaticRun.h"
#include "document/CDocumentFile.h"

#include <algorithm>
#include <set>

using Lines = std::vector<std::string>;

namespace {

// b1 (marked) -> e1 -> b2 -> e2 -> b1: two cases forever.
struct Cycle : DocFixture {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    CPNEvent* e1 = net.Event("e1", {b1}, {b2});
    CPNEvent* e2 = net.Event("e2", {b2}, {b1});
};

int Step(CZerinDoc& doc) {
    return CAutomaticRun::ExecuteStepWithoutAnimation(doc);
}

} // namespace

TEST_F(OneEvent, SecondEntryWithoutEditSkipsTheTest) {
    Enter();
    doc.Simulation().Leave();
    EXPECT_TRUE(doc.Record().grid);
    doc.Simulation().Enter();
    EXPECT_EQ(Pane(PANE_STANDARD),
              (Lines{"--------------------Document: Untitled--------------------",
                     "Entering simulation..."}));
    EXPECT_TRUE(doc.Simulation().RestartsOccurrenceNet());
    // Entering while in simulation does nothing at all.
    sink.Reset();
    doc.Simulation().Enter();
    EXPECT_TRUE(sink.all.empty());
    // After an edit the full test runs again.
    doc.Simulation().Leave();
    doc.SetNetModified();
    sink.Reset();
    doc.Simulation().Enter();
    EXPECT_EQ(Pane(PANE_STANDARD).back(), "System is contact-free");
}

TEST_F(OneEvent, PhasesAnimateTheEdgesOfEachSide) {
    Enter();
    doc.Selection().Select(e1, false);
    doc.Simulation().PrepareAnimation(false);
    EXPECT_EQ(doc.Simulation().AnimFrame(), -1);
    ASSERT_EQ(doc.Simulation().AnimEdges().size(), 1u);
    EXPECT_EQ(doc.Simulation().AnimEdges().front()->m_pFrom, b1);
    doc.Simulation().ExecuteStepPhase(0);
    EXPECT_TRUE(b1->m_bMarked);
    EXPECT_TRUE(e1->m_bHighlight);
    EXPECT_TRUE(doc.Simulation().CurrentCase().IsEmpty());
    int frames = 0;
    while (doc.Simulation().NextFrame())
        ++frames;
    EXPECT_EQ(frames, 10);
    doc.Simulation().ExecuteStepPhase(1);
    EXPECT_TRUE(b2->m_bMarked && !b1->m_bMarked);
    doc.Simulation().PrepareAnimation(true);
    ASSERT_EQ(doc.Simulation().AnimEdges().size(), 1u);
    EXPECT_EQ(doc.Simulation().AnimEdges().front()->m_pTo, b2);
    // One token per animated edge while a frame is shown; none at frame -1.
    dc.Clear();
    doc.DrawNetDesign(dc);
    const auto before = dc.Calls("Ellipse");
    doc.Simulation().NextFrame();
    dc.Clear();
    doc.DrawNetDesign(dc);
    const auto during = dc.Calls("Ellipse");
    ASSERT_EQ(during.size(), before.size() + 1);
    const DrawCall& token = during.back();
    EXPECT_EQ(token.brush.GetColour(), RGB(0, 0, 255));
    const CPoint at = doc.Simulation().AnimEdges().front()->GetTokenPathPoint(0);
    EXPECT_EQ(token.rect, CRect(at.x - 4, at.y - 4, at.x + 4, at.y + 4));
}

TEST_F(DocFixture, ConflictIsRefusedWithABeep) {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    CPNCondition* b3 = net.Condition("b3");
    CPNEvent* e1 = net.Event("e1", {b1}, {b2});
    CPNEvent* e2 = net.Event("e2", {b1}, {b3});
    Enter();
    doc.Selection().Select(e1, false);
    doc.Selection().Select(e2, true);
    EXPECT_FALSE(doc.Simulation().CheckStep(true));
    EXPECT_EQ(Pane(PANE_SIMULATION),
              Lines{"Error: cannot execute step { e1, e2 }, conflict in conditions b1 "});
    EXPECT_EQ(sink.beeps, 1);
    EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(doc.Simulation().InitialCase()));
    sink.Reset();
    EXPECT_FALSE(doc.Simulation().CheckStep(false));
    EXPECT_TRUE(sink.all.empty());
}

TEST_F(OneEvent, ResetAndSetCase) {
    Enter();
    doc.Selection().Select(e1, false);
    Step(doc);
    doc.Simulation().Reset();
    EXPECT_EQ(Pane(PANE_SIMULATION).back(), "System reset to initial case { b1 }");
    EXPECT_TRUE(b1->m_bToken && e1->m_bEnabled);
    // The record starts again with the one place of the initial case.
    EXPECT_EQ(doc.OccurrenceNet().m_listElements.size(), 1u);

    doc.Selection().Select(e1, false);
    CSetConditions target;
    target.Add(b2);
    doc.Simulation().SetCase(target);
    EXPECT_EQ(Pane(PANE_SIMULATION).back(), "System set to case { b2 }");
    // The event selected before has no concession now: refused.
    EXPECT_FALSE(doc.Simulation().CheckStep(true));
    EXPECT_EQ(sink.beeps, 1);
    doc.Simulation().RefreshCase();
    EXPECT_TRUE(b2->m_bToken && !e1->m_bEnabled);
}

TEST_F(OneEvent, PhasesAfterLeavingChangeNothing) {
    Enter();
    doc.Selection().Select(e1, false);
    doc.Simulation().PrepareAnimation(false);
    doc.Simulation().ExecuteStepPhase(0);
    doc.Simulation().Leave();
    doc.Simulation().ExecuteStepPhase(1);
    doc.Simulation().ExecuteStepPhase(2);
    EXPECT_TRUE(doc.Simulation().CurrentCase().IsEqual(doc.Simulation().InitialCase()));
    EXPECT_TRUE(b1->m_bToken && !b1->m_bMarked);
    EXPECT_TRUE(Pane(PANE_SIMULATION).empty());
    EXPECT_EQ(Step(doc), CAutomaticRun::STEP_SIMULATION_LEFT);
}

TEST_F(Cycle, RunStartedInABreakpointCaseFiresFirst) {
    Enter();
    doc.Simulation().EditBreakpoints();
    doc.Simulation().SetBreakpoints({0}); // the initial case { b1 }
    CAutomaticRun run;
    run.Run(doc, [&] { return Step(doc); });
    EXPECT_EQ(Pane(PANE_SIMULATION),
              (Lines{"Starting automatic simulation...", "Executed step { e1 }, new case is { b2 }",
                     "Executed step { e2 }, new case is { b1 }", "Breakpoint reached",
                     "Automatic simulation stopped"}));
}

TEST_F(Cycle, LeavingDuringTheRunAndQuitting) {
    Enter();
    CAutomaticRun run;
    run.Run(doc, [&] {
        doc.Simulation().Leave();
        return CAutomaticRun::STEP_SIMULATION_LEFT;
    });
    EXPECT_EQ(Pane(PANE_SIMULATION).back(), "Automatic simulation stopped");
    EXPECT_FALSE(run.IsRunning());

    doc.Simulation().Enter();
    sink.Reset();
    run.Run(doc, [] { return CAutomaticRun::STEP_QUITTING; });
    EXPECT_EQ(Pane(PANE_SIMULATION), Lines{"Starting automatic simulation..."});
}

TEST_F(DocFixture, CancelledCaseGraphLeavesTheNetUntested) {
    BuildIndependentComponents(NetOf(doc), 7);
    sink.Reset();
    frame.cancelProgress = true;
    doc.Simulation().Enter();
    EXPECT_GE(frame.progressCalls, 1);
    EXPECT_EQ(Pane(PANE_STANDARD),
              (Lines{"--------------------Document: Untitled--------------------",
                     "Net elements: 14 conditions, 14 events, 28 edges", "Computing case graph...",
                     "Case graph computation cancelled"}));
    EXPECT_FALSE(doc.Simulation().IsActive() || doc.Record().caseGraphValid);
    EXPECT_TRUE(GraphOf(doc).Cases().empty());
    EXPECT_EQ(frame.waitDepth, 0);
    // Going on this time completes the test.
    frame.cancelProgress = false;
    sink.Reset();
    doc.Simulation().Enter();
    EXPECT_TRUE(doc.Simulation().IsActive());
    EXPECT_EQ(GraphOf(doc).Cases().size(), 128);
    // A graph too small to be asked about on the way is asked once at its end, so that
    // a Cancel at the last moment still counts.
    doc.Simulation().Leave();
    doc.NewDocument();
    BuildIndependentComponents(NetOf(doc), 1);
    frame.cancelProgress = true;
    doc.Simulation().Enter();
    EXPECT_FALSE(doc.Simulation().IsActive() || doc.Record().caseGraphValid);
}

// A long run fills the occurrence net up to what a file may hold, says so once and
// records no more: the document saved after 20,000 steps loads again.
TEST_F(Cycle, ALongRunStopsRecordingWhereAFileWouldNoLongerLoad) {
    Enter();
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(doc.Simulation().ChooseAutomaticStep(0));
        Step(doc);
    }
    const COccurrenceNet& record = doc.OccurrenceNet();
    EXPECT_EQ(record.m_nOccurrences, COccurrenceNet::kMaxOccurrences);
    EXPECT_EQ(std::count(Pane(PANE_SIMULATION).begin(), Pane(PANE_SIMULATION).end(),
                         "Occurrence net is full, later steps are not recorded"),
              1);
    OccurrenceOf(doc).Layout(dc);
    RecordingFrame otherFrame;
    CZerinDoc other(otherFrame);
    ASSERT_TRUE(CDocumentFile::LoadBytes(other, CDocumentFile::Store(doc)).ok);
    EXPECT_EQ(other.OccurrenceNet().m_nOccurrences, COccurrenceNet::kMaxOccurrences);
}

// A run saved before its occurrence net was ever shown is laid out when it is shown after
// opening, from where the layout stopped; one saved laid out keeps its drawing.
TEST_F(Cycle, ARunSavedBeforeItWasShownIsLaidOutAfterOpening) {
    Enter();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(doc.Simulation().ChooseAutomaticStep(0));
        Step(doc);
    }
    for (const bool shownBefore : {false, true}) {
        SCOPED_TRACE(shownBefore);
        if (shownBefore)
            OccurrenceOf(doc).Layout(dc);
        RecordingFrame otherFrame;
        CZerinDoc other(otherFrame);
        ASSERT_TRUE(CDocumentFile::LoadBytes(other, CDocumentFile::Store(doc)).ok);
        OccurrenceOf(other).Layout(dc);
        std::set<std::pair<int, int>> places;
        auto mine = doc.OccurrenceNet().m_listElements.begin();
        for (const CPNElement* e : other.OccurrenceNet().m_listElements) {
            const CPNElement* before = *mine++;
            if (auto* place = dynamic_cast<const CPNPlace*>(e)) {
                EXPECT_FALSE(place->m_label.m_strText.empty());
                places.insert({e->m_ptPos.x, e->m_ptPos.y});
            }
            if (shownBefore) {
                EXPECT_EQ(e->m_ptPos, before->m_ptPos);
            }
        }
        EXPECT_GT(places.size(), 2u);
    }
}
