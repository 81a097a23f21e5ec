#include "views/CZerinCaseGraphView.h"

#include "casegraph/CCaseDistances.h"
#include "casegraph/CPNCase.h"
#include "document/CZerinDoc.h"
#include "model/CPNCondition.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>
#include <cstdio>

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
    return static_cast<long long>(graph.Cases().size()) > m_nOverviewCases ||
           static_cast<long long>(graph.StepCount()) > m_nOverviewSteps;
}

void CZerinCaseGraphView::RefreshOverview() {
    const CCaseGraph& graph = Graph();
    if (!m_pOverview || m_nOverviewGeneration != graph.GetGeneration() ||
        m_pOverview->Groups().empty() || m_pOverview->GetGrouping() != m_eGrouping) {
        m_pOverview = std::make_unique<CCaseGraphOverview>(
            Editor().Successors(false), Editor().Successors(true), m_eGrouping);
        m_nOverviewGeneration = graph.GetGeneration();
    }
    // Nothing of the graph is selected or made here.
    m_nTool = Cmd::ID_TOOL_SELECT;
    m_nMarkedGroup = -1;
    for (std::size_t i = 0; i < graph.Cases().size(); ++i)
        if (graph.Cases()[i]->m_bCurrent)
            m_nMarkedGroup = static_cast<int>(m_pOverview->GroupOf(static_cast<std::uint32_t>(i)));
}

void CZerinCaseGraphView::OnShowWholeGraph() {
    // From a part, back to all of the graph.
    if (m_bPart) {
        LeaveNeighbourhood();
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
    const int cases = static_cast<int>(graph.Cases().size());
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
            const CSetConditions& c =
                graph.Cases()[static_cast<std::size_t>(i)]->m_setConditions;
            if (c.Includes(with) && !c.Meets(without))
                centre = i;
        }
        if (centre < 0) {
            error = "No case holds the wanted conditions and none of the unwanted.";
            return false;
        }
    }
    ShowNeighbourhood(centre, std::clamp(radius, 1, 3));
    return true;
}

void CZerinCaseGraphView::ShowNeighbourhood(int centre, int radius) {
    // The neighbourhood is drawn where the whole graph has its cases.
    if (!LayOutForPart())
        return;
    m_arrDistance = CCaseDistances(Editor().Successors(false)).From(centre, radius);
    std::vector<bool> shown(m_arrDistance.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = m_arrDistance[i] >= 0;
    m_nRadius = radius;
    // With its steps on demand the graph was laid out without them: the cases lie where
    // their numbers put them, far apart. The neighbourhood's steps are made, and its
    // cases gathered around the centre (where the graph keeps no place in the file).
    if (!Graph().HasAllSteps()) {
        Editor().AddStepsAmong(shown);
        Gather(static_cast<std::uint32_t>(centre), NeighbourhoodOrder());
    }
    ShowPart(std::move(shown), centre);
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

void CZerinCaseGraphView::Gather(std::uint32_t centre, const std::vector<std::uint32_t>& order) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GetDocument().MoveCases(Graph().GatherAround(centre, order));
    QApplication::restoreOverrideCursor();
}

void CZerinCaseGraphView::OnLayOutNeighbourhood() {
    if (m_bSimulation || !m_bPart || m_nCentre < 0)
        return;
    Gather(static_cast<std::uint32_t>(m_nCentre), NeighbourhoodOrder());
    GetDocument().SetModifiedFlag();
    ZoomToDrawing();
    InvalidateAll();
}

void CZerinCaseGraphView::OpenGroup(std::uint32_t group) {
    const std::vector<std::uint32_t> cases = m_pOverview->CasesOf(group);
    const CCaseGraph& graph = Graph();
    std::vector<bool> shown(graph.Cases().size(), false);
    for (const std::uint32_t node : cases)
        if (node < shown.size())
            shown[node] = true;
    if (!LayOutForPart())
        return;
    m_arrDistance.clear();
    // With the steps on demand, as a neighbourhood: gathered, with its steps where they
    // are few enough to draw.
    if (!graph.HasAllSteps() && !cases.empty()) {
        if (cases.size() <= kGroupStepsOnDemand)
            Editor().AddStepsAmong(shown);
        Gather(cases.front(), std::vector<std::uint32_t>(cases.begin() + 1, cases.end()));
    }
    ShowPart(std::move(shown), -1);
}

bool CZerinCaseGraphView::LayOutForPart() {
    if (!ShowsOverview() && GetDocument().Record().caseGraphLaidOut)
        return true;
    m_bWholeGraph = true;
    return RefreshBusy();
}

bool CZerinCaseGraphView::RefreshBusy() {
    // The cases too: with the steps on demand there are few steps but many cases.
    if (Graph().StepCount() + Graph().Cases().size() <=
        static_cast<std::size_t>(m_nProgressSteps)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Refresh();
        QApplication::restoreOverrideCursor();
        return true;
    }
    // Laying out and naming millions of steps takes seconds: their progress, and Cancel.
    QProgressDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Show Whole Graph"));
    dialog.setCancelButtonText(QStringLiteral("Cancel"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setRange(0, 4000);
    dialog.setMinimumDuration(100);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    static const char* const kStages[] = {
        "Naming the cases and steps...", "Laying out the cases and steps...",
        "Writing the names of the cases and steps...", "Drawing the steps..."};
    const WorkProgress progress = [&](std::size_t done, std::size_t total) {
        dialog.setLabelText(QString::fromUtf8(kStages[m_nStage]));
        dialog.setValue(m_nStage * 1000 +
                        static_cast<int>(total == 0 ? 1000 : 1000.0 * done / total));
        QCoreApplication::processEvents();
        return !dialog.wasCanceled();
    };
    m_bPreparing = true;
    const bool done = RefreshWith(progress);
    m_bPreparing = false;
    InvalidateAll();
    if (done)
        return true;
    // Cancelled: back to the overview, as before the command.
    m_bWholeGraph = false;
    if (IsLarge())
        Refresh();
    return false;
}

void CZerinCaseGraphView::ShowPart(std::vector<bool> shown, int centre) {
    CZerinDoc& doc = GetDocument();
    const CCaseGraph& graph = Graph();
    Editor().ShowOnly(std::move(shown));
    m_bPart = true;
    m_nCentre = centre;
    m_nPartGeneration = graph.GetGeneration();
    InvalidateLogical(doc.Selection().Clear());
    // Outside the token game the centre is selected; in it the current case is red.
    if (!m_bSimulation && centre >= 0)
        doc.Selection().Select(graph.Cases()[static_cast<std::size_t>(centre)], false);
    ZoomToDrawing();
    // Spread wider than the window shows at its smallest zoom, the part is seen from
    // the case gone to.
    if (centre >= 0) {
        const CPoint at = graph.Cases()[static_cast<std::size_t>(centre)]->m_ptPos;
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
