#include "document/CAutomaticRun.h"

#include "base/OutputWriter.h"
#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"

void CAutomaticRun::Run(CZerinDoc& doc, const std::function<int()>& animateStep, int chooseMode) {
    if (m_bAutoRun || !doc.m_bSimulation)
        return;
    CFrameServices& frame = doc.GetFrame();
    doc.ClearSelection();
    WriteOutput(PANE_SIMULATION, "Starting automatic simulation...");
    m_bAutoRun = true;
    frame.EnableSimulationButtons(false, false, true, false);

    bool found = true;
    while (m_bAutoRun && found) {
        found = doc.ChooseAutomaticStep(chooseMode == CHOOSE_LARGEST ? 0 : 1);
        if (found) {
            const int result = animateStep ? animateStep() : STEP_SIMULATION_LEFT;
            if (result == STEP_QUITTING)
                return;
            if (result == STEP_SIMULATION_LEFT)
                m_bAutoRun = false;
        }
        // After leaving, the current case is the initial one again: no breakpoint
        // was reached by the run.
        if (!doc.m_bSimulation)
            break;
        if (doc.CheckBreakpoint())
            break;
    }
    WriteOutput(PANE_SIMULATION, found ? "Automatic simulation stopped"
                                       : "Automatic simulation stopped, no executable event found");
    m_bAutoRun = false;
    frame.EnableSimulationButtons(true, true, false, true);
}

int CAutomaticRun::ExecuteStepWithoutAnimation(CZerinDoc& doc) {
    if (!doc.m_bSimulation)
        return STEP_SIMULATION_LEFT;
    doc.m_bAnimating = true;
    doc.PrepareAnimation(false);
    doc.ExecuteStepPhase(0);
    while (doc.NextFrame()) {
    }
    doc.ExecuteStepPhase(1);
    doc.PrepareAnimation(true);
    while (doc.NextFrame()) {
    }
    doc.ExecuteStepPhase(2);
    doc.ClearSelection();
    doc.m_bAnimating = false;
    return STEP_FINISHED;
}
