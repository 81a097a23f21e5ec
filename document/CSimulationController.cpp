#include "document/CSimulationController.h"

#include "engines/CCaseEngineChoice.h"
#include "engines/CCasesEngine.h"
#include "casegraph/CPNCase.h"
#include "engines/CSymbolicEngine.h"
#include "engines/ECaseGraphResult.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "simulation/CNetVerification.h"

#include <vector>

namespace {

std::vector<CPNEvent*> EventsOf(const std::list<CPNElement*>& selection) {
    std::vector<CPNEvent*> events;
    for (CPNElement* e : selection)
        if (auto* event = dynamic_cast<CPNEvent*>(e))
            events.push_back(event);
    return events;
}

} // namespace

void CSimulationController::EnterSimulation() {
    CZerinDoc& d = m_doc;
    if (d.m_bSimulation)
        return;
    CFrameServices& frame = d.GetFrame();
    frame.BeginWaitCursor();
    frame.ShowOutputBar();
    frame.ShowPropertiesPage(PAGE_HIDE, nullptr);
    WriteOutput(PANE_STANDARD,
                "--------------------Document: " + d.GetTitle() + "--------------------");
    d.ClearSelection();

    // A graph not computed (its steps were on demand when saved) is computed again.
    const bool fullTest = d.m_bNetModified || !d.m_bCaseGraphValid;
    if (fullTest) {
        // The graph about to be emptied no longer stands for the net.
        d.m_caseGraph.DeleteContents(false);
        d.m_bCaseGraphValid = false;
        d.m_bCaseGraphLaidOut = false;
        d.m_bSimulation = TestNet();
        if (d.m_bSimulation) {
            d.m_bNetModified = false;
            d.m_bCaseGraphLaidOut = false;
            d.m_bCaseGraphValid = true;
            d.m_bContactFree = d.m_caseGraph.IsContactFree();
            WriteOutput(PANE_STANDARD,
                        d.m_bContactFree ? "System is contact-free" : "System is not contact-free");
        }
    } else {
        if (d.m_bRebuildInitialCase) {
            d.m_bRebuildInitialCase = false;
            d.m_caseInitial = d.m_netDesign.BuildStructure();
            d.m_caseCurrent = d.m_caseInitial;
        }
        d.m_netDesign.ComputeTokenPaths();
        d.m_bSimulation = true;
        WriteOutput(PANE_STANDARD, "Entering simulation...");
    }

    if (d.m_bSimulation) {
        frame.ShowPropertiesPage(PAGE_SIMULATION, nullptr);
        d.m_bGridSaved = d.m_bGrid;
        d.m_bGrid = false;
        ShowCurrentCase();
        d.m_netDesign.UpdateEnabled(d.m_caseCurrent);
        if (fullTest) {
            d.m_occurrenceNet.Reset();
            if (d.m_bCaseGraphValid) {
                d.m_occurrenceNet.NumberElements(d.m_netDesign.m_listElements);
                d.m_occurrenceNet.Start(d.m_caseInitial);
            }
            d.m_breakPoints.m_bNeedsRefill = true;
        }
        d.m_bRestartOccurrenceNet = !fullTest;
    } else {
        d.m_netDesign.ClearSimulationFlags();
    }
    frame.UpdateAllViews();
    frame.EndWaitCursor();
}

bool CSimulationController::TestNet() {
    CZerinDoc& d = m_doc;
    d.m_caseInitial = d.m_netDesign.BuildStructure();
    d.m_caseCurrent = d.m_caseInitial;

    WriteOutput(PANE_STANDARD, "Computing case graph...");
    CFrameServices& frame = d.GetFrame();
    frame.BeginCaseGraphProgress();
    std::string onDemand;
    ECaseGraphResult result = ComputeCaseClass(
        [&frame](int cases, int arcs) { return frame.CaseGraphProgress(cases, arcs); }, onDemand);
    // A Cancel that came while the last arcs were made is honoured too.
    if (result == ECaseGraphResult::Completed &&
        !frame.CaseGraphProgress(d.m_caseGraph.m_nCases, d.m_caseGraph.m_nSteps))
        result = ECaseGraphResult::Cancelled;
    frame.EndCaseGraphProgress();
    if (result == ECaseGraphResult::NotEnoughMemory) {
        d.m_caseGraph.DeleteContents(false);
        WriteOutput(PANE_STANDARD, kCaseGraphTooLarge);
        frame.ShowError(kCaseGraphTooLarge);
        return false;
    }
    if (result == ECaseGraphResult::Cancelled) {
        // Without the whole graph the concession test has nothing to go on: the test
        // ends here and the net counts as untested.
        d.m_caseGraph.DeleteContents(false);
        WriteOutput(PANE_STANDARD, "Case graph computation cancelled");
        return false;
    }
    d.m_caseGraph.MarkInitialCase(d.m_caseInitial);
    WriteOutput(PANE_STANDARD, "Total " + d.m_caseGraph.GetCaseCountText() + " case(s), " +
                                   d.m_caseGraph.GetStepCountText() + " step(s)");
    if (!onDemand.empty())
        WriteOutput(PANE_STANDARD, onDemand);
    WriteOutput(PANE_STANDARD, "Initial case: " + d.m_caseInitial.ToString(false));

    WriteOutput(PANE_STANDARD, "Testing net for C/E system requirements...");
    CNetVerification verification(d.m_netDesign);
    int errors = verification.CheckNaming();
    errors += verification.CheckIsolated();
    if (CSymbolicEngine* symbolic = d.m_caseGraph.GetSymbolic())
        errors += verification.CheckConcession(
            [symbolic](const CPNEvent& event) { return symbolic->HasConcessionInTheClass(event); });
    else if (const CCasesEngine* cases = d.m_caseGraph.GetStepsOnDemand())
        errors += verification.CheckConcession(
            [cases](const CPNEvent& event) { return cases->HasConcessionInTheClass(event); });
    else
        errors += verification.CheckConcession(d.m_caseGraph.m_arrCases);
    errors += verification.CheckIndistinguishable();
    errors += verification.CheckEmpty();
    if (errors == 0) {
        WriteOutput(PANE_STANDARD, "Net is C/E system");
    } else {
        WriteOutput(PANE_STANDARD, "Net is not C/E system");
        WriteOutput(PANE_STANDARD, "Aborting simulation");
    }
    WriteOutput(PANE_STANDARD, d.GetTitle() + " - " + FormatString("%d error(s)", errors));
    return errors == 0;
}

ECaseGraphResult CSimulationController::ComputeCaseClass(const CaseGraphProgress& progress,
                                                         std::string& onDemand) {
    CZerinDoc& d = m_doc;
    const std::vector<CPNEvent*> events = d.m_netDesign.GetEvents();
    CFrameServices& frame = d.GetFrame();
    CCaseEngineHost host;
    host.progress = progress;
    host.memoryLeft = [&frame] { return frame.CaseGraphMemoryBudget(); };
    host.stoppedForMemory = [&frame] { return frame.TakeOutOfMemory(); };
    CCaseEngineChoice choice =
        CCaseEngineChoice::Make(d.m_eCaseEngine, true, events, d.m_caseInitial, host);
    if (choice.m_eResult != ECaseGraphResult::Completed)
        return choice.m_eResult;
    switch (choice.m_eEngine) {
    case ECaseEngine::Cases:
        d.m_caseGraph.TakeCasesWithoutSteps(std::move(choice.m_pCases));
        onDemand = "Steps are produced on demand: the stored case graph would take about " +
                   MemoryText(choice.m_nStoredBytes);
        return ECaseGraphResult::Completed;
    case ECaseEngine::Symbolic:
        d.m_caseGraph.TakeSymbolic(std::move(choice.m_pSymbolic), events);
        onDemand = "The cases are kept as decision diagrams: one by one they would not fit";
        return ECaseGraphResult::Completed;
    default:
        return d.m_caseGraph.ComputeCaseGraph(d.m_caseInitial, d.m_netDesign, progress);
    }
}

void CSimulationController::LeaveSimulation() {
    CZerinDoc& d = m_doc;
    // Outside simulation mode m_bGridSaved holds nothing worth restoring.
    if (!d.m_bSimulation)
        return;
    d.m_caseGraph.MarkCurrentCase(CSetConditions(), false);
    d.m_bGrid = d.m_bGridSaved;
    d.m_caseCurrent = d.m_caseInitial;
    d.m_netDesign.SetTokens(d.m_caseCurrent);
    d.m_netDesign.ClearSimulationFlags();
    d.m_bSimulation = false;
    d.m_bAnimating = false;
    d.m_listAnimEdges.clear();
    d.ClearSelection();
    d.GetFrame().ShowPropertiesPage(PAGE_HIDE, nullptr);
    d.GetFrame().UpdateAllViews();
}

void CSimulationController::ResetSystem() {
    CZerinDoc& d = m_doc;
    WriteOutput(PANE_SIMULATION, "System reset to initial case " + d.m_caseInitial.ToString(false));
    d.m_caseCurrent = d.m_caseInitial;
    d.m_netDesign.UpdateEnabled(d.m_caseCurrent);
    d.m_netDesign.SetTokens(d.m_caseCurrent);
    d.m_occurrenceNet.Reset();
    if (d.m_bCaseGraphValid)
        d.m_occurrenceNet.Start(d.m_caseInitial);
}

void CSimulationController::SetCase(const CSetConditions& c) {
    CZerinDoc& d = m_doc;
    d.m_caseCurrent = c;
    d.m_occurrenceNet.Reset();
    if (d.m_bCaseGraphValid)
        d.m_occurrenceNet.Start(d.m_caseCurrent);
    WriteOutput(PANE_SIMULATION, "System set to case " + c.ToString(false));
}

void CSimulationController::ShowCurrentCase() {
    if (m_doc.m_bSimulation)
        m_doc.m_caseGraph.MarkCurrentCase(m_doc.m_caseCurrent, true);
}

void CSimulationController::RefreshCase() {
    m_doc.m_netDesign.SetTokens(m_doc.m_caseCurrent);
    m_doc.m_netDesign.UpdateEnabled(m_doc.m_caseCurrent);
}

std::string CSimulationController::StepText() const {
    std::string text = "{";
    m_doc.AppendStepNames(text);
    return text + "}";
}

bool CSimulationController::CheckStep(bool report) {
    const std::vector<CPNEvent*> events = EventsOf(m_doc.m_listSelection);
    // Labels, conditions or edges alone make no step.
    if (events.empty())
        return false;
    CSetConditions conflict;
    for (std::size_t i = 0; i < events.size(); ++i) {
        for (std::size_t j = i + 1; j < events.size(); ++j) {
            conflict.Union(events[i]->m_setPreConditions.Intersect(events[j]->m_setPreConditions));
            conflict.Union(
                events[i]->m_setPostConditions.Intersect(events[j]->m_setPostConditions));
        }
    }
    if (!conflict.IsEmpty()) {
        if (report)
            WriteError(PANE_SIMULATION, "cannot execute step " + StepText() +
                                            ", conflict in conditions " + conflict.ToString(true));
        return false;
    }
    // A selection made before the case was set elsewhere (the case graph view) may
    // hold events without concession now; firing them would make a marking that is
    // no case of the system.
    bool anyBlocked = false;
    std::string names;
    for (const CPNEvent* event : events) {
        if (!m_doc.m_caseCurrent.HasConcession(event->m_setPreConditions,
                                               event->m_setPostConditions, true)) {
            anyBlocked = true;
            if (event->m_pLabel)
                names += event->m_pLabel->m_strText + " ";
        }
    }
    if (anyBlocked) {
        if (report)
            WriteError(PANE_SIMULATION,
                       "cannot execute step " + StepText() + ", no concession of events " + names);
        return false;
    }
    return true;
}

void CSimulationController::ExecuteStepPhase(int phase) {
    CZerinDoc& d = m_doc;
    // A phase after the simulation was left would move the tokens of the initial case.
    if (!d.m_bSimulation || phase < 0 || phase > 2)
        return;
    if (phase == 0 && d.m_bRestartOccurrenceNet) {
        d.m_bRestartOccurrenceNet = false;
        d.m_occurrenceNet.Reset();
        if (d.m_bCaseGraphValid) {
            d.m_occurrenceNet.NumberElements(d.m_netDesign.m_listElements);
            d.m_occurrenceNet.Start(d.m_caseCurrent);
        }
    }
    for (CPNEvent* e : EventsOf(d.m_listSelection)) {
        switch (phase) {
        case 0:
            e->m_bSelected = false;
            e->m_bHighlight = true;
            d.m_caseCurrent.Subtract(e->m_setPreConditions);
            for (CPNCondition* c : e->m_setPreConditions)
                c->m_bMarked = true;
            break;
        case 1:
            for (CPNCondition* c : e->m_setPreConditions)
                c->m_bMarked = false;
            for (CPNCondition* c : e->m_setPostConditions)
                c->m_bMarked = true;
            break;
        default:
            e->m_bHighlight = false;
            d.m_caseCurrent.Union(e->m_setPostConditions);
            for (CPNCondition* c : e->m_setPostConditions)
                c->m_bMarked = false;
            break;
        }
    }
    d.m_netDesign.UpdateEnabled(d.m_caseCurrent);
    d.m_netDesign.SetTokens(d.m_caseCurrent);
    if (phase == 2) {
        WriteOutput(PANE_SIMULATION, "Executed step " + StepText() + ", new case is " +
                                         d.m_caseCurrent.ToString(false));
        if (d.m_bContactFree) {
            d.m_occurrenceNet.RecordStep(d.m_listSelection, d.m_caseCurrent);
            d.SetModifiedFlag();
        }
    }
}

void CSimulationController::PrepareAnimation(bool post) {
    CZerinDoc& d = m_doc;
    d.m_listAnimEdges.clear();
    for (CPNEvent* e : EventsOf(d.m_listSelection)) {
        const CSetConditions& conditions = post ? e->m_setPostConditions : e->m_setPreConditions;
        for (CPNCondition* c : conditions) {
            for (CPNElement* element : d.m_netDesign.m_listElements) {
                auto* edge = dynamic_cast<CPNEdge*>(element);
                if (edge && (post ? edge->IsBetween(e, c) : edge->IsBetween(c, e)))
                    d.m_listAnimEdges.push_back(edge);
            }
        }
    }
    d.m_nAnimFrame = -1;
    d.m_bAnimating = true;
}

bool CSimulationController::NextFrame() {
    m_doc.m_nAnimFrame += 1;
    m_doc.m_bAnimating = m_doc.m_nAnimFrame < CPNEdge::kTokenPathPoints;
    return m_doc.m_bAnimating;
}

bool CSimulationController::ChooseAutomaticStep(int mode) {
    CZerinDoc& d = m_doc;
    const CSetEvents step = d.m_caseGraph.ChooseStep(d.m_caseCurrent, mode == 1);
    d.m_listSelection.clear();
    for (CPNEvent* e : step)
        d.m_listSelection.push_back(e);
    return !d.m_listSelection.empty();
}

bool CSimulationController::CheckBreakpoint() {
    if (!m_doc.m_breakPoints.IsBreakpoint(m_doc.m_caseCurrent))
        return false;
    WriteOutput(PANE_SIMULATION, "Breakpoint reached");
    return true;
}
