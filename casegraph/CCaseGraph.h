#pragma once

#include "casegraph/CBoxIndex.h"
#include "casegraph/CCaseGeometryChange.h"
#include "casegraph/CEventSetPool.h"
#include "casegraph/CFRCasesClass.h"
#include "casegraph/CKeptQuery.h"
#include "layout/CSmoothCaseGraphSession.h"
#include "casegraph/CStepDensity.h"
#include "casegraph/CStepRecord.h"
#include "engines/ECaseGraphResult.h"
#include "base/CDC.h"
#include "base/CFileResult.h"
#include "base/CGraphText.h"
#include "base/CObject.h"
#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "base/WorkProgress.h"
#include "model/CDiagram.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

class CCaseGeometryChange;
class CCasePath;
class CEditRecorder;
class CCaseEngine;
class CNetDesign;
class CNodeAdjacency;
class CPNCase;
class CPNElement;
class CPNEvent;
class CPNLabel;
class CPNStep;
class CRandomSource;

// Shows the smoothing dialog on the session the case graph prepared; true when the
// user closed it with OK.
using SmoothDialogRunner = std::function<bool(CSmoothCaseGraphSession& session)>;

// The case graph: every case reachable from the initial case by forward or backward
// steps, one node (CPNCase) per case and one arc per step, where a step is any
// non-empty set of detached events with concession. Owns its nodes, arcs, step labels
// and the free labels and polygons placed on its diagram.
//
// A graph may have millions of steps, so a step is kept as its record (CStepRecord):
// its arc (CPNStep) and name label exist as objects only once something needs them as
// elements (a hit, a selection, a shown path, a route or label of its own). Until then
// the route and the label follow from the record and the positions its two cases had
// when the steps were last routed, exactly as the objects would have them; drawing,
// hit tests, bounds and the file treat both alike.
class CCaseGraph : public CObject, public CDiagram {
public:
    using CFRCasesClass = ::CFRCasesClass;

    // The source feeds the random step choice and the layout.
    explicit CCaseGraph(CRandomSource& random);
    CCaseGraph(const CCaseGraph&) = delete;
    CCaseGraph& operator=(const CCaseGraph&) = delete;
    ~CCaseGraph() override;

    const char* GetClassName() const override { return "CCaseGraph"; }
    // Counts, grid, extent, saved positions, then nodes, arcs, step labels, the net's
    // events and the free elements. Reading empties the graph first.
    void Serialize(CArchive& ar) override;

    // Builds the nodes and arcs from the initial case. Node 0 is the initial case, the
    // nodes follow in breadth-first order (forward successors before backward
    // predecessors), the arcs in the order they are first met. The progress callback is
    // told the counts every so often; when it asks to stop, the graph is left empty and
    // the result is Cancelled.
    ECaseGraphResult ComputeCaseGraph(const CSetConditions& initialCase, const CNetDesign& net,
                                      const CaseGraphProgress& progress = {});
    // Draws the cases an engine lists as the graph's nodes (node i holds case i), without
    // their steps: those the engine produces on demand, and AddStepsAmong draws them
    // where a part of the graph is shown. An engine that does not list its cases leaves
    // the graph empty. Replaces what the graph held. The cases stay rows of the engine,
    // which must outlive them or be let go by DeleteContents: a case becomes a node when
    // it is asked for as an element (CaseAt, MakePart), all of them when the whole graph
    // is (Cases()); their count, the initial, reachable and current marks are kept
    // without them. False, with the graph
    // left empty, where the progress asks to stop.
    bool TakeCases(const CCaseEngine& engine, const std::vector<CPNEvent*>& events,
                   const CaseGraphProgress& progress = {});
    // Every step of the class is drawn (the graph was computed whole or read from a
    // file), not only those of the parts shown.
    bool HasAllSteps() const { return m_bAllSteps; }
    // Marks the node holding the case as initial and marks what it reaches (by the
    // successors given, else by the graph's steps).
    void MarkInitialCase(const CSetConditions& initialCase,
                         const CNodeAdjacency* successors = nullptr);
    // The node marked initial, or null.
    const CPNCase* GetInitialCase() const;
    // Marks the node and every node it reaches by forward steps through unmarked nodes.
    void MarkReachable(CPNCase* node, const CNodeAdjacency* successors = nullptr);
    // Empties the graph. Unless positions are discarded, the node positions of a
    // laid-out graph are kept by node index for the next layout.
    void DeleteContents(bool discardPositions);
    // m_bCurrent of every node = mark and the node holds the case.
    void MarkCurrentCase(const CSetConditions& currentCase, bool mark);
    // The index of the node marked current, -1 where none is.
    int CurrentCaseIndex() const;
    // Makes the objects of cases an engine still keeps as rows, all of them, telling
    // the progress (cases made, of all); false when it cancels, and the cases stay rows.
    // Whatever asks for the cases as elements makes them too, without progress.
    bool PrepareCaseObjects(const WorkProgress& progress) const;
    // Names the nodes "c1", "c2", ... and gives every arc a new label "s1", "s2", ...
    // False, with the names partly made, when the progress cancels.
    bool NameElements(CDC& dc, const WorkProgress& progress = {});
    // Names the elements unless they have their names already (a graph just read).
    bool NameIfUnnamed(CDC& dc, const WorkProgress& progress = {});
    // The names of cases and steps, to the case graph legend pane.
    bool WriteNames(const WorkProgress& progress = {}) const;
    // Reads what a repaint needs of every step (their bounds, where they lie, and the
    // shades of a graph too large for its lines) ahead of the first repaint; false when
    // the progress cancels.
    bool PrepareDrawing(const WorkProgress& progress = {}) const;
    // The names legend of the printout, y growing upwards.
    void DrawNameLegend(CDC& dc, int lineHeight) const;
    // Free elements, nodes, arcs, step labels.
    void Draw(CDC& dc) const;
    // Draws only what meets the clip rectangle (a repaint of part of the window), in
    // the same order. With noStepSelected (the caller knows no step is selected) the
    // straight steps are drawn from the cached routes without touching them.
    // Scale is the device pixels per logical unit: where more steps meet the clip than
    // their lines can show at it (over the dense limit, their lines as long as half the
    // clip's pixels), their density is drawn as shades instead, the cases over it, the
    // steps' names left out.
    void Draw(CDC& dc, const CRect& clip, bool noStepSelected = false, double scale = 1.0) const;
    static constexpr int kDenseSteps = 2000;
    // A name's height in logical units, and the pixels below which it is not drawn.
    static constexpr double kNameHeight = 13.0;
    static constexpr double kLegiblePixels = 5.0;
    void SetDenseLimit(int steps) { m_nDenseSteps = steps; }
    // Draws, hits, selects and bounds only the cases marked (by index) and the steps
    // between two of them, their names included; an empty list shows everything.
    void ShowOnly(std::vector<bool> shown);
    // The index of the case, -1 for an element that is none of the cases.
    int CaseIndexOf(const CPNElement* element) const;
    bool IsCaseShown(std::size_t node) const { return m_shown.empty() || m_shown[node]; }
    bool IsStepShown(std::size_t step) const {
        return m_shown.empty() || (m_shown[static_cast<std::size_t>(m_arrStepRecords[step].from)] &&
                                   m_shown[static_cast<std::size_t>(m_arrStepRecords[step].to)]);
    }
    static constexpr int kDrawMargin = 10;
    // The first element hit: nodes, arcs, step labels, free elements. A step hit gets
    // its objects.
    CPNElement* ElementFromPoint(CPoint pt);

    // --- The diagram: cases move with their steps following, a step's route and name
    // move by their handles; free labels and polygons are added, ordered and deleted. ---
    std::uint64_t GetGeneration() const override { return m_nGeneration; }
    bool Contains(const CPNElement* element) const override;
    // Selects every element lying strictly inside the rectangle and appends it to the
    // list; returns the rectangle to repaint.
    CRect SelectInRect(const CRect& rect, bool bSimulation,
                       std::list<CPNElement*>& selection) override;
    // Orders the free elements among the listed ones.
    CRect ChangeZOrder(const std::list<CPNElement*>& elements, bool toBack,
                       CEditRecorder& recorder) override;
    CRect MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) override;
    CRect MoveElements(const std::list<CPNElement*>& elements, int dx, int dy,
                       CEditRecorder& recorder) override;
    // Takes a free label or polygon.
    bool AddElement(CPNElement* element, CEditRecorder& recorder) override;
    // Deletes the free elements among the listed ones.
    CRect DeleteElements(std::list<CPNElement*>& elements, CEditRecorder& recorder) override;
    // The events, the cases and the name of step i (no name: false).
    const CSetEvents& StepEvents(std::size_t i) const;
    int StepFrom(std::size_t i) const { return m_arrStepRecords[i].from; }
    int StepTo(std::size_t i) const { return m_arrStepRecords[i].to; }
    // The forward successors by node index along the steps drawn.
    CNodeAdjacency ForwardAdjacency() const;
    // The successors by single events only: a step of several detached events is as
    // many single ones in a row, so that these count the events between two cases.
    CNodeAdjacency SingleEventAdjacency() const;
    bool GetStepName(std::size_t i, std::string& name) const;
    // Appends a step between two cases (by index), without a route or a name.
    void AddStep(const CSetEvents& events, int from, int to);
    // Appends a case, taking it (a graph built by hand).
    void AddCase(CPNCase* node);
    // Where not every step is drawn: appends the steps the engine gives between two cases
    // marked in shown (by index) that are not there yet, without routes or names, so
    // that a part of the graph can be drawn with its steps. Returns how many it appended.
    std::size_t AddStepsAmong(const std::vector<bool>& shown, CCaseEngine& engine);
    // The step from one case to another (by index) with the events, appended where not
    // drawn yet; its index.
    std::size_t FindOrAddStep(const CSetEvents& events, int from, int to);
    // The arc of step i (with its name label), made when it does not exist yet.
    CPNStep* MakeStep(std::size_t i);
    // Lets go of the objects of the steps that hold nothing their record does not
    // (after reading).
    void ReleasePlainSteps();

    // Splits the nodes into classes of equal forward-reachable sets (kept: Classes())
    // and gives the lines the analysis pane shows of them. The reachability marks stay
    // as they were.
    std::vector<std::string> ForwardReachableClasses();
    // The lines of the names legend: the names of the cases, then of the steps; false
    // when the progress cancels.
    bool NameLines(const std::function<void(const std::string&)>& line,
                   const WorkProgress& progress = {}) const;
    void SetShowReachability(bool show);
    // Marks the cases and steps of the path and of the loop (and no others), the loop's
    // in its own colour; returns the rectangle to repaint. An empty path takes the marks
    // away.
    CRect MarkPath(const std::vector<const CPNElement*>& elements,
                   const std::vector<const CPNElement*>& loop = {});
    // A path was marked and the case graph view has not been brought up to date since:
    // its next refresh keeps the marks, the one after takes them away. Asking clears it.
    bool TakePathNew() { return std::exchange(m_bPathNew, false); }

    // The XML exports of the graph and of its cases.
    CFileResult ExportCaseGraphXML(const std::string& path) const;
    CFileResult ExportCaseClassXML(const std::string& path) const;
    // The graph for other tools (GraphML, DOT): the cases with their names, conditions
    // and marks (initial, current, forward reachable from the initial case) and, once laid
    // out, positions; the steps with their names and events.
    CGraphText GraphForOtherTools() const;
    // The texts those exports write.
    std::string CaseGraphXML() const;
    std::string CaseClassXML() const;

    // The layout grid: G x G cells, cell (cx, cy) at ((cx + 1) * 60, (cy + 1) * 60).
    static constexpr int kGridStep = 60;
    // The grid size and the smallest one the user may choose in the smoothing.
    void SetGridSize(int gridSize);
    // The extent: at least the given size, the bounds of everything drawn, 100 x 100
    // and the grid.
    void ComputeExtent(int cx, int cy);
    // The rectangle the cases, the steps' names and the free elements cover (the steps
    // run between the cases); empty for an empty graph.
    CRect DrawingBounds() const;
    // Places every node: on its saved position while that lies inside the extent,
    // else on a free grid cell drawn at random (the generator is seeded first).
    void RandomLayout();
    // A random grid point that none of the first count positions takes; (0, 0) when
    // they take the whole grid.
    CPoint GetFreeGridPosition(const std::vector<CPoint>& used, int count);
    // The layout the case graph view gives a graph it shows for the first time: a grid
    // of 2 * trunc(sqrt(cases) + 1) cells per side, the extent at least the grid's page,
    // every node placed at random and every arc straight. Returns the page size
    // ((grid + 1) * 60 square), or an empty size when the progress cancels (the routes
    // partly reset). The nodes are expected to be named already.
    CSize InitialLayout(const WorkProgress& progress = {});
    // With reset: straight routes for every arc. Otherwise the arcs at the moved
    // element follow it. Returns the rectangle to repaint, empty without arcs. With a
    // recorder, what changed is recorded.
    CRect UpdateSteps(CPNElement* moved, bool reset, CEditRecorder* recorder = nullptr);
    // UpdateSteps(nullptr, true) without the rectangle to repaint.
    bool ResetRoutes(const WorkProgress& progress = {});
    // Places the cases as a layered drawing has them (centres by case index, y
    // downwards): its distinct x and y values become the columns and rows of the grid,
    // so no two cases share a grid point; the grid grows to hold them, the routes start
    // again and the extent follows. False, with nothing moved, for a drawing of another
    // number of cases.
    // Where the cases of a part of the graph go to lie around its centre: each case of
    // the order (the nearest to the centre first) on the free grid point nearest the
    // centre's, a point no case takes; the centre and the rest of the graph stay. The
    // cases that move, with where to; fewer where the grid has no free point left.
    std::vector<std::pair<std::uint32_t, CPoint>>
    GatherAround(std::uint32_t centre, const std::vector<std::uint32_t>& order) const;
    // Moves each case to its point, its steps routed anew: one change.
    CRect MoveCasesTo(const std::vector<std::pair<std::uint32_t, CPoint>>& moves,
                      CEditRecorder& recorder);
    // The shades of the steps as they stood before moves that may all be taken back
    // (a copy of the page's squares, a few megabytes); not current where the shades
    // were not.
    struct DensityAside {
        CStepDensity density;
        unsigned long long build = 0;
        unsigned long long shown = 0;
        bool current = false;
    };
    DensityAside SetDensityAside() const;
    // Takes moves back by the rollback given (their edit's): the shades set aside
    // before them stand again at once, instead of each moved step's route being taken
    // out and counted in again, where nothing but the moves changed meanwhile.
    void TakeBackMoves(DensityAside aside, const std::function<void()>& rollback) const;
    bool PlaceOnGrid(const std::vector<std::pair<double, double>>& at,
                     CEditRecorder* recorder = nullptr);
    // Binds the smoothing session to this graph the first time, shows the dialog and,
    // when it ends with OK after a search, places the nodes as the best placement
    // found and gives the new extent.
    bool Smooth(CSize& extent, const SmoothDialogRunner& showDialog,
                CEditRecorder* recorder = nullptr);

    // --- What the graph holds, to read. ---
    // Owned, in order of discovery (node i holds case i of the engine it came from).
    // Cases still kept as the engine's rows become nodes here, all of them at once.
    const std::vector<CPNCase*>& Cases() const { return CaseObjects(); }
    // Case i as a node, made alone where the cases are the engine's rows (unnamed, at no
    // grid point, until MakePart or a layout places it).
    CPNCase* CaseAt(std::size_t i) const;
    // Case i's node where it is made, else null; nothing is made.
    const CPNCase* MadeCase(std::size_t i) const {
        return i < m_arrCases.size() ? m_arrCases[i] : nullptr;
    }
    // The conditions and the name ("c1", "c2", ... by index) of case i, from its node or
    // its row, without making the node.
    CSetConditions CaseConditions(std::size_t i) const;
    std::string CaseName(std::size_t i) const;
    // Where the cases are the engine's rows and the graph was not laid out whole: makes
    // the nodes of the cases marked (a part to be shown) and names them, gives the grid
    // the size a whole layout would, and puts those that stand on no grid point, the
    // centre first, on the free ones nearest the middle. The other cases stay rows, the
    // cases placed before keep their places. False where the graph holds no rows.
    bool MakePart(const std::vector<bool>& cases, std::uint32_t centre, CDC& dc);
    // The nodes made so far, counted (all of them where the cases are no rows).
    std::size_t MadeCaseCount() const;
    // The number of cases, nodes or not yet.
    std::size_t CaseCount() const {
        return m_pCaseSource ? m_arrReachableRows.size() : m_arrCases.size();
    }
    // The cases are still the rows of the engine given to TakeCases, no node made.
    bool KeepsCaseRows() const { return m_pCaseSource != nullptr; }
    std::size_t StepCount() const { return m_arrStepRecords.size(); }
    // The steps from or to a case, in the order of the list (a step from a case to itself
    // once), indexed when first asked for after the steps changed.
    std::span<const std::uint32_t> StepsOfCase(std::size_t node) const;
    // By step index: the arc of a step that has one (null for a step kept only as its
    // record) and its name label.
    const std::vector<CPNStep*>& StepObjects() const { return m_arrSteps; }
    const std::vector<CPNLabel*>& StepLabels() const { return m_arrStepLabels; }
    // The net's events in its drawing order, as the graph was computed for them.
    const std::vector<CPNEvent*>& NetEvents() const { return m_arrNetEvents; }
    // The free labels and polygons of the diagram.
    const std::list<CPNElement*>& FreeElements() const { return m_listElements; }
    // The result of the last class computation.
    const std::list<CFRCasesClass>& Classes() const { return m_listClasses; }
    const CEventSetPool& EventSets() const { return m_eventSets; }
    CSize Extent() const { return m_sizeExtent; }
    int GridSize() const { return m_nGridSize; }
    int MinGridSize() const { return m_nMinGridSize; }
    // The cases stand where a layout put them.
    bool IsLaidOut() const { return m_bLaidOut; }
    // The positions of the nodes of the graph before the last, for the next layout.
    const std::vector<CPoint>& SavedPositions() const { return m_arrSavedPositions; }
    // The counts a file gave for what it holds, as read.
    struct FileCounts {
        int cases = 0;
        int steps = 0;
        int stepLabels = 0;
        int netEvents = 0;
        int savedPositions = 0;
    };
    FileCounts CountsAsRead() const {
        return {m_nCases, m_nSteps, m_nStepLabels, m_nNetEvents, m_nSavedPositions};
    }
    // The smoothing dialog's session, kept from one showing to the next.
    const CSmoothCaseGraphSession& SmoothSession() const { return m_smoothSession; }
    bool IsSmoothPrepared() const { return m_bSmoothPrepared; }

    // --- The settings an edit takes back (the document's edits only). ---
    void SetGridSizes(int gridSize, int minGridSize) {
        m_nGridSize = gridSize;
        m_nMinGridSize = minGridSize;
    }
    void SetExtent(CSize extent) { m_sizeExtent = extent; }
    void SetLaidOut(bool laidOut) { m_bLaidOut = laidOut; }
    // After a load that failed: lets go of every element without deleting it (the loader
    // deletes what the file made, once each), then empties the graph.
    void ForgetLoadedElements();

private:
    friend class CCaseGeometryChange;
    std::uint64_t m_nGeneration = 0;

    bool m_bPathNew = false;
    // The steps marked on the path.
    int m_nPathSteps = 0;
    bool m_bSmoothPrepared = false;
    CSmoothCaseGraphSession m_smoothSession;
    // Every step of the class is drawn, not only those of parts shown.
    bool m_bAllSteps = true;
    // The counts as the file stores them.
    int m_nCases = 0;
    int m_nSteps = 0;
    int m_nStepLabels = 0;
    int m_nNetEvents = 0;
    int m_nGridSize = 10;
    int m_nMinGridSize = 10;
    bool m_bLaidOut = false;
    int m_nSavedPositions = 0;
    std::vector<CPoint> m_arrSavedPositions;
    CSize m_sizeExtent{100, 100};
    // Owned, in order of discovery; while the cases are the engine's rows, empty or one
    // entry per case, null where no node was made.
    mutable std::vector<CPNCase*> m_arrCases;
    // Not owned: the engine whose rows the cases are, until they become nodes; with the
    // marks the nodes will have (reachable by row, the initial and current row or -1).
    mutable const CCaseEngine* m_pCaseSource = nullptr;
    mutable std::vector<bool> m_arrReachableRows;
    int m_nInitialRow = -1;
    int m_nCurrentRow = -1;
    // The nodes, made from the engine's rows where the cases are still those.
    std::vector<CPNCase*>& CaseObjects() const {
        if (m_pCaseSource)
            PrepareCaseObjects({});
        return m_arrCases;
    }
    // The nodes as they are: every one, or while the cases are rows none (empty) or those
    // made so far (the others null). What draws, hits and moves a part reads these.
    const std::vector<CPNCase*>& MadeCases() const { return m_arrCases; }
    // Makes node i from its row with the row's marks; the graph holds rows.
    CPNCase* MakeCaseFromRow(std::size_t i) const;
    // Whether reachability is shown, for the nodes made later.
    bool m_bShowReachability = false;
    // MarkReachable by index, on the rows or the nodes.
    void MarkReachableFrom(int start, const CNodeAdjacency& adjacency);
    // One per step, in order of creation.
    std::vector<CStepRecord> m_arrStepRecords;
    CEventSetPool m_eventSets;
    // Owned, by step index; null for a step kept only as its record.
    std::vector<CPNStep*> m_arrSteps;
    // Owned; label i names arc i; null where the step is kept only as its record.
    std::vector<CPNLabel*> m_arrStepLabels;
    // Per case: where it stood when the steps were last routed.
    std::vector<CPoint> m_arrRoutedAt;
    // Not owned: the net's events in its drawing order.
    std::vector<CPNEvent*> m_arrNetEvents;
    // Owned: free labels and polygons of the case graph diagram.
    std::list<CPNElement*> m_listElements;
    // The result of the last class computation.
    std::list<CFRCasesClass> m_listClasses;
    struct CaseStepIndex {
        std::uint64_t generation = 0;
        const void* records = nullptr;
        std::size_t stepCount = 0;
        std::size_t caseCount = 0;
        std::vector<std::uint32_t> offsets;
        std::vector<std::uint32_t> steps;
    };
    mutable CaseStepIndex m_caseSteps;
    // UpdateSteps, telling the change what it does; with cases, only their steps are
    // routed (anew with reset).
    CRect RouteSteps(CPNElement* moved, bool reset, CCaseGeometryChange* change,
                     const std::vector<std::uint32_t>* cases = nullptr);
    // A change that has every case's position before, for a layout; null without a
    // recorder.
    std::unique_ptr<CCaseGeometryChange> MoveAllCases(CEditRecorder* recorder);

    // The geometry of a step kept as its record, as its objects would have it.
    struct StepShape {
        // Drawn: routed, and its two circles apart (bent: each segment clear of its
        // circle).
        bool drawn = false;
        // Bent apart: from, bend, to; else straight from, to.
        bool bent = false;
        CPoint from, to, mid, bend;
        // The arc's hit bounds, the rectangle of its (first) segment, GetBoundRect;
        // the second segment's of a bent one.
        CRect rcBounds, rcSegment, bounds, rcSegment2;
        // The name label's text rectangle.
        CRect rcText;
        CPoint labelPos;
    };
    void ShapeOf(const CStepRecord& step, StepShape& shape) const;
    // The same with the two cases at the given positions.
    static void ShapeAt(const CStepRecord& step, CPoint from, CPoint to, StepShape& shape);
    // The bounds of the shape's name label.
    static CRect InflatedText(const StepShape& shape);
    // GetBoundRect of the arc of step i and of its label, objects or not.
    CRect StepBounds(std::size_t i) const;
    CRect StepLabelBounds(std::size_t i) const;
    // Appends a step by the number of its set of events in the pool.
    void AppendStep(std::uint32_t events, int from, int to);
    // For every step, whether a step leads between its two cases the other way.
    std::vector<bool> OppositeSteps() const;
    // The same for the steps listed, which hold every step of their cases (so each one's
    // opposite among them); false for the others.
    std::vector<bool> OppositeSteps(const std::vector<std::uint32_t>& steps) const;
    // The route a layout gives step i: straight, or bent apart from its opposite.
    static CStepRecord::ERoute ResetRoute(bool opposite) {
        return opposite ? CStepRecord::BentReset : CStepRecord::Reset;
    }
    // Draws and hit-tests the shape of a step kept as its record.
    static void DrawShape(CDC& dc, const StepShape& shape);
    static bool ShapeHit(const StepShape& shape, CPoint pt);
    // The route of the arc as the record has it, made by the arc's own code with its
    // two cases where they stood when routed; the label placed as the route places it.
    void RouteAsRecorded(CPNStep& arc, const CStepRecord& step) const;
    // The arc and label of step i in the scratch objects (for writing and comparing).
    void FillScratch(std::size_t i) const;
    // Whether the objects of step i hold exactly what the record would make.
    bool IsPlain(std::size_t i);
    std::string StepLabelText(std::size_t i) const;
    void WriteSteps(CArchive& ar) const;
    void ReadSteps(CArchive& ar);
    void DrawRecordedLabel(CDC& dc, const StepShape& shape, std::size_t i) const;

    ECaseGraphResult ComputeAll(const CSetConditions& initialCase, const CNetDesign& net,
                                const CaseGraphProgress& progress);
    void CollectNetEvents(const CNetDesign& net);
    // The free grid cells (y * G + x) nearest the point, at most wanted of them, the
    // nearest first; the cells of the nodes made are taken.
    std::vector<int> FreeCellsNear(CPoint at, std::size_t wanted) const;
    // A free cell drawn at random, marked taken; (0, 0) when every cell is taken.
    CPoint DrawFreeGridPosition(std::vector<bool>& occupied, int& taken);
    // The cell of a grid point, -1 for a point that is not one.
    int GridCell(CPoint pt) const;
    // The grid point of a cell (y * G + x), as GridCell numbers them.
    CPoint CellPoint(int cell) const {
        return CPoint((cell % m_nGridSize + 1) * kGridStep, (cell / m_nGridSize + 1) * kGridStep);
    }
    // The grid's side a first layout gives the cases: 2 * trunc(sqrt(cases) + 1).
    int LayoutGridSize() const;
    // The name of case i: "c1", "c2", ...
    static std::string CaseNameOf(std::size_t i);
    // The node holding the case, or null.
    CPNCase* FindCase(const CSetConditions& c) const;

    // An arc as a repaint tests it: the end points of a straight route (and the bend of
    // one bent apart), or for another bent or hidden arc the corners of the box of
    // pixels it may touch (bounds included).
    struct StepRoute {
        CPoint from;
        CPoint to;
        CPoint bend;
    };
    // What stepStraight holds for a step.
    enum : std::uint8_t { kRouteOther = 0, kRouteStraight = 1, kRouteBentApart = 2 };
    // The box of pixels an arc may touch, bounds included: x0..x1 x y0..y1.
    using StepBox = CBoxIndex::Box;
    // The bounds of the nodes, arcs and arc labels as of the last geometry change. A
    // step gaining or losing its objects changes none: they have its record's geometry.
    struct BoundsCache {
        bool valid = false;
        unsigned long long epoch = 0;
        // Counts the times the cache was read whole.
        unsigned long long builds = 0;
        // The arrays the bounds were read from.
        std::array<const void*, 3> arrays{};
        std::array<std::size_t, 3> sizes{};
        std::vector<CRect> caseBounds;
        std::vector<StepRoute> stepRoutes;
        std::vector<std::uint8_t> stepStraight;
        std::vector<StepBox> stepBoxes;
        // The steps' boxes and the labels' bounds by where they lie.
        CBoxIndex stepIndex, labelIndex;
        // What met the window last painted, kept up through a drag.
        CKeptQuery stepQuery, labelQuery;
        // The arcs a repaint looks at, reused from one repaint to the next.
        std::vector<std::uint32_t> candidates;
        std::vector<std::uint32_t> labelCandidates;
        std::vector<CRect> labelBounds;
    };
    bool RefreshBoundsCache(const WorkProgress& progress = {}) const;
    // Whether the cache holds the geometry as it is now.
    bool BoundsCacheCurrent() const;
    // One case's and one step's entries read again.
    void CacheCase(std::size_t i) const;
    void CacheStep(std::size_t i) const;
    // The steps (labels) whose boxes meet the area, in increasing order, from the index
    // where it answers, else from every box.
    std::size_t StepsMeeting(const StepBox& area, std::vector<std::uint32_t>& out) const;
    std::size_t LabelsMeeting(const CRect& area, std::vector<std::uint32_t>& out) const;
    // A move of one case kept the cache current: its entries and its steps' were read
    // again, so that a drag does not read every step at every move.
    void KeepCacheAfterMove(std::size_t node) const;
    // The same after several cases moved, where their steps are fewer than a quarter of
    // all (else the next repaint reads every step again). cached: the cache was current
    // before the move.
    void KeepCacheAfterMoves(const std::vector<std::uint32_t>& cases, bool cached) const;
    // The density of the steps as the cache has them, counted anew after the cache was,
    // and kept with it through a move of one case.
    bool RefreshDensity(const WorkProgress& progress = {}) const;
    // Draw past the dense limit: the shades, then what stands over them.
    void DrawDense(CDC& dc, const CRect& clip, std::size_t count,
                   const std::function<bool(const CRect&)>& meets, bool named) const;
    void AddToDensity(std::size_t step, int delta) const;
    bool DensityCurrent() const;
    mutable CStepDensity m_density;
    mutable unsigned long long m_nDensityEpoch = 0;
    mutable unsigned long long m_nDensityBuild = 0;
    // What ShowOnly marked, and how often it changed (the shades count only those).
    std::vector<bool> m_shown;
    unsigned long long m_nShownChanges = 0;
    mutable unsigned long long m_nDensityShown = 0;
    int m_nDenseSteps = kDenseSteps;

    CRandomSource& m_rRandom;
    mutable BoundsCache m_boundsCache;
    // Scratch objects: two cases to route on and an arc with its label.
    std::unique_ptr<CPNCase> m_pScratchFrom;
    std::unique_ptr<CPNCase> m_pScratchTo;
    std::unique_ptr<CPNStep> m_pScratchStep;
    // Room a move copies its steps' states before into, kept from one move to the next.
    std::vector<CCaseGeometryChange::ObjectBefore> m_objectsBefore;
    std::unique_ptr<CPNLabel> m_pScratchLabel;
};
