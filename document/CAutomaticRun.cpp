#include "document/CAutomaticRun.h"

#include "base/OutputWriter.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "model/CPNEvent.h"

bool CAutomaticRun::Loop(CZerinDoc& doc, const std::function<int()>& animateStep,
                         const std::function<bool()>& choose, bool stopAtBreakpoints, bool& found) {
    CFrameServices& frame = doc.GetFrame();
    doc.Selection().Clear();
    m_bAutoRun = true;
    frame.EnableSimulationButtons(false, false, true, false);
    found = true;
    while (m_bAutoRun && found) {
        found = choose();
        if (found) {
            const int result = animateStep ? animateStep() : STEP_SIMULATION_LEFT;
            if (result == STEP_QUITTING)
                return false;
            if (result == STEP_SIMULATION_LEFT)
                m_bAutoRun = false;
        }
        // After leaving, the current case is the initial one again: no breakpoint
        // was reached by the run.
        if (!doc.Simulation().IsActive())
            break;
        if (stopAtBreakpoints && doc.Simulation().CheckBreakpoint())
            break;
    }
    return true;
}

void CAutomaticRun::Run(CZerinDoc& doc, const std::function<int()>& animateStep, int chooseMode) {
    if (m_bAutoRun || !doc.Simulation().IsActive())
        return;
    WriteOutput(PANE_SIMULATION, "Starting automatic simulation...");
    bool found = true;
    const auto choose = [&doc, chooseMode] {
        return doc.Simulation().ChooseAutomaticStep(chooseMode == CHOOSE_LARGEST ? 0 : 1);
    };
    if (!Loop(doc, animateStep, choose, true, found))
        return;
    WriteOutput(PANE_SIMULATION, found ? "Automatic simulation stopped"
                                       : "Automatic simulation stopped, no executable event found");
    m_bAutoRun = false;
    doc.GetFrame().EnableSimulationButtons(true, true, false, true);
}

void CAutomaticRun::Replay(CZerinDoc& doc, const std::vector<CSetEvents>& steps,
                           const std::function<int()>& animateStep) {
    if (m_bAutoRun || !doc.Simulation().IsActive())
        return;
    WriteOutput(PANE_SIMULATION, "Replaying the path...");
    std::size_t next = 0;
    bool refused = false;
    const auto choose = [&] {
        if (next == steps.size())
            return false;
        doc.Selection().Clear();
        for (CPNEvent* e : steps[next++])
            doc.Selection().Append(e);
        // A step the current case gives no concession is not fired.
        refused = !doc.Simulation().CheckStep(false);
        if (refused)
            doc.Selection().Clear();
        return !refused;
    };
    bool found = true;
    if (!Loop(doc, animateStep, choose, false, found))
        return;
    WriteOutput(PANE_SIMULATION, refused ? "Replay stopped, a step of the path has no concession"
                                 : next == steps.size() && !found ? "Replay of the path ended"
                                                                  : "Replay stopped");
    m_bAutoRun = false;
    doc.GetFrame().EnableSimulationButtons(true, true, false, true);
}

int CAutomaticRun::ExecuteStepWithoutAnimation(CZerinDoc& doc) {
    if (!doc.Simulation().IsActive())
        return STEP_SIMULATION_LEFT;
    doc.Simulation().SetAnimating(true);
    doc.Simulation().PrepareAnimation(false);
    doc.Simulation().ExecuteStepPhase(0);
    while (doc.Simulation().NextFrame()) {
    }
    doc.Simulation().ExecuteStepPhase(1);
    doc.Simulation().PrepareAnimation(true);
    while (doc.Simulation().NextFrame()) {
    }
    doc.Simulation().ExecuteStepPhase(2);
    doc.Selection().Clear();
    doc.Simulation().SetAnimating(false);
    return STEP_FINISHED;
}
