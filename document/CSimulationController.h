#pragma once

#include "engines/ECaseGraphResult.h"

#include <string>

class CSetConditions;
class CZerinDoc;

// The token game of the document: entering and leaving simulation mode (with the test
// of the net and the case graph when the net changed), the three phases of a step,
// resets, case settings, automatic step choice and breakpoints. Keeps no state of its
// own: everything it works on is the document's.
class CSimulationController {
public:
    explicit CSimulationController(CZerinDoc& doc) : m_doc(doc) {}

    void EnterSimulation();
    bool TestNet();
    void LeaveSimulation();
    void ResetSystem();
    void SetCase(const CSetConditions& c);
    void ShowCurrentCase();
    void RefreshCase();
    bool CheckStep(bool report);
    void ExecuteStepPhase(int phase);
    void PrepareAnimation(bool post);
    bool NextFrame();
    bool ChooseAutomaticStep(int mode);
    bool CheckBreakpoint();

private:
    // "{ e1, e2 }" from the named events of the selection, "{}" without any.
    std::string StepText() const;
    // The case class of the net into the document's case graph, by the document's
    // engine: stored, or its cases with the steps on demand, saying so in onDemand.
    ECaseGraphResult ComputeCaseClass(const CaseGraphProgress& progress, std::string& onDemand);

    CZerinDoc& m_doc;
};
