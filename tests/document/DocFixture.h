#pragma once

#include "document/CFrameServices.h"
#include "support/DocAccess.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEvent.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Remembers what the document asked of the window; answers the progress hook as the
// test sets them.
struct RecordingFrame : CFrameServices {
    void UpdateAllViews() override { ++updates; }
    void DocumentStateChanged() override { ++stateChanges; }
    void ShowPropertiesPage(int kind, CPNElement*) override { pages.push_back(kind); }
    void ShowOutputBar() override { ++outputBarShown; }
    void ClearOutputBar() override { ++outputBarCleared; }
    void SwitchToNetDesignView() override { ++switchedToNetDesign; }
    void EnableSimulationButtons(bool reset, bool start, bool stop, bool step) override {
        buttons.push_back({reset, start, stop, step});
    }
    void BeginWaitCursor() override { ++waitDepth; }
    void EndWaitCursor() override { --waitDepth; }
    bool CaseGraphProgress(int, int) override {
        ++progressCalls;
        return !cancelProgress;
    }
    void ShowError(const std::string& message) override { errors.push_back(message); }
    void ShowBreakPointsDialog(CBreakPoints&) override { ++breakpointDialogs; }
    void ShowCaseClassDialog(const CCaseClassInput& input) override { caseClassInput = input; }
    CDC* GetMeasureDC() override { return measure; }
    long long CaseGraphMemoryBudget() override { return memoryBudget; }

    int updates = 0, stateChanges = 0, outputBarShown = 0, outputBarCleared = 0;
    int switchedToNetDesign = 0, waitDepth = 0, progressCalls = 0, breakpointDialogs = 0;
    bool cancelProgress = false;
    long long memoryBudget = 0;
    std::vector<int> pages;
    std::vector<std::vector<bool>> buttons;
    std::vector<std::string> errors;
    CCaseClassInput caseClassInput;
    CDC* measure = nullptr;
};

struct DocFixture : ::testing::Test {
    RecordingOutputSink sink;
    RecordingFrame frame;
    CZerinDoc doc{frame};
    NetBuilder net{NetOf(doc)};
    RecordingDC dc;

    DocFixture() {
        doc.GetRandom().SetFixedSeed(7);
        doc.NewDocument();
    }
    const std::vector<std::string>& Pane(int pane) const { return sink.panes[pane]; }
    // Enters simulation and forgets the output of the test.
    void Enter() {
        doc.Simulation().Enter();
        ASSERT_TRUE(doc.Simulation().IsActive());
        sink.Reset();
    }
};

// b1 (marked) -> e1 -> b2.
struct OneEvent : DocFixture {
    CPNCondition* b1 = net.Condition("b1", true);
    CPNCondition* b2 = net.Condition("b2");
    CPNEvent* e1 = net.Event("e1", {b1}, {b2});
};
