#pragma once

#include "views/CommandIds.h"

#include "base/CWorkMonitor.h"
#include "document/CZerinDoc.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CCaseGraphOverview.h"
#include "views/CRecordDiagramView.h"

#include <memory>

// The case graph of the document: one circle per case, one arc per step, on a square
// grid. Outside simulation the graph can also be smoothed; in simulation the view
// shows the current case, colours the reachable cases on request and makes any case
// the current one.
class CZerinCaseGraphView : public CRecordDiagramView {
    Q_OBJECT

public:
    CZerinCaseGraphView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    void OnInitialUpdate() override;
    bool OnCommand(int nId) override;
    bool OnUpdateCommand(int nId, CCommandState& state) override;

    CSize GetExtent() const override;

    CRect GetDrawingBounds() const override;
    void DrawModel(CDC& dc) const override;
    void DrawModelIn(CDC& dc, const CRect& rectClip) const override;
    void DrawModelScaled(CDC& dc, const CRect& rectClip, double scale) const override;
    bool HasNameLegend() const override { return !ShowsOverview(); }
    void DrawNameLegend(CDC& dc, int lineHeight) const override;

    // Brings the view up to date with the document: lays a new graph out, writes the
    // names once, marks the current case in simulation; past kProgressSteps as a task.
    void Refresh();
    // Past this many steps, laying out and naming the whole graph shows its progress
    // with Cancel.
    static constexpr int kProgressSteps = 100000;
    // Past this many steps Graphviz's layered layout is not started: on dense graphs of
    // a few thousand steps it works for minutes, on millions for hours.
    static constexpr int kLayeredSteps = 20000;
    // The cases Lay Out Neighbourhood moves between two polls of its progress: each
    // brings its steps, on a large graph about a thousand.
    static constexpr std::size_t kGatherBatch = 4;
    // A group of a graph whose steps come on demand is shown with its steps up to this
    // many cases.
    static constexpr std::size_t kGroupStepsOnDemand = 2000;
    void SetProgressSteps(int steps) { m_nProgressSteps = steps; }

    // The smoothing dialog; the application's by default, replaced by tests.
    void SetSmoothDialog(SmoothDialogRunner runner) { m_runSmoothDialog = std::move(runner); }

    int GetGridCells() const { return m_nGridCells; }

    // Past these sizes the view opens on the overview of the graph, the cases grouped by
    // their distance from the initial case, until "Show Whole Graph".
    static constexpr int kOverviewCases = 2000;
    static constexpr int kOverviewSteps = 20000;
    void SetOverviewLimits(int cases, int steps);
    // "Go to Case...": the case named (c123) or else the first holding every wanted
    // condition and none of the unwanted, with every case within radius steps of it
    // (forward or backward); the rest of the graph is hidden until "Show Whole Graph".
    // A graph seen on its overview is laid out first. False, with the reason, when no
    // case answers; with none when the user cancelled.
    bool GoToCase(const std::string& name, const std::vector<std::string>& wanted,
                  const std::vector<std::string>& unwanted, int radius, std::string& error);
    // The centre of the neighbourhood shown (-1: none) and its radius; whether a part of
    // the graph is shown (a neighbourhood, or a group of the overview opened).
    bool ShowsPart() const { return m_bPart; }
    int GetNeighbourhoodCentre() const { return m_nCentre; }
    int GetNeighbourhoodRadius() const { return m_nRadius; }
    // A run marked in the graph (its cases by index, in order; the loop from loopStart,
    // none where loopStart is past the last case): drawn over the overview as a way
    // through its groups, and where the graph has no steps of its own (they come on
    // demand), its cases are shown alone with the steps between them, as a neighbourhood
    // is. An empty list forgets it.
    void ShowRun(std::vector<std::uint32_t> cases, std::size_t loopStart);
    const std::vector<std::uint32_t>& GetRun() const { return m_arrRun; }
    // The overview is shown (null while the whole graph is).
    const CCaseGraphOverview* GetOverview() const {
        return ShowsOverview() ? m_pOverview.get() : nullptr;
    }

protected:
    int GetDiagramId() const override { return CZerinDoc::DIAGRAM_CASE_GRAPH; }
    void ResizeDiagram(int cx, int cy) override;

    CPNElement* HitElement(CPoint pt) const override;
    bool CanToolBand() const override;
    bool ContainsElement(const CPNElement* pElement) const override;
    bool IsFreeElement(const CPNElement* pElement) const override;
    bool TipFor(CPNElement* pHit, CPoint pt, std::string& text, CRect& rect) const override;
    int ContextMenuIndex(CPNElement* pHit) const override;

    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    const CCaseGraph& Graph() const;
    CCaseGraphEditor& Editor() const;
    void OnSmooth();
    // The cases in layers by Graphviz, left to right, on the grid: one edit.
    void OnLayeredLayout();
    void OnSetActualCase();
    void OnHighlightReachable();
    // Whether the graph is past the limits, and whether the overview stands for it.
    bool IsLarge() const;
    bool ShowsOverview() const { return m_pOverview && !m_bWholeGraph; }
    // What a repaint draws: the overview while the whole graph is being made ready
    // (nothing, without one), so that no repaint reads a graph half laid out.
    bool DrawsOverview() const { return m_pOverview && (!m_bWholeGraph || m_bPreparing); }
    // Builds the overview for a new graph and marks the current case's group.
    void RefreshOverview();
    void OnShowWholeGraph();
    // The neighbourhood's cases gathered around its centre: one edit.
    void OnLayOutNeighbourhood();
    // The neighbourhood's cases but its centre, the nearest first.
    std::vector<std::uint32_t> NeighbourhoodOrder() const;
    // Moves the cases in order to the free grid points nearest the centre, a few at a
    // time with the progress polled between (the monitor may be null); false when it
    // cancels, the moves made so far left to the caller's edit to take back.
    bool Gather(std::uint32_t centre, const std::vector<std::uint32_t>& order,
                CWorkMonitor* pMonitor = nullptr);
    // Shows the cases within the radius of the centre, fitted to the window; false when
    // the user cancelled it.
    bool ShowNeighbourhood(int centre, int radius);
    // Shows the cases of a group of the overview.
    void OpenGroup(std::uint32_t group);
    // A part of the graph is shown where the whole graph has its cases: a graph on its
    // overview is laid out first, unless its cases are still the engine's rows (then
    // only the part's cases become nodes, by MakePart, and the whole is laid out when
    // it is shown).
    bool LayOutForPart();
    // Where only a part of the graph's cases are nodes (the others the engine's rows)
    // and they are too many to make nodes at once: says that the command lays out every
    // case, and true.
    bool RefusedForRows(const QString& command);
    // The cases marked become nodes, named, the centre placed, where the graph keeps
    // its cases as the engine's rows; nothing otherwise.
    void MakePart(const std::vector<bool>& shown, std::uint32_t centre);
    // What making the whole graph ready did to the document, for the view to follow.
    struct Prepared {
        bool laidOut = false;
        bool resized = false;
        bool named = false;
    };
    // The document's side of showing the whole graph, in four stages told to the
    // monitor (null: none, at once): naming, laying out, writing the names, reading what
    // a repaint needs. It touches no widget, so that a task may run it on a worker;
    // false when the monitor cancels.
    bool PrepareWhole(CWorkMonitor* pMonitor, Prepared& prepared);
    // The view's side: its grid, scroll size, marks and repaint.
    void ShowPrepared(const Prepared& prepared);
    // Refresh with the busy pointer, or past kProgressSteps as a task with its
    // progress; cancelled, the overview is shown again and false returned.
    bool RefreshBusy();
    // Before a refresh: a part of an older graph is left, and a graph past the limits
    // is shown from afar (true: the overview is shown, nothing else to do).
    bool RefreshOverviewFirst();
    // Only the cases marked are shown, the centre (if any) selected, fitted to the window.
    void ShowPart(std::vector<bool> shown, int centre);
    void LeaveNeighbourhood();
    // The run over the overview's groups, while its marks are on the graph.
    void DrawRunOnOverview(CDC& dc) const;

    int m_nGridCells = 10;
    int m_nProgressSteps = kProgressSteps;
    // The whole graph is being made ready under a task.
    bool m_bPreparing = false;
    bool m_bHighlightReachable = false;
    bool m_bLayoutShown = false;
    SmoothDialogRunner m_runSmoothDialog;
    int m_nOverviewCases = kOverviewCases;
    int m_nOverviewSteps = kOverviewSteps;
    // The user asked for every case and step of this graph.
    bool m_bWholeGraph = false;
    CCaseGraphOverview::EGrouping m_eGrouping = CCaseGraphOverview::EGrouping::Distance;
    std::unique_ptr<CCaseGraphOverview> m_pOverview;
    // The graph the overview was made of, and the group of the current case (-1: none).
    std::uint64_t m_nOverviewGeneration = 0;
    int m_nMarkedGroup = -1;
    // A part of the graph is shown (a neighbourhood or a group), of the graph of that
    // generation; a neighbourhood's centre (-1: none), radius and each case's distance.
    bool m_bPart = false;
    std::uint64_t m_nPartGeneration = 0;
    int m_nCentre = -1;
    int m_nRadius = 1;
    std::vector<int> m_arrDistance;
    // The run shown (ShowRun) and where its loop begins.
    std::vector<std::uint32_t> m_arrRun;
    std::size_t m_nRunLoop = 0;
};
