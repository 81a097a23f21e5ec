#pragma once

#include "model/CPropertiesHost.h"

#include <string>
#include <vector>

class CBreakPoints;
class CCaseEngine;
class CDC;
class CPNCondition;
class CSetConditions;

// What the case class verification dialog is handed: the net's conditions in the net
// design's list order, and the engine that holds the class, which it asks for the cases
// and the way to them (not owned).
struct CCaseClassInput {
    std::vector<CPNCondition*> conditions;
    CCaseEngine* engine = nullptr;
};

// What the document asks of the window around it: the main frame, its bars and views
// in the program, a recorder in tests, the command line's plain replies in zerin-cli.
// Every call has a harmless default so that a host implements only what it shows.
class CFrameServices : public CPropertiesHost {
public:
    ~CFrameServices() override = default;

    // Every view of the document repaints.
    virtual void UpdateAllViews() {}
    // The document's contents were replaced (an undo or redo): the views start again
    // from it, the properties page is hidden.
    virtual void DocumentReplaced() { UpdateAllViews(); }
    // The modified flag or the title changed (the window title follows).
    virtual void DocumentStateChanged() {}
    // The properties bar shows the page of the kind (PAGE_HIDE hides it).
    void ShowPropertiesPage(int, CPNElement*) override {}
    // The output bar is shown with panes 0, 1 and 2 emptied and pane 0 in front.
    virtual void ShowOutputBar() {}
    // The output bar is emptied (a new or opened document).
    virtual void ClearOutputBar() {}
    // The main frame switches back to the net design view.
    virtual void SwitchToNetDesignView() {}
    // The simulation bar's buttons, in the order reset, start, stop, step.
    virtual void EnableSimulationButtons(bool /*reset*/, bool /*start*/, bool /*stop*/,
                                         bool /*step*/) {}
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // Told how far a case graph computation has come; false cancels it. Called between
    // BeginCaseGraphProgress and EndCaseGraphProgress.
    virtual void BeginCaseGraphProgress() {}
    virtual bool CaseGraphProgress(int /*cases*/, int /*arcs*/) { return true; }
    virtual void EndCaseGraphProgress() {}
    // The last progress stopped the computation for want of memory (not a Cancel):
    // true once, and the refusal is not shown, for another engine may try.
    virtual bool TakeOutOfMemory() { return false; }
    // The memory a case graph may take, in bytes: past it the simulation keeps the cases
    // without their steps. Zero where nothing is estimated (the graph is always stored).
    virtual long long CaseGraphMemoryBudget() { return 0; }

    // A failure the user must see.
    virtual void ShowError(const std::string& /*message*/) {}

    // A context that measures text as the views draw it, to name what no view has named
    // yet; null where nothing is measured.
    virtual CDC* GetMeasureDC() { return nullptr; }

    // The breakpoint dialog, modal, over the document's breakpoint data.
    virtual void ShowBreakPointsDialog(CBreakPoints& /*breakPoints*/) {}
    // The case class verification dialog, modal.
    virtual void ShowCaseClassDialog(const CCaseClassInput& /*input*/) {}
};
