#pragma once

#include "base/CBrush.h"
#include "base/CPen.h"
#include "document/CBreakPoints.h"
#include "engines/CCaseEngineChoice.h"
#include "engines/CaseEngines.h"
#include "engines/ECaseGraphResult.h"
#include "model/CSetConditions.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

class CCaseEngine;
class CCaseGraph;
class CDC;
class CEditHistory;
class CFrameServices;
class CNetDesign;
class COccurrenceNet;
class CPNEdge;
class CRandomSource;
class CSelection;
class CZerinDoc;
struct CDocumentRecord;

// The token game of the document and the case class it plays on: entering and leaving
// simulation mode (with the test of the net and the computation of its case class when
// the net changed), the engine that holds the class beside the drawn case graph, the
// initial and the current case, the three phases of a step and its animation, resets,
// the automatic step choice and the breakpoints. The document owns it and hands it out.
class CSimulation {
public:
    // The parts of the document the token game changes.
    struct Parts {
        CZerinDoc& doc;
        CDocumentRecord& record;
        CNetDesign& net;
        CCaseGraph& caseGraph;
        COccurrenceNet& occurrenceNet;
        CSelection& selection;
        CEditHistory& history;
        CRandomSource& random;
        CFrameServices& frame;
    };
    explicit CSimulation(const Parts& parts);
    ~CSimulation();
    CSimulation(const CSimulation&) = delete;
    CSimulation& operator=(const CSimulation&) = delete;

    // --- Simulation mode. ---
    // Enters it; where the net changed since its last test, tests it first (its case
    // class computed), and enters only a C/E system.
    void Enter();
    // The test: the structure, the case class, the requirements; true for a C/E system.
    bool TestNet();
    void Leave();
    bool IsActive() const { return m_bActive; }
    // Breakpoints name cases of the list: a class kept as decision diagrams has none.
    bool CanSetBreakpoints() const;

    // --- The case class. ---
    // The engine that holds the net's case class: the one the last test took, or over
    // a stored graph the file held; null while there is none (the net changed since).
    CCaseEngine* Engine() const;
    // How the class is computed (auto by default).
    ECaseEngine EngineChoice() const { return m_eEngineChoice; }
    void SetEngineChoice(ECaseEngine engine) { m_eEngineChoice = engine; }
    // The class computed by the engine given from the initial case: the stored graph
    // drawn, or the engine kept beside the graph, its cases drawn for the views (with
    // draw). The initial case is marked in what is drawn. paneLine and choiceLine say
    // which engine was taken and why.
    struct Computed {
        ECaseGraphResult result = ECaseGraphResult::Completed;
        bool casesDidNotFit = false;
        std::string paneLine;
        std::string choiceLine;
    };
    Computed ComputeCaseClass(ECaseEngine engine, ECaseNeeds needs,
                              const CaseGraphProgress& progress, bool draw);
    // The engine and the drawn graph go (the net changed; the graph is computed again).
    void ForgetCaseClass(bool discardPositions);
    // A graph computed outside simulation mode (the command line): a passed test leaves
    // the net tested as it is, with its graph not yet laid out.
    void AdoptCaseGraph(bool passed);
    // The initial case from the net's structure, and the current case with it.
    void BuildInitialCase();

    // --- The token game. ---
    const CSetConditions& CurrentCase() const { return m_caseCurrent; }
    const CSetConditions& InitialCase() const { return m_caseInitial; }
    void Reset();
    void SetCase(const CSetConditions& c);
    // The case graph marks the current case.
    void ShowCurrentCase();
    // The tokens and the events' concession as the current case has them.
    void RefreshCase();
    // Whether the selected events make a step of the current case; with report, says
    // why not.
    bool CheckStep(bool report);
    // Phase 0 takes the tokens of the pre-sets, 1 carries them, 2 puts them on the
    // post-sets and records the step.
    void ExecuteStepPhase(int phase);
    void PrepareAnimation(bool post);
    bool NextFrame();
    // The automatic run's next step (CAutomaticRun's modes) into the selection; false
    // when there is none.
    bool ChooseAutomaticStep(int mode);
    bool IsAnimating() const { return m_bAnimating; }
    void SetAnimating(bool animating) { m_bAnimating = animating; }
    int AnimFrame() const { return m_nAnimFrame; }
    // The edges whose tokens the animation moves.
    const std::list<CPNEdge*>& AnimEdges() const { return m_listAnimEdges; }
    // Milliseconds between two frames of the animation.
    int Speed() const { return m_nSpeed; }
    void SetSpeed(int milliseconds) { m_nSpeed = milliseconds; }
    bool RestartsOccurrenceNet() const { return m_bRestartOccurrenceNet; }
    // The moving tokens of the animation.
    void DrawTokens(CDC& dc) const;

    // --- Breakpoints. ---
    const CBreakPoints& BreakPoints() const { return m_breakPoints; }
    // The case list taken from the case graph where it changed.
    const CBreakPoints& RefillBreakPoints();
    void SetBreakpoints(const std::vector<std::uint32_t>& indices);
    bool CheckBreakpoint();
    // The breakpoint dialog over the breakpoints.
    void EditBreakpoints();

    // --- The document's life. ---
    // Everything back to a new document's: the cases and breakpoints refer to the
    // conditions about to be deleted.
    void Clear();
    // After a file was read: the structure is built on the next entry.
    void Loaded();
    // Edges about to be deleted leave the animation.
    void ForgetAnimation() { m_listAnimEdges.clear(); }

private:
    // "{ e1, e2 }" from the named events of the selection, "{}" without any.
    std::string StepText() const;
    // Into the document's case graph, by the document's engine.
    ECaseGraphResult ComputeForTest(const CaseGraphProgress& progress, std::string& onDemand);
    // The errors; cancelled where the frame's progress said to stop.
    int CheckRequirements(bool& cancelled);

    Parts m_parts;
    bool m_bActive = false;
    bool m_bAnimating = false;
    int m_nSpeed = 25;
    int m_nAnimFrame = 0;
    bool m_bRestartOccurrenceNet = false;
    CPen m_penToken;
    CBrush m_brushToken;
    CSetConditions m_caseCurrent;
    CSetConditions m_caseInitial;
    std::list<CPNEdge*> m_listAnimEdges;
    CBreakPoints m_breakPoints;
    ECaseEngine m_eEngineChoice = ECaseEngine::Auto;
    // Made over a stored graph when first asked for.
    mutable std::unique_ptr<CCaseEngine> m_pEngine;
};
