#include "views/CZerinCaseGraphView.h"

#include "casegraph/CPNCase.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"
#include "platform/CMeasureDC.h"
#include "views/CViewHost.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <optional>

// The parts of the case graph the view shows instead of all of it: the overview of a
// large graph, a neighbourhood, a group of the overview.

bool CZerinCaseGraphView::CanToolBand() const {
    return !ShowsOverview() && CRecordDiagramView::CanToolBand();
}

void CZerinCaseGraphView::SetOverviewLimits(int cases, int steps) {
    m_nOverviewCases = cases;
    m_nOverviewSteps = steps;
}

bool CZerinCaseGraphView::IsLarge() const {
    const CCaseGraph& graph = Graph();
    return static_cast<long long>(graph.CaseCount()) > m_nOverviewCases ||
           static_cast<long long>(graph.StepCount()) > m_nOverviewSteps;
}

void CZerinCaseGraphView::RefreshOverview() {
    const CCaseGraph& graph = Graph();
    if (!m_pOverview || m_nOverviewGeneration != graph.GetGeneration() ||
        m_pOverview->Groups().empty() || m_pOverview->GetGrouping() != m_eGrouping) {
        std::optional<CNodeAdjacency> forward, singleEvents;
        m_pOverview = std::make_unique<CCaseGraphOverview>(Editor().Successors(false, forward),
                                                           Editor().Successors(true, singleEvents),
                                                           m_eGrouping);
        m_nOverviewGeneration = graph.GetGeneration();
    }
    // Nothing of the graph is selected or made here.
    m_nTool = Cmd::ID_TOOL_SELECT;
    m_nMarkedGroup = -1;
    if (const int current = graph.CurrentCaseIndex(); current >= 0)
        m_nMarkedGroup =
            static_cast<int>(m_pOverview->GroupOf(static_cast<std::uint32_t>(current)));
}

void CZerinCaseGraphView::OnShowWholeGraph() {
    // From a part, back to all of the graph: its shades are counted anew, which on a
    // large graph is a task; cancelled, the part stays.
    if (m_bPart && Graph().KeepsCaseRows()) {
        // Only the part's cases are nodes: the whole graph is named and laid out now,
        // as from the overview; cancelled, the overview is shown.
        LeaveNeighbourhood();
        m_bWholeGraph = true;
        RefreshBusy();
        UpdateScrollSize();
        InvalidateAll();
        return;
    }
    if (m_bPart) {
        const CCaseGraph& graph = Graph();
        std::vector<bool> shown(graph.CaseCount());
        for (std::size_t i = 0; i < shown.size(); ++i)
            shown[i] = graph.IsCaseShown(i);
        const int centre = m_nCentre;
        std::vector<int> distance = m_arrDistance;
        LeaveNeighbourhood();
        const bool large = graph.StepCount() > static_cast<std::size_t>(m_nProgressSteps);
        if (large && !GetHost().RunTask("Show Whole Graph", [&graph](CWorkMonitor& monitor) {
                monitor.SetStage("Drawing the steps...");
                return graph.PrepareDrawing(monitor.Progress());
            })) {
            Editor().ShowOnly(std::move(shown));
            m_bPart = true;
            m_nCentre = centre;
            m_arrDistance = std::move(distance);
            // The part's shades: its steps alone, counted quickly.
            graph.PrepareDrawing();
            InvalidateAll();
            return;
        }
        m_bWholeGraph = true;
        UpdateScrollSize();
        InvalidateAll();
        return;
    }
    if (!m_pOverview && !IsLarge())
        return;
    m_bWholeGraph = !m_bWholeGraph;
    if (!m_bWholeGraph)
        InvalidateLogical(GetDocument().Selection().Clear());
    RefreshBusy();
    UpdateScrollSize();
    InvalidateAll();
}

bool CZerinCaseGraphView::GoToCase(const std::string& name, const std::vector<std::string>& wanted,
                                   const std::vector<std::string>& unwanted, int radius,
                                   std::string& error) {
    const CCaseGraph& graph = Graph();
    const int cases = static_cast<int>(graph.CaseCount());
    int centre = -1;
    if (!name.empty()) {
        // Cases are named c1, c2, ... in the order of the graph.
        char rest = 0;
        int number = 0;
        if (std::sscanf(name.c_str(), "c%d%c", &number, &rest) != 1 || number < 1 ||
            number > cases) {
            error = "No case is named " + name + ".";
            return false;
        }
        centre = number - 1;
    } else {
        CSetConditions with, without;
        for (const auto* names : {&wanted, &unwanted})
            for (const std::string& condition : *names) {
                CPNCondition* pCondition = GetDocument().NetDesign().FindCondition(condition);
                if (!pCondition) {
                    error = "No condition is named " + condition + ".";
                    return false;
                }
                (names == &wanted ? with : without).Add(pCondition);
            }
        for (int i = 0; i < cases && centre < 0; ++i) {
            const CSetConditions c = graph.CaseConditions(static_cast<std::size_t>(i));
            if (c.Includes(with) && !c.Meets(without))
                centre = i;
        }
        if (centre < 0) {
            error = "No case holds the wanted conditions and none of the unwanted.";
            return false;
        }
    }
    // Cancelled by the user: nothing to say.
    error.clear();
    return ShowNeighbourhood(centre, std::clamp(radius, 1, 3));
}

bool CZerinCaseGraphView::ShowNeighbourhood(int centre, int radius) {
    // The neighbourhood is drawn where the whole graph has its cases.
    if (!LayOutForPart())
        return false;
    std::vector<int> distance;
    std::vector<bool> shown;
    const bool large =
        Graph().StepCount() + Graph().CaseCount() > static_cast<std::size_t>(m_nProgressSteps);
    const auto find = [&](CWorkMonitor& monitor) {
        monitor.SetStage("Finding the cases around " +
                         Graph().CaseName(static_cast<std::size_t>(centre)) + "...");
        distance = Editor().DistancesAround(centre, radius);
        shown.assign(distance.size(), false);
        for (std::size_t i = 0; i < shown.size(); ++i)
            shown[i] = distance[i] >= 0;
        // With its steps on demand the graph was laid out without them: the cases lie
        // where their numbers put them, far apart. The neighbourhood's steps are made, and
        // its cases gathered around the centre (where the graph keeps no place in the
        // file).
        if (!monitor.Poll())
            return false;
        if (!Graph().HasAllSteps()) {
            monitor.SetStage("Making the steps among them...");
            MakePart(shown, static_cast<std::uint32_t>(centre));
            Editor().AddStepsAmong(shown);
            m_arrDistance = distance;
            Gather(static_cast<std::uint32_t>(centre), NeighbourhoodOrder());
        }
        if (!large)
            return true;
        // The part's shades, read here whole: the part is shown from now on.
        Editor().ShowOnly(std::move(shown));
        shown.clear();
        monitor.SetStage("Drawing the steps...");
        Graph().PrepareDrawing([progress = monitor.Progress()](std::size_t n, std::size_t total) {
            progress(n, total);
            return true;
        });
        return true;
    };
    CWorkMonitor atOnce;
    if (large ? !GetHost().RunTask("Go to Case", find) : !find(atOnce))
        return false;
    m_arrDistance = std::move(distance);
    m_nRadius = radius;
    ShowPart(std::move(shown), centre);
    return true;
}

std::vector<std::uint32_t> CZerinCaseGraphView::NeighbourhoodOrder() const {
    // The cases shown, the nearest the centre first.
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < m_arrDistance.size(); ++i)
        if (m_arrDistance[i] > 0)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return m_arrDistance[a] < m_arrDistance[b];
    });
    return order;
}

bool CZerinCaseGraphView::Gather(std::uint32_t centre, const std::vector<std::uint32_t>& order,
                                 CWorkMonitor* pMonitor) {
    const std::vector<std::pair<std::uint32_t, CPoint>> moves = Graph().GatherAround(centre, order);
    // A few cases at a time: each batch is a change of its own, with its steps routed
    // anew, so that the edit can be stopped between two and undone in parts.
    for (std::size_t first = 0; first < moves.size(); first += kGatherBatch) {
        if (pMonitor && !pMonitor->Progress()(first, moves.size()))
            return false;
        const std::size_t last = std::min(moves.size(), first + kGatherBatch);
        GetDocument().MoveCases({moves.begin() + static_cast<std::ptrdiff_t>(first),
                                 moves.begin() + static_cast<std::ptrdiff_t>(last)});
    }
    return true;
}

void CZerinCaseGraphView::OnLayOutNeighbourhood() {
    if (m_bSimulation || !m_bPart || m_nCentre < 0)
        return;
    CZerinDoc& doc = GetDocument();
    const auto centre = static_cast<std::uint32_t>(m_nCentre);
    const std::vector<std::uint32_t> order = NeighbourhoodOrder();
    const bool done = GetHost().RunTask("Lay Out Neighbourhood", [&](CWorkMonitor& monitor) {
        // What a repaint reads of the steps, read first where a change since the last
        // repaint left it behind: the gather then keeps it current step by step, so that
        // neither the end nor a Cancel has to read every step again.
        monitor.SetStage("Reading the steps...");
        if (!Graph().PrepareDrawing(monitor.Progress()))
            return false;
        monitor.SetStage("Gathering " + std::to_string(order.size()) + " cases around " +
                         Graph().CaseName(centre) + "...");
        // The shades as they are, for a Cancel: put back at once, not counted out again.
        CCaseGraph::DensityAside aside = Graph().SetDensityAside();
        doc.History().Begin("Lay Out Neighbourhood");
        if (!Gather(centre, order, &monitor)) {
            // Nothing of it stays.
            Graph().TakeBackMoves(std::move(aside), [&doc] { doc.History().Cancel(); });
            return false;
        }
        doc.SetModifiedFlag();
        doc.History().End();
        monitor.SetStage("Drawing the steps...");
        // What a repaint needs, read here; the edit is made and no longer to be stopped.
        Graph().PrepareDrawing([progress = monitor.Progress()](std::size_t n, std::size_t total) {
            progress(n, total);
            return true;
        });
        return true;
    });
    if (!done) {
        InvalidateAll();
        return;
    }
    ZoomToDrawing();
    InvalidateAll();
}

void CZerinCaseGraphView::OpenGroup(std::uint32_t group) {
    const std::vector<std::uint32_t> cases = m_pOverview->CasesOf(group);
    const CCaseGraph& graph = Graph();
    std::vector<bool> shown(graph.CaseCount(), false);
    for (const std::uint32_t node : cases)
        if (node < shown.size())
            shown[node] = true;
    if (!LayOutForPart())
        return;
    m_arrDistance.clear();
    // With the steps on demand, as a neighbourhood: gathered, with its steps where they
    // are few enough to draw.
    if (!graph.HasAllSteps() && !cases.empty()) {
        CZerinDoc& doc = GetDocument();
        const bool opened = GetHost().RunTask("Open Group", [&](CWorkMonitor& monitor) {
            monitor.SetStage("Gathering the cases of the group...");
            MakePart(shown, cases.front());
            if (cases.size() <= kGroupStepsOnDemand)
                Editor().AddStepsAmong(shown);
            if (!monitor.Poll())
                return false;
            // Where the cases stood, for a Cancel in the token game, which records no
            // edit to take back: all of the group's, so that every step among them is
            // routed anew as when it was made.
            std::vector<std::pair<std::uint32_t, CPoint>> stood;
            if (doc.Simulation().IsActive())
                for (const std::uint32_t node : cases)
                    stood.emplace_back(node, graph.CaseAt(node)->m_ptPos);
            // As Lay Out Neighbourhood: one edit, nothing of it left on Cancel.
            CCaseGraph::DensityAside aside = graph.SetDensityAside();
            doc.History().Begin("Open Group");
            if (!Gather(cases.front(), std::vector<std::uint32_t>(cases.begin() + 1, cases.end()),
                        &monitor)) {
                graph.TakeBackMoves(std::move(aside), [&doc, &stood] {
                    doc.History().Cancel();
                    if (!stood.empty())
                        doc.MoveCases(stood);
                });
                return false;
            }
            doc.History().End();
            return true;
        });
        if (!opened) {
            // Back to the overview the group was opened from; the layout made for the
            // part stays (no edit, as at a showing).
            m_bWholeGraph = false;
            if (!RefreshOverviewFirst())
                m_bWholeGraph = true;
            InvalidateAll();
            return;
        }
    }
    ShowPart(std::move(shown), -1);
}

bool CZerinCaseGraphView::LayOutForPart() {
    if (!ShowsOverview() && GetDocument().Record().caseGraphLaidOut)
        return true;
    m_bWholeGraph = true;
    // Cases kept as the engine's rows: only the part becomes nodes (millions of nodes
    // would take gigabytes), and the whole graph is laid out when it is shown.
    if (Graph().KeepsCaseRows())
        return true;
    return RefreshBusy();
}

void CZerinCaseGraphView::MakePart(const std::vector<bool>& shown, std::uint32_t centre) {
    if (!Graph().KeepsCaseRows())
        return;
    CMeasureDC dc;
    Editor().MakePart(shown, centre, dc);
}

bool CZerinCaseGraphView::RefreshBusy() {
    // The overview, or a graph small enough to be made ready at once.
    // The cases too: with the steps on demand there are few steps but many cases.
    if (RefreshOverviewFirst())
        return true;
    // A part of a graph whose other cases are the engine's rows stays shown alone.
    if (m_bPart && Graph().KeepsCaseRows()) {
        ShowPrepared(Prepared{});
        return true;
    }
    if (Graph().StepCount() + Graph().CaseCount() <= static_cast<std::size_t>(m_nProgressSteps)) {
        Prepared prepared;
        PrepareWhole(nullptr, prepared);
        ShowPrepared(prepared);
        return true;
    }
    // Laying out and naming millions of steps takes seconds: a task, with its progress
    // and Cancel.
    Prepared prepared;
    m_bPreparing = true;
    const bool done = GetHost().RunTask("Show Whole Graph", [&](CWorkMonitor& monitor) {
        return PrepareWhole(&monitor, prepared);
    });
    m_bPreparing = false;
    if (done) {
        ShowPrepared(prepared);
        return true;
    }
    // Cancelled: back to the overview, as before the command; names written in part
    // are written whole at the next showing.
    if (prepared.laidOut || prepared.resized)
        m_bLayoutShown = false;
    m_bWholeGraph = false;
    if (!RefreshOverviewFirst())
        m_bWholeGraph = true;
    InvalidateAll();
    return false;
}

void CZerinCaseGraphView::ShowPart(std::vector<bool> shown, int centre) {
    CZerinDoc& doc = GetDocument();
    const CCaseGraph& graph = Graph();
    // Shown already by the task that made it ready (its shades counted): an empty list.
    if (!shown.empty())
        Editor().ShowOnly(std::move(shown));
    m_bPart = true;
    m_nCentre = centre;
    m_nPartGeneration = graph.GetGeneration();
    InvalidateLogical(doc.Selection().Clear());
    // The case gone to is selected, so that it stands out of a dense drawing (in the
    // token game too, where the current case is red).
    if (centre >= 0)
        doc.Selection().Select(graph.CaseAt(static_cast<std::size_t>(centre)), false);
    // Laid out alone, on the grid the whole graph would have.
    if (graph.KeepsCaseRows()) {
        m_nGridCells = graph.GridSize();
        UpdateScrollSize();
    }
    ZoomToDrawing();
    // Spread wider than the window shows at its smallest zoom, the part is seen from
    // the case gone to.
    if (centre >= 0) {
        const CPoint at = graph.CaseAt(static_cast<std::size_t>(centre))->m_ptPos;
        if (!GetVisibleRect().PtInRect(at))
            CenterOn(at);
    }
    InvalidateAll();
}

void CZerinCaseGraphView::LeaveNeighbourhood() {
    m_bPart = false;
    m_nCentre = -1;
    m_arrDistance.clear();
    Editor().ShowOnly({});
}
