#include "views/CZerinCaseGraphView.h"

#include "platform/CLayeredLayout.h"

#include "base/FormatString.h"
#include "casegraph/CCaseDistances.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "document/CZerinDoc.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "platform/CMeasureDC.h"
#include "platform/QtFonts.h"
#include "views/CViewHost.h"

#include <QLocale>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <utility>

CZerinCaseGraphView::CZerinCaseGraphView(CZerinDoc& doc, CViewHost& host, QWidget* pParent)
    : CRecordDiagramView(doc, host, pParent) {
    setAccessibleName(QStringLiteral("Case Graph"));
}

const CCaseGraph& CZerinCaseGraphView::Graph() const {
    return GetDocument().CaseGraph();
}

CCaseGraphEditor& CZerinCaseGraphView::Editor() const {
    return GetDocument().CaseGraphEditor();
}

CSize CZerinCaseGraphView::GetExtent() const {
    return ShowsOverview() ? m_pOverview->GetExtent() : Graph().Extent();
}

void CZerinCaseGraphView::DrawModel(CDC& dc) const {
    if (DrawsOverview()) {
        m_pOverview->Draw(dc, m_nMarkedGroup);
        DrawRunOnOverview(dc);
    } else if (!m_bPreparing)
        Graph().Draw(dc);
}

void CZerinCaseGraphView::DrawModelIn(CDC& dc, const CRect& rectClip) const {
    DrawModelScaled(dc, rectClip, GetZoom() / 100.0);
}

void CZerinCaseGraphView::DrawModelScaled(CDC& dc, const CRect& rectClip, double scale) const {
    if (DrawsOverview()) {
        m_pOverview->Draw(dc, m_nMarkedGroup);
        DrawRunOnOverview(dc);
        return;
    }
    if (m_bPreparing)
        return;
    const auto& selection = GetDocument().Selection();
    const bool noStepSelected =
        std::none_of(selection.begin(), selection.end(),
                     [](const CPNElement* e) { return dynamic_cast<const CPNStep*>(e); });
    Graph().Draw(dc, rectClip, noStepSelected, scale);
}

void CZerinCaseGraphView::DrawNameLegend(CDC& dc, int lineHeight) const {
    Graph().DrawNameLegend(dc, lineHeight);
}

void CZerinCaseGraphView::ResizeDiagram(int cx, int cy) {
    GetDocument().ResizeDiagram(CZerinDoc::DIAGRAM_CASE_GRAPH, cx, cy);
}

void CZerinCaseGraphView::OnInitialUpdate() {
    // A new or opened document: its names are written again at the next showing, and a
    // large graph opens on its overview.
    m_nGridCells = 10;
    m_bWholeGraph = false;
    m_pOverview.reset();
    m_bLayoutShown = false;
    m_bHighlightReachable = false;
    CRecordDiagramView::OnInitialUpdate();
}

bool CZerinCaseGraphView::ContainsElement(const CPNElement* pElement) const {
    if (!pElement)
        return false;
    const CCaseGraph& graph = Graph();
    auto has = [pElement](const auto& list) {
        return std::find(list.begin(), list.end(), pElement) != list.end();
    };
    return graph.CaseIndexOf(pElement) >= 0 || has(graph.StepObjects()) ||
           has(graph.StepLabels()) || has(graph.FreeElements());
}

bool CZerinCaseGraphView::IsFreeElement(const CPNElement* pElement) const {
    const auto& free = Graph().FreeElements();
    return std::find(free.begin(), free.end(), pElement) != free.end();
}

CPNElement* CZerinCaseGraphView::HitElement(CPoint pt) const {
    // The overview's boxes are no elements of the graph.
    return ShowsOverview() ? nullptr : Editor().ElementFromPoint(pt);
}

bool CZerinCaseGraphView::TipFor(CPNElement* pHit, CPoint pt, std::string& text,
                                 CRect& rect) const {
    if (ShowsOverview()) {
        const int group = m_pOverview->GroupAt(pt);
        if (group < 0)
            return false;
        const auto& g = m_pOverview->Groups()[static_cast<std::size_t>(group)];
        text = FormatString(g.cases == 1 ? "%u case" : "%u cases", g.cases) +
               FormatString(g.column == 1 ? ", %d event from the initial case"
                                          : ", %d events from the initial case",
                            g.column) +
               (m_eGrouping == CCaseGraphOverview::EGrouping::Class ? ", reaching the same cases"
                                                                    : "");
        rect = m_pOverview->GroupRect(static_cast<std::uint32_t>(group));
        return true;
    }
    if (auto* pCase = dynamic_cast<CPNCase*>(pHit)) {
        text = pCase->m_strConditions;
        rect = pCase->GetBoundRect();
    } else if (auto* pStep = dynamic_cast<CPNStep*>(pHit)) {
        text = pStep->m_strEvents;
        rect = CRect(pt.x - 10, pt.y - 10, pt.x + 10, pt.y + 10);
    } else if (auto* pLabel = dynamic_cast<CPNLabel*>(pHit)) {
        auto* pOwner = dynamic_cast<CPNStep*>(pLabel->m_pOwner);
        if (!pOwner)
            return false;
        text = pOwner->m_strEvents;
        rect = pLabel->GetBoundRect();
    } else {
        return false;
    }
    return true;
}

int CZerinCaseGraphView::ContextMenuIndex(CPNElement* pHit) const {
    int nIndex = 0;
    if (pHit && GetDocument().Selection().IsSelected(pHit)) {
        if (dynamic_cast<CPNStep*>(pHit))
            nIndex = 3;
        if (dynamic_cast<CPNPolygon*>(pHit))
            nIndex = 4;
    }
    // Any case, selected or not.
    if (dynamic_cast<CPNCase*>(pHit))
        nIndex = 6;
    return nIndex;
}

void CZerinCaseGraphView::Refresh() {
    RefreshBusy();
}

bool CZerinCaseGraphView::RefreshOverviewFirst() {
    CZerinDoc& doc = GetDocument();
    const CCaseGraph& graph = Graph();
    // A new graph has no neighbourhood of the old one.
    if (m_bPart && m_nPartGeneration != graph.GetGeneration())
        LeaveNeighbourhood();
    // A large graph is seen from afar first: nothing of it is laid out or named until
    // the user asks for the whole of it.
    if (m_nOverviewGeneration != graph.GetGeneration())
        m_bWholeGraph = false;
    if (!m_bWholeGraph && IsLarge()) {
        if (doc.Simulation().IsActive())
            doc.Simulation().ShowCurrentCase();
        RefreshOverview();
        UpdateScrollSize();
        InvalidateAll();
        m_bSimulation = doc.Simulation().IsActive();
        HidePropertiesPage();
        return true;
    }
    // Within the limits (raised since, perhaps) the graph is drawn whole.
    if (!m_bWholeGraph)
        m_pOverview.reset();
    return false;
}

namespace {

const char* const kStages[] = {"Naming the cases and steps...", "Laying out the cases and steps...",
                               "Writing the names of the cases and steps...",
                               "Drawing the steps..."};

} // namespace

bool CZerinCaseGraphView::PrepareWhole(CWorkMonitor* pMonitor, Prepared& prepared) {
    CZerinDoc& doc = GetDocument();
    const CCaseGraph& graph = Graph();
    const WorkProgress progress = pMonitor ? pMonitor->Progress() : WorkProgress();
    const auto stage = [pMonitor](int n) {
        if (pMonitor)
            pMonitor->SetStage(kStages[n]);
    };
    if (!doc.Record().caseGraphLaidOut) {
        CMeasureDC dc;
        stage(0);
        if (!Editor().Name(dc, true, progress))
            return false;
        stage(1);
        if (Editor().LayOutForShowing(progress).cx == 0)
            return false;
        doc.CaseGraphEditor().SetLaidOut();
        prepared.laidOut = true;
        // The first layout comes with the showing; it is no edit of the user's.
        if (!doc.Simulation().IsActive())
            doc.History().Rebase();
    }
    prepared.resized = doc.CaseGraphEditor().TakeResized();
    if (!m_bLayoutShown || prepared.laidOut || prepared.resized) {
        // A graph read from a file has no names yet.
        CMeasureDC dc;
        stage(0);
        if (!Editor().Name(dc, false, progress))
            return false;
        stage(2);
        if (!graph.WriteNames(progress))
            return false;
        prepared.named = true;
    }
    stage(3);
    return !pMonitor || graph.PrepareDrawing(progress);
}

void CZerinCaseGraphView::ShowPrepared(const Prepared& prepared) {
    CZerinDoc& doc = GetDocument();
    if (prepared.laidOut)
        m_nGridCells = Graph().GridSize();
    if (prepared.laidOut || prepared.resized) {
        m_bHighlightReachable = false;
        UpdateScrollSize();
    }
    if (prepared.named)
        m_bLayoutShown = true;
    if (doc.Simulation().IsActive())
        doc.Simulation().ShowCurrentCase();
    // A path shown to a found case stays for one showing.
    if (!Editor().TakePathNew())
        Editor().MarkPath({});
    InvalidateAll();
    m_bSimulation = doc.Simulation().IsActive();
    HidePropertiesPage();
}

// --- Commands. ---

bool CZerinCaseGraphView::OnCommand(int nId) {
    switch (nId) {
    case Cmd::ID_SMOOTH_CASE_GRAPH:
        OnSmooth();
        return true;
    case Cmd::ID_LAYERED_LAYOUT:
        OnLayeredLayout();
        return true;
    case Cmd::ID_CASE_GRAPH_VIEW_PROPERTIES:
        OnViewProperties();
        return true;
    case Cmd::ID_SET_ACTUAL_CASE:
        OnSetActualCase();
        return true;
    case Cmd::ID_HIGHLIGHT_REACHABLE:
        OnHighlightReachable();
        return true;
    case Cmd::ID_SHOW_WHOLE_GRAPH:
        OnShowWholeGraph();
        return true;
    case Cmd::ID_LAY_OUT_NEIGHBOURHOOD:
        OnLayOutNeighbourhood();
        return true;
    case Cmd::ID_OVERVIEW_BY_CLASS:
        if (!ShowsOverview())
            return true;
        m_eGrouping = m_eGrouping == CCaseGraphOverview::EGrouping::Distance
                          ? CCaseGraphOverview::EGrouping::Class
                          : CCaseGraphOverview::EGrouping::Distance;
        Refresh();
        return true;
    default:
        return CRecordDiagramView::OnCommand(nId);
    }
}

bool CZerinCaseGraphView::OnUpdateCommand(int nId, CCommandState& state) {
    state.checked = false;
    switch (nId) {
    case Cmd::ID_SMOOTH_CASE_GRAPH:
    case Cmd::ID_LAYERED_LAYOUT:
    case Cmd::ID_CASE_GRAPH_VIEW_PROPERTIES:
        state.enabled = !m_bSimulation && !ShowsOverview();
        return true;
    case Cmd::ID_SET_ACTUAL_CASE:
        state.enabled = m_bSimulation;
        return true;
    case Cmd::ID_HIGHLIGHT_REACHABLE:
        state.enabled = m_bSimulation && !ShowsOverview();
        state.checked = m_bHighlightReachable;
        return true;
    case Cmd::ID_SHOW_WHOLE_GRAPH:
        state.enabled = m_pOverview != nullptr || IsLarge() || m_bPart;
        state.checked = !m_bPart && (m_bWholeGraph || !state.enabled);
        return true;
    case Cmd::ID_LAY_OUT_NEIGHBOURHOOD:
        state.enabled = !m_bSimulation && m_bPart && m_nCentre >= 0;
        return true;
    case Cmd::ID_OVERVIEW_BY_CLASS:
        state.enabled = ShowsOverview();
        state.checked = m_eGrouping == CCaseGraphOverview::EGrouping::Class;
        return true;
    case Cmd::ID_TOOL_POLYGON:
    case Cmd::ID_TOOL_LABEL:
        if (!ShowsOverview())
            return CRecordDiagramView::OnUpdateCommand(nId, state);
        state.enabled = false;
        return true;
    default:
        return CRecordDiagramView::OnUpdateCommand(nId, state);
    }
}

void CZerinCaseGraphView::OnLayeredLayout() {
    if (m_bSimulation)
        return;
    const CCaseGraph& graph = Graph();
    const QLocale locale;
    const QString size = QStringLiteral("%1 cases and %2 steps")
                             .arg(locale.toString(static_cast<qulonglong>(graph.CaseCount())),
                                  locale.toString(static_cast<qulonglong>(graph.StepCount())));
    // Said before anything starts: Graphviz cannot be stopped on its way, and on a graph
    // of this size it would not end.
    if (RefusedForRows(QStringLiteral("Layered Layout")))
        return;
    if (graph.StepCount() > static_cast<std::size_t>(kLayeredSteps)) {
        ShowError(QStringLiteral("Layered Layout hands the case graph to Graphviz, which on %1 "
                                 "would work for hours: it serves graphs of up to %2 steps. Lay "
                                 "out a part of the graph instead: Go to Case shows a case with "
                                 "the cases around it and Lay Out Neighbourhood gathers them; a "
                                 "double click on a group of the overview opens its cases.")
                      .arg(size, locale.toString(kLayeredSteps)));
        return;
    }
    std::vector<std::pair<int, int>> arcs;
    arcs.reserve(graph.StepCount());
    for (std::size_t i = 0; i < graph.StepCount(); ++i)
        arcs.emplace_back(graph.StepFrom(i), graph.StepTo(i));
    const int cases = static_cast<int>(graph.CaseCount());
    bool failed = false;
    const bool done = GetHost().RunTask("Layered Layout", [&](CWorkMonitor& monitor) {
        monitor.SetStage(
            QStringLiteral("Graphviz lays out %1 in layers...").arg(size).toStdString());
        bool cancelled = false;
        const std::vector<std::pair<double, double>> at =
            CLayeredLayout::LayoutApart(cases, arcs, monitor.Progress(), cancelled);
        if (cancelled)
            return false;
        monitor.SetStage("Placing the cases...");
        failed = !Editor().PlaceAsDrawn(at);
        if (!failed)
            // What a repaint needs, read here: it is no part of the edit to stop.
            graph.PrepareDrawing(
                [progress = monitor.Progress()](std::size_t done, std::size_t total) {
                    progress(done, total);
                    return true;
                });
        return true;
    });
    if (!done)
        return;
    if (failed) {
        ShowError(QStringLiteral("The case graph could not be laid out in layers."));
        return;
    }
    m_nGridCells = graph.GridSize();
    UpdateScrollSize();
    InvalidateAll();
}

bool CZerinCaseGraphView::RefusedForRows(const QString& command) {
    const CCaseGraph& graph = Graph();
    // Where they are few, the cases become nodes for it at once.
    if (!graph.KeepsCaseRows() || graph.CaseCount() <= static_cast<std::size_t>(m_nProgressSteps))
        return false;
    // Every case would become a node at once, on the window's thread, and the layout of
    // millions of cases would not end: said before anything starts.
    const QLocale locale;
    ShowError(QStringLiteral("%1 places every case of the graph, and of its %2 cases only the "
                             "%3 shown are laid out. Show Whole Graph lays out all of them "
                             "first; Lay Out Neighbourhood gathers the cases shown.")
                  .arg(command, locale.toString(static_cast<qulonglong>(graph.CaseCount())),
                       locale.toString(static_cast<qulonglong>(graph.MadeCaseCount()))));
    return true;
}

void CZerinCaseGraphView::OnSmooth() {
    if (m_bSimulation || RefusedForRows(QStringLiteral("Smooth Case Graph")))
        return;
    CSize extent;
    if (!Editor().Smooth(extent, m_runSmoothDialog))
        return;
    UpdateScrollSize();
    InvalidateAll();
}

void CZerinCaseGraphView::OnSetActualCase() {
    auto* pCase = dynamic_cast<CPNCase*>(m_pContextElement);
    if (!pCase || !m_bSimulation)
        return;
    CZerinDoc& doc = GetDocument();
    // The case is copied: setting it may rebuild what the node belongs to.
    const CSetConditions conditions = pCase->m_setConditions;
    doc.Simulation().SetCase(conditions);
    doc.Simulation().ShowCurrentCase();
    InvalidateAll();
}

void CZerinCaseGraphView::OnHighlightReachable() {
    if (!m_bSimulation)
        return;
    m_bHighlightReachable = !m_bHighlightReachable;
    Editor().SetShowReachability(m_bHighlightReachable);
    InvalidateAll();
}

void CZerinCaseGraphView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    // A double click on a group of the overview opens its cases.
    if (ShowsOverview() && pEvent->button() == Qt::LeftButton) {
        const int group = m_pOverview->GroupAt(DeviceToLogical(pEvent->position().toPoint()));
        if (group >= 0)
            OpenGroup(static_cast<std::uint32_t>(group));
        return;
    }
    // A double click on a case at the rim of a neighbourhood moves it there.
    if (m_nCentre >= 0 && pEvent->button() == Qt::LeftButton) {
        const CPoint pt = DeviceToLogical(pEvent->position().toPoint());
        if (auto* pCase = dynamic_cast<CPNCase*>(Editor().ElementFromPoint(pt))) {
            const int node = Graph().CaseIndexOf(pCase);
            if (node >= 0 && static_cast<std::size_t>(node) < m_arrDistance.size() &&
                m_nPartGeneration == Graph().GetGeneration() &&
                m_arrDistance[static_cast<std::size_t>(node)] == m_nRadius && node != m_nCentre) {
                ShowNeighbourhood(node, m_nRadius);
                return;
            }
        }
    }
    if (m_bSimulation && pEvent->button() == Qt::LeftButton && !ShowsOverview()) {
        const CPoint pt = DeviceToLogical(pEvent->position().toPoint());
        const CSize extent = GetExtent();
        if (pt.x <= extent.cx && pt.y <= extent.cy) {
            m_pContextElement = Editor().ElementFromPoint(pt);
            OnSetActualCase();
        }
    }
    CRecordDiagramView::mouseDoubleClickEvent(pEvent);
}

CRect CZerinCaseGraphView::GetDrawingBounds() const {
    if (ShowsOverview()) {
        const CSize extent = m_pOverview->GetExtent();
        return {0, 0, extent.cx, extent.cy};
    }
    return Graph().DrawingBounds();
}
