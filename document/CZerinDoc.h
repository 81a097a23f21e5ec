#pragma once

#include "casegraph/CCaseGraph.h"
#include "engines/CaseEngines.h"
#include "base/CBrush.h"
#include "base/CFileResult.h"
#include "base/CObject.h"
#include "base/CPen.h"
#include "base/CRandomSource.h"
#include "base/CRect.h"
#include "document/CBreakPoints.h"
#include "document/CDocumentFieldsChange.h"
#include "document/CEditHistory.h"
#include "model/CNetDesign.h"
#include "model/CSetConditions.h"
#include "occurrence/COccurrenceNet.h"

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class CDC;
class CFrameServices;
class CPNCondition;
class CPNEdge;
class CPNElement;
class CPNPolygon;

// The one document: the net design, its case graph and occurrence net, the initial
// and the current case, the selection, the breakpoints, the display options saved
// with the file, the counters that name new elements, and the simulation state. Views
// and commands change the model only through it; it reaches the window around it
// only through CFrameServices.
class CZerinDoc : public CObject {
public:
    // The kinds of GetNewName.
    static constexpr int NAME_CONDITION = 0;
    static constexpr int NAME_EVENT = 1;
    static constexpr int NAME_NET_LABEL = 2;
    static constexpr int NAME_DIAGRAM_LABEL = 3;

    explicit CZerinDoc(CFrameServices& frame);
    CZerinDoc(const CZerinDoc&) = delete;
    CZerinDoc& operator=(const CZerinDoc&) = delete;
    ~CZerinDoc() override;

    const char* GetClassName() const override { return "CZerinDoc"; }

    // --- The framework's part: title, path, modified flag, new and open. ---
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the path and the title (the file name without folder and ".zrn").
    void SetPathName(const std::string& path);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    // A new document: DeleteContents, then OnNewDocument; title "Untitled", no path.
    void NewDocument();
    bool OnNewDocument();
    void DeleteContents();
    // The record of the whole file (its own source file, with the byte format).
    void Serialize(CArchive& ar) override;
    // Open and Save. The file is read and checked whole before it replaces anything: a
    // failed open leaves the document as it was and gives the user message
    // ("Unexpected file format." or "Failed to open document."). A failed save leaves
    // the old file as it was and gives the reason.
    CFileResult OnOpenDocument(const std::string& path);
    CFileResult OnSaveDocument(const std::string& path);
    // Grows with every change made through the document and every move of an element:
    // where it stands still, nothing changed.
    unsigned long long Revision() const;
    // The edit history (undo and redo).
    CEditHistory& History() { return m_history; }
    const CEditHistory& History() const { return m_history; }

    // --- Drawing of the net design for the net design view. ---
    void DrawNetDesign(CDC& dc) const;

    // --- Selection (the editor). ---
    CRect Select(CPNElement* element, bool add);
    // An element known not to be selected joins the selection, without the search that
    // makes selecting many elements one by one quadratic.
    void AppendToSelection(CPNElement* element);
    CRect ClearSelection();
    bool IsSelected(const CPNElement* element) const;
    bool HasMultipleSelection() const;
    CPNElement* GetFirstSelected() const;
    bool HitTestSelectedPoints(CPoint pt) const;
    void Deselect(CPNElement* element);
    CPNEdge* FindGrabbedEdge(CPoint pt) const;
    bool CanDelete() const;

    // --- The three diagrams, and the edits of the user on them. ---
    static constexpr int DIAGRAM_NET_DESIGN = 0;
    static constexpr int DIAGRAM_CASE_GRAPH = 1;
    static constexpr int DIAGRAM_OCCURRENCE_NET = 2;
    CDiagram& GetDiagram(int nDiagram);
    std::uint64_t DiagramGeneration(int nDiagram) const;
    // Selects what lies inside the rectangle, instead of the selection before.
    CRect SelectInRect(int nDiagram, const CRect& rect);
    // Each of these is an edit, or part of the one open (BeginEdit), and returns the
    // rectangle to repaint.
    CRect PlaceSelection(int nDiagram, bool front);
    CRect MoveSelection(int nDiagram, int dx, int dy);
    CRect MoveElement(int nDiagram, CPNElement* element, CPoint pt);
    // The case graph's cases by index, each to its point: one change of the open edit.
    CRect MoveCases(const std::vector<std::pair<std::uint32_t, CPoint>>& moves);
    CRect DeleteSelection(int nDiagram = DIAGRAM_NET_DESIGN);
    // False when the diagram refused the element (a second edge between the same two
    // nodes), which is then deleted.
    bool AddElement(CPNElement* element, int nDiagram = DIAGRAM_NET_DESIGN);
    // Before an element of the diagram changes in any other way (a property, a token):
    // the open edit keeps it as it was.
    void ModifyElement(int nDiagram, CPNElement* element);
    // The same for an element of whichever diagram holds it.
    void ModifyElement(CPNElement* element);
    // A property of the element set (a properties page's change): kept as it was by
    // the open edit, then changed.
    void ChangeElement(CPNElement* element, const std::function<void()>& change);
    // The token of a condition of the net flipped (the Token tool).
    CRect FlipToken(CPNCondition* condition);
    // The grabbed bend point of a route taken out, or all of them; the grabbed corner
    // of an outline taken out.
    CRect DeleteRoutePoint(int nDiagram, CPNEdge* edge);
    CRect StraightenRoute(int nDiagram, CPNEdge* edge);
    CRect DeleteOutlinePoint(int nDiagram, CPNPolygon* polygon);
    // The net replaced by one read from elsewhere (an import into a new document): the
    // names of new conditions and events count on from the numbers given, and the
    // history starts here.
    void ReplaceNet(CNetDesign& net, int nextCondition, int nextEvent);
    // Where a diagram's own operations report what they change (a layout).
    CEditRecorder& Recorder(int nDiagram) { return m_history.Recorder(nDiagram); }

    // --- Edits: a gesture opens one when it starts and closes it when it ends; a
    // command is one. Nested ones join the outermost. ---
    void BeginEdit(const std::string& text, int nMergeKey = 0) { m_history.Begin(text, nMergeKey); }
    bool EndEdit() { return m_history.End(); }
    // A gesture cancelled: what it changed is taken back and no edit is left.
    void CancelEdit() { m_history.Cancel(); }
    // For the history: the settings at the start of an edit, their change at its end,
    // putting them back when the edit is cancelled; an undo or redo has been applied.
    void BeginFields();
    std::unique_ptr<CEditChange> EndFields();
    void RollbackFields();
    void EditApplied();

    // The kind's counter formatted with "b%d", "e%d", "Text%d", "Text%d", then
    // incremented; another kind gives an empty name.
    std::string GetNewName(int kind);

    // --- State changes. ---
    void SetNetModified();
    void SetCaseGraphLaidOut(bool bLaidOut = true);
    // "Grid Points" (sets the modified flag) and "Ruler" (does not).
    void ToggleGrid();
    void ToggleRuler();

    // --- The simulation controller. ---
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

    // --- Commands: enable rules and actions. ---
    bool CanEnterSimulation() const { return !m_bSimulation; }
    bool CanLeaveSimulation() const { return m_bSimulation; }
    // Breakpoints name cases of the list: a class kept as decision diagrams has none.
    bool CanSetBreakpoints() const { return m_bSimulation && !m_caseGraph.GetSymbolic(); }
    bool CanVerifyCaseClass() const { return m_bSimulation; }
    bool CanWriteCaseClass() const { return m_bSimulation; }
    bool CanComputeAllReachable() const { return m_bSimulation; }
    bool CanDoNetComplement() const { return m_bSimulation; }

    void OnSetBreakpoints();
    void OnCaseClassVerification();
    // Names the case graph and lays out what the occurrence net recorded when no view
    // has done it yet, so that the analysis output and the exports carry the names.
    void NameForOutput();
    // The same for one diagram (DIAGRAM_...) before it is exported: the case graph named,
    // the record laid out.
    void NameForOutput(int nDiagram);
    void OnWriteCaseClass();
    // Where the class is kept as decision diagrams, says that its cases are not listed
    // (with their number) and returns true.
    bool SayCasesAreNotListed() const;
    void OnComputeAllReachable();
    // The number of forward-reachable classes and the largest, without their listing.
    void OnCountReachableClasses();
    // Leaves simulation, adds the complement conditions (labels measured on the
    // context) and reports their number; the caller then calls SetNetModified.
    int DoNetComplement(CDC& dc);
    // The complement itself with its lines, over the flow relation of the last
    // structure build (which must match the net); returns the number added.
    int ComplementNet(CDC& dc);

    CFrameServices& GetFrame() const { return m_rFrame; }
    CRandomSource& GetRandom() { return m_random; }

    // How the simulation computes the case class: by default the stored graph where it
    // fits the memory the frame allows, else the cases with their steps on demand.
    ECaseEngine CaseEngine() const { return m_eCaseEngine; }
    void SetCaseEngine(ECaseEngine engine) { m_eCaseEngine = engine; }

    // --- What the document holds, to read; it changes only through the operations
    // above and those of its diagrams. ---
    CNetDesign& NetDesign() { return m_netDesign; }
    const CNetDesign& NetDesign() const { return m_netDesign; }
    CCaseGraph& CaseGraph() { return m_caseGraph; }
    const CCaseGraph& CaseGraph() const { return m_caseGraph; }
    COccurrenceNet& OccurrenceNet() { return m_occurrenceNet; }
    const COccurrenceNet& OccurrenceNet() const { return m_occurrenceNet; }
    const std::list<CPNElement*>& Selection() const { return m_listSelection; }
    const CSetConditions& CurrentCase() const { return m_caseCurrent; }
    const CSetConditions& InitialCase() const { return m_caseInitial; }
    const CBreakPoints& BreakPoints() const { return m_breakPoints; }
    // The edges whose tokens the animation moves.
    const std::list<CPNEdge*>& AnimEdges() const { return m_listAnimEdges; }
    int FileVersion() const { return m_nFileVersion; }
    bool HasGrid() const { return m_bGrid; }
    bool HasRuler() const { return m_bRuler; }
    int GridSize() const { return m_nGridSize; }
    bool RebuildsInitialCase() const { return m_bRebuildInitialCase; }
    // The net changed since its last test: the case graph and the record are not its.
    bool IsNetModified() const { return m_bNetModified; }
    bool IsCaseGraphLaidOut() const { return m_bCaseGraphLaidOut; }
    bool IsCaseGraphValid() const { return m_bCaseGraphValid; }
    bool IsContactFree() const { return m_bContactFree; }
    bool InSimulation() const { return m_bSimulation; }
    bool IsAnimating() const { return m_bAnimating; }
    // Milliseconds between two frames of the animation.
    int Speed() const { return m_nSpeed; }
    int AnimFrame() const { return m_nAnimFrame; }
    bool RestartsOccurrenceNet() const { return m_bRestartOccurrenceNet; }

    // --- Settings and states the window and the command line set. ---
    void SetSpeed(int nMilliseconds) { m_nSpeed = nMilliseconds; }
    void SetAnimating(bool bAnimating) { m_bAnimating = bAnimating; }
    // The case graph was computed anew outside simulation (the command line, a layout
    // of its own): a passed test leaves the net tested as it is, with its graph not yet
    // laid out.
    void AdoptCaseGraph(bool bPassed);
    // The initial case from the net's structure, and the current case with it.
    void BuildInitialCase();
    // The case list of the breakpoints taken from the case graph where it changed, and
    // the breakpoint cases chosen by their index in it.
    const CBreakPoints& RefillBreakPoints();
    void SetBreakpoints(const std::vector<std::uint32_t>& indices);
    // The case graph's page changed size since a view last asked; asking clears it.
    bool TakeCaseGraphResized() { return std::exchange(m_bCaseGraphResized, false); }

private:
    friend class CSimulationController;
    friend class CDocumentFile;
    friend class CDocumentFieldsChange;

    // --- Members, in the order the file stores them. ---
    int m_nFileVersion = 1;
    bool m_bGrid = true;
    bool m_bRuler = false;
    bool m_bGridSaved = true;
    int m_nGridSize = 10;
    bool m_bRebuildInitialCase = false;
    bool m_bNetModified = true;
    bool m_bCaseGraphLaidOut = false;
    bool m_bCaseGraphValid = false;
    bool m_bContactFree = false;
    std::list<CPNElement*> m_listSelection;
    int m_nNextName[4] = {1, 1, 1, 1};
    bool m_bSimulation = false;
    bool m_bAnimating = false;
    int m_nSpeed = 25;
    int m_nAnimFrame = 0;
    CPen m_penToken;
    CBrush m_brushToken;
    bool m_bRestartOccurrenceNet = false;
    bool m_bCaseGraphResized = false;
    CBreakPoints m_breakPoints;
    // Serves the automatic run and the case graph layout; declared before the case
    // graph, which holds a reference to it.
    CRandomSource m_random;
    CCaseGraph m_caseGraph;
    CNetDesign m_netDesign;
    COccurrenceNet m_occurrenceNet;
    CSetConditions m_caseCurrent;
    CSetConditions m_caseInitial;
    std::list<CPNEdge*> m_listAnimEdges;

    // Appends the names of the selected events with a name label to the step text.
    void AppendStepNames(std::string& text) const;

    CFrameServices& m_rFrame;
    std::string m_strTitle = "Untitled";
    std::string m_strPathName;
    bool m_bModified = false;
    ECaseEngine m_eCaseEngine = ECaseEngine::Auto;
    unsigned long long m_nEdits = 0;
    // Set while a load empties and refills the document.
    bool m_bRestoring = false;
    // The settings when the open edit began.
    CDocumentFieldsChange::Fields m_fieldsBefore;
    std::uint64_t m_nFieldsGraphGeneration = 0;
    // Last: it reads the whole document.
    CEditHistory m_history{*this};
};
