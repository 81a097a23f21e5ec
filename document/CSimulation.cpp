#include "document/CSimulation.h"

#include "base/CDC.h"
#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "casegraph/CCaseGraph.h"
#include "casegraph/CStoredEngine.h"
#include "document/CDocumentRecord.h"
#include "document/CEditHistory.h"
#include "document/CFrameServices.h"
#include "document/CSelection.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "engines/CCaseEngineChoice.h"
#include "engines/CStepChoice.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "occurrence/COccurrenceNet.h"
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

CSimulation::CSimulation(const Parts& parts)
    : m_parts(parts), m_penToken(PS_SOLID, 1, RGB(0, 0, 255)), m_brushToken(RGB(0, 0, 255)) {}

CSimulation::~CSimulation() = default;

void CSimulation::Enter() {
    if (m_bActive)
        return;
    CDocumentRecord& record = m_parts.record;
    // What the edits left is the base; the simulation is no edit.
    m_parts.history.Checkpoint();
    CFrameServices& frame = m_parts.frame;
    frame.BeginWaitCursor();
    frame.ShowOutputBar();
    frame.ShowPropertiesPage(PAGE_HIDE, nullptr);
    WriteOutput(PANE_STANDARD,
                "--------------------Document: " + m_parts.doc.GetTitle() + "--------------------");
    m_parts.selection.Clear();

    // A graph not computed (its steps were on demand when saved) is computed again.
    const bool fullTest = record.netModified || !record.caseGraphValid;
    if (fullTest) {
        // The graph about to be emptied no longer stands for the net.
        ForgetCaseClass(false);
        record.caseGraphValid = false;
        record.caseGraphLaidOut = false;
        m_bActive = TestNet();
        if (m_bActive) {
            record.netModified = false;
            record.caseGraphLaidOut = false;
            record.caseGraphValid = true;
            record.contactFree = Engine()->IsContactFree();
            WriteOutput(PANE_STANDARD, record.contactFree ? "System is contact-free"
                                                          : "System is not contact-free");
        }
    } else {
        if (record.rebuildInitialCase) {
            record.rebuildInitialCase = false;
            BuildInitialCase();
        }
        m_parts.net.ComputeTokenPaths();
        m_bActive = true;
        WriteOutput(PANE_STANDARD, "Entering simulation...");
    }

    if (m_bActive) {
        frame.ShowPropertiesPage(PAGE_SIMULATION, nullptr);
        record.gridSaved = record.grid;
        record.grid = false;
        ShowCurrentCase();
        m_parts.net.UpdateEnabled(m_caseCurrent);
        if (fullTest) {
            m_parts.occurrenceNet.Reset();
            if (record.caseGraphValid) {
                m_parts.occurrenceNet.NumberElements(m_parts.net.m_listElements);
                m_parts.occurrenceNet.Start(m_caseInitial);
            }
            m_breakPoints.m_bNeedsRefill = true;
        }
        m_bRestartOccurrenceNet = !fullTest;
    } else {
        m_parts.net.ClearSimulationFlags();
    }
    frame.UpdateAllViews();
    frame.EndWaitCursor();
}

bool CSimulation::TestNet() {
    BuildInitialCase();
    WriteOutput(PANE_STANDARD, "Computing case graph...");
    CFrameServices& frame = m_parts.frame;
    frame.BeginCaseGraphProgress();
    std::string onDemand;
    ECaseGraphResult result = ComputeForTest(
        [&frame](int cases, int arcs) { return frame.CaseGraphProgress(cases, arcs); }, onDemand);
    // A Cancel that came while the last arcs were made is honoured too.
    if (result == ECaseGraphResult::Completed &&
        !frame.CaseGraphProgress(static_cast<int>(m_parts.caseGraph.CaseCount()),
                                 static_cast<int>(m_parts.caseGraph.StepCount())))
        result = ECaseGraphResult::Cancelled;
    frame.EndCaseGraphProgress();
    if (result == ECaseGraphResult::NotEnoughMemory) {
        ForgetCaseClass(false);
        WriteOutput(PANE_STANDARD, kCaseGraphTooLarge);
        frame.ShowError(kCaseGraphTooLarge);
        return false;
    }
    if (result == ECaseGraphResult::Cancelled) {
        // Without the whole graph the concession test has nothing to go on: the test
        // ends here and the net counts as untested.
        ForgetCaseClass(false);
        WriteOutput(PANE_STANDARD, "Case graph computation cancelled");
        return false;
    }
    CCaseEngine& engine = *Engine();
    WriteOutput(PANE_STANDARD,
                "Total " + engine.CountCases() + " case(s), " + engine.CountSteps() + " step(s)");
    if (!onDemand.empty())
        WriteOutput(PANE_STANDARD, onDemand);
    WriteOutput(PANE_STANDARD, "Initial case: " + m_caseInitial.ToString(false));
    bool cancelled = false;
    const int errors = CheckRequirements(cancelled);
    if (cancelled) {
        // The concession of the events is asked of the whole class: a long while on a
        // large one, and the user may cancel it as the computation.
        ForgetCaseClass(false);
        WriteOutput(PANE_STANDARD, "Case graph computation cancelled");
        return false;
    }
    if (errors == 0) {
        WriteOutput(PANE_STANDARD, "Net is C/E system");
    } else {
        WriteOutput(PANE_STANDARD, "Net is not C/E system");
        WriteOutput(PANE_STANDARD, "Aborting simulation");
    }
    WriteOutput(PANE_STANDARD,
                m_parts.doc.GetTitle() + " - " + FormatString("%d error(s)", errors));
    return errors == 0;
}

int CSimulation::CheckRequirements(bool& cancelled) {
    WriteOutput(PANE_STANDARD, "Testing net for C/E system requirements...");
    CNetVerification verification(m_parts.net);
    int errors = verification.CheckNaming();
    errors += verification.CheckIsolated();
    CCaseEngine& engine = *Engine();
    CFrameServices& frame = m_parts.frame;
    const int cases = engine.ListsCases() ? engine.CaseCount() : 0;
    errors += verification.CheckConcession([&](const CPNEvent& event) {
        // Asked before each event; once cancelled, the rest pass unasked.
        cancelled = cancelled || !frame.CaseGraphProgress(cases, 0);
        return cancelled || engine.HasConcessionInTheClass(event);
    });
    errors += verification.CheckIndistinguishable();
    errors += verification.CheckEmpty();
    return errors;
}

CSimulation::Computed CSimulation::ComputeCaseClass(ECaseEngine engine, ECaseNeeds needs,
                                                    const CaseGraphProgress& progress, bool draw) {
    ForgetCaseClass(false);
    const std::vector<CPNEvent*> events = m_parts.net.GetEvents();
    CFrameServices& frame = m_parts.frame;
    CCaseEngineHost host;
    host.progress = progress;
    host.memoryLeft = [&frame] { return frame.CaseGraphMemoryBudget(); };
    host.stoppedForMemory = [&frame] { return frame.TakeOutOfMemory(); };
    // What is not drawn may be held by whichever engine holds it first.
    if (!draw)
        host.raceSeconds = CCaseEngineHost::kRaceSeconds;
    CCaseEngineChoice choice = CCaseEngineChoice::Make(engine, needs, events, m_caseInitial, host);
    Computed computed;
    computed.result = choice.m_eResult;
    computed.casesDidNotFit = choice.m_bCasesDidNotFit;
    computed.choiceLine = choice.ChoiceLine();
    if (choice.m_eResult != ECaseGraphResult::Completed)
        return computed;
    computed.paneLine = choice.PaneLine();
    // The one place that tells the engines apart: the stored graph is the drawn graph.
    if (choice.StoresGraph()) {
        computed.result = m_parts.caseGraph.ComputeCaseGraph(m_caseInitial, m_parts.net, progress);
        if (computed.result != ECaseGraphResult::Completed)
            return computed;
        m_pEngine = std::make_unique<CStoredEngine>(m_parts.caseGraph);
    } else {
        m_pEngine = choice.TakeEngine();
        if (draw && !m_parts.caseGraph.TakeCases(*m_pEngine, events, progress)) {
            m_pEngine.reset();
            computed.result = ECaseGraphResult::Cancelled;
            return computed;
        }
    }
    if (m_parts.caseGraph.CaseCount() > 0) {
        if (!m_pEngine->PrepareForwardAdjacency(progress)) {
            ForgetCaseClass(false);
            computed.result = ECaseGraphResult::Cancelled;
            return computed;
        }
        m_parts.caseGraph.MarkInitialCase(m_caseInitial, m_pEngine->ForwardAdjacency());
    }
    return computed;
}

ECaseGraphResult CSimulation::ComputeForTest(const CaseGraphProgress& progress,
                                             std::string& onDemand) {
    const Computed computed =
        ComputeCaseClass(m_eEngineChoice, ECaseNeeds::Anything, progress, true);
    onDemand = computed.paneLine;
    return computed.result;
}

CCaseEngine* CSimulation::Engine() const {
    if (!m_pEngine && m_parts.caseGraph.HasAllSteps() && m_parts.caseGraph.CaseCount() > 0)
        m_pEngine = std::make_unique<CStoredEngine>(m_parts.caseGraph);
    return m_pEngine.get();
}

void CSimulation::ForgetCaseClass(bool discardPositions) {
    m_pEngine.reset();
    m_parts.caseGraph.DeleteContents(discardPositions);
}

void CSimulation::AdoptCaseGraph(bool passed) {
    CDocumentRecord& record = m_parts.record;
    record.netModified = !passed;
    record.caseGraphValid = passed;
    record.contactFree = passed && Engine() && Engine()->IsContactFree();
    record.caseGraphLaidOut = false;
}

void CSimulation::BuildInitialCase() {
    m_caseInitial = m_parts.net.BuildStructure();
    m_caseCurrent = m_caseInitial;
}

bool CSimulation::CanSetBreakpoints() const {
    return m_bActive && (!m_pEngine || m_pEngine->ListsCases());
}

void CSimulation::Leave() {
    // Outside simulation mode the saved grid holds nothing worth restoring.
    if (!m_bActive) {
        m_parts.history.Rebase();
        return;
    }
    m_parts.caseGraph.MarkCurrentCase(CSetConditions(), false);
    m_parts.record.grid = m_parts.record.gridSaved;
    m_caseCurrent = m_caseInitial;
    m_parts.net.SetTokens(m_caseCurrent);
    m_parts.net.ClearSimulationFlags();
    m_bActive = false;
    m_bAnimating = false;
    m_listAnimEdges.clear();
    m_parts.selection.Clear();
    m_parts.frame.ShowPropertiesPage(PAGE_HIDE, nullptr);
    m_parts.frame.UpdateAllViews();
    m_parts.history.Rebase();
}

void CSimulation::Reset() {
    WriteOutput(PANE_SIMULATION, "System reset to initial case " + m_caseInitial.ToString(false));
    m_caseCurrent = m_caseInitial;
    m_parts.net.UpdateEnabled(m_caseCurrent);
    m_parts.net.SetTokens(m_caseCurrent);
    m_parts.occurrenceNet.Reset();
    if (m_parts.record.caseGraphValid)
        m_parts.occurrenceNet.Start(m_caseInitial);
}

void CSimulation::SetCase(const CSetConditions& c) {
    m_caseCurrent = c;
    m_parts.occurrenceNet.Reset();
    if (m_parts.record.caseGraphValid)
        m_parts.occurrenceNet.Start(m_caseCurrent);
    WriteOutput(PANE_SIMULATION, "System set to case " + c.ToString(false));
}

void CSimulation::ShowCurrentCase() {
    if (m_bActive)
        m_parts.caseGraph.MarkCurrentCase(m_caseCurrent, true);
}

void CSimulation::RefreshCase() {
    m_parts.net.SetTokens(m_caseCurrent);
    m_parts.net.UpdateEnabled(m_caseCurrent);
}

std::string CSimulation::StepText() const {
    std::string text = "{";
    bool first = true;
    for (const CPNElement* e : m_parts.selection) {
        auto* event = dynamic_cast<const CPNEvent*>(e);
        if (!event || !event->m_pLabel)
            continue;
        if (!first)
            text += ",";
        text += " " + event->m_pLabel->m_strText;
        first = false;
    }
    if (!first)
        text += " ";
    return text + "}";
}

bool CSimulation::CheckStep(bool report) {
    const std::vector<CPNEvent*> events = EventsOf(m_parts.selection.Elements());
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
        if (!m_caseCurrent.HasConcession(event->m_setPreConditions, event->m_setPostConditions,
                                         true)) {
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

void CSimulation::ExecuteStepPhase(int phase) {
    // A phase after the simulation was left would move the tokens of the initial case.
    if (!m_bActive || phase < 0 || phase > 2)
        return;
    if (phase == 0 && m_bRestartOccurrenceNet) {
        m_bRestartOccurrenceNet = false;
        m_parts.occurrenceNet.Reset();
        if (m_parts.record.caseGraphValid) {
            m_parts.occurrenceNet.NumberElements(m_parts.net.m_listElements);
            m_parts.occurrenceNet.Start(m_caseCurrent);
        }
    }
    for (CPNEvent* e : EventsOf(m_parts.selection.Elements())) {
        switch (phase) {
        case 0:
            e->m_bSelected = false;
            e->m_bHighlight = true;
            m_caseCurrent.Subtract(e->m_setPreConditions);
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
            m_caseCurrent.Union(e->m_setPostConditions);
            for (CPNCondition* c : e->m_setPostConditions)
                c->m_bMarked = false;
            break;
        }
    }
    m_parts.net.UpdateEnabled(m_caseCurrent);
    m_parts.net.SetTokens(m_caseCurrent);
    if (phase == 2) {
        WriteOutput(PANE_SIMULATION, "Executed step " + StepText() + ", new case is " +
                                         m_caseCurrent.ToString(false));
        if (m_parts.record.contactFree) {
            m_parts.occurrenceNet.RecordStep(m_parts.selection.Elements(), m_caseCurrent);
            m_parts.doc.SetModifiedFlag();
        }
    }
}

void CSimulation::PrepareAnimation(bool post) {
    m_listAnimEdges.clear();
    for (CPNEvent* e : EventsOf(m_parts.selection.Elements())) {
        const CSetConditions& conditions = post ? e->m_setPostConditions : e->m_setPreConditions;
        for (CPNCondition* c : conditions) {
            for (CPNElement* element : m_parts.net.m_listElements) {
                auto* edge = dynamic_cast<CPNEdge*>(element);
                if (edge && (post ? edge->IsBetween(e, c) : edge->IsBetween(c, e)))
                    m_listAnimEdges.push_back(edge);
            }
        }
    }
    m_nAnimFrame = -1;
    m_bAnimating = true;
}

bool CSimulation::NextFrame() {
    m_nAnimFrame += 1;
    m_bAnimating = m_nAnimFrame < CPNEdge::kTokenPathPoints;
    return m_bAnimating;
}

void CSimulation::DrawTokens(CDC& dc) const {
    // Frame -1 is the moment between preparing a phase and its first frame: no token
    // has a place on its path yet.
    if (!m_bActive || !m_bAnimating || m_nAnimFrame < 0 ||
        m_nAnimFrame >= CPNEdge::kTokenPathPoints)
        return;
    const CPen* oldPen = dc.SelectObject(&m_penToken);
    const CBrush* oldBrush = dc.SelectObject(&m_brushToken);
    for (const CPNEdge* edge : m_listAnimEdges) {
        const CPoint pt = edge->GetTokenPathPoint(m_nAnimFrame);
        dc.Ellipse(pt.x - 4, pt.y - 4, pt.x + 4, pt.y + 4);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

bool CSimulation::ChooseAutomaticStep(int mode) {
    const CSetEvents step =
        CStepChoice::Choose(m_parts.net.GetEvents(), m_caseCurrent, mode == 1, m_parts.random);
    std::list<CPNElement*> events;
    for (CPNEvent* e : step)
        events.push_back(e);
    m_parts.selection.SetStep(events);
    return !events.empty();
}

const CBreakPoints& CSimulation::RefillBreakPoints() {
    m_breakPoints.Refill(m_parts.caseGraph);
    return m_breakPoints;
}

void CSimulation::SetBreakpoints(const std::vector<std::uint32_t>& indices) {
    m_breakPoints.SetBreakpoints(indices);
}

bool CSimulation::CheckBreakpoint() {
    if (!m_breakPoints.IsBreakpoint(m_caseCurrent))
        return false;
    WriteOutput(PANE_SIMULATION, "Breakpoint reached");
    return true;
}

void CSimulation::EditBreakpoints() {
    if (!CanSetBreakpoints())
        return;
    m_breakPoints.Refill(m_parts.caseGraph);
    m_parts.frame.ShowBreakPointsDialog(m_breakPoints);
}

void CSimulation::Clear() {
    m_listAnimEdges.clear();
    m_caseCurrent.RemoveAll();
    m_caseInitial.RemoveAll();
    m_breakPoints.Clear();
    m_bActive = m_bAnimating = false;
    m_nAnimFrame = 0;
    m_bRestartOccurrenceNet = false;
    m_pEngine.reset();
}

void CSimulation::Loaded() {
    m_bRestartOccurrenceNet = true;
}
