#include "document/CCaseGraphEditor.h"

#include "casegraph/CCaseDistances.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "engines/CNodeAdjacency.h"

bool CCaseGraphEditor::Name(CDC& dc, bool anew, const WorkProgress& progress) {
    return anew ? m_graph.NameElements(dc, progress) : m_graph.NameIfUnnamed(dc, progress);
}

CSize CCaseGraphEditor::LayOutForShowing(const WorkProgress& progress) {
    return m_graph.InitialLayout(progress);
}

void CCaseGraphEditor::SetLaidOut(bool laidOut) {
    m_record.caseGraphLaidOut = laidOut;
    m_doc.SetModifiedFlag();
}

bool CCaseGraphEditor::PlaceAsDrawn(const std::vector<std::pair<double, double>>& at) {
    if (!m_graph.PlaceOnGrid(at, &m_doc.History().Recorder(CZerinDoc::DIAGRAM_CASE_GRAPH)))
        return false;
    m_doc.SetModifiedFlag();
    return true;
}

bool CCaseGraphEditor::Smooth(CSize& extent, const SmoothDialogRunner& showDialog) {
    if (!m_graph.Smooth(extent, showDialog,
                        &m_doc.History().Recorder(CZerinDoc::DIAGRAM_CASE_GRAPH)))
        return false;
    m_doc.SetModifiedFlag();
    return true;
}

std::size_t CCaseGraphEditor::AddStepsAmong(const std::vector<bool>& shown) {
    CCaseEngine* engine = m_doc.Simulation().Engine();
    return engine ? m_graph.AddStepsAmong(shown, *engine) : 0;
}

const CNodeAdjacency& CCaseGraphEditor::Successors(bool singleEvents,
                                                   std::optional<CNodeAdjacency>& own) {
    if (CCaseEngine* engine = m_doc.Simulation().Engine())
        if (engine->CaseCount() == static_cast<int>(m_graph.CaseCount()))
            if (const CNodeAdjacency* successors =
                    singleEvents ? engine->SingleEventAdjacency() : engine->ForwardAdjacency())
                return *successors;
    return own.emplace(singleEvents ? m_graph.SingleEventAdjacency() : m_graph.ForwardAdjacency());
}

std::vector<int> CCaseGraphEditor::DistancesAround(int centre, int radius) {
    std::optional<CNodeAdjacency> own;
    const CNodeAdjacency& forward = Successors(false, own);
    CCaseEngine* engine = m_doc.Simulation().Engine();
    if (!own && engine && engine->ForEachPredecessor(centre, [](int) {}))
        return CCaseDistances::Near(
            forward,
            [engine](int node, const std::function<void(int)>& visit) {
                engine->ForEachPredecessor(node, visit);
            },
            centre, radius);
    return CCaseDistances::From(forward, centre, radius);
}

CRect CCaseGraphEditor::MarkPath(const std::vector<const CPNElement*>& elements,
                                 const std::vector<const CPNElement*>& loop) {
    return m_graph.MarkPath(elements, loop);
}

std::vector<const CPNElement*> CCaseGraphEditor::PathElements(const CCaseRun& run) {
    CCaseEngine* engine = m_doc.Simulation().Engine();
    std::vector<const CPNElement*> elements;
    if (!engine || !run.found)
        return elements;
    // Only the run's cases become nodes where the others are still the engine's rows.
    auto node = [&](const CSetConditions& c) {
        const int i = engine->IndexOf(c);
        return i >= 0 && static_cast<std::size_t>(i) < m_graph.CaseCount() ? i : -1;
    };
    int at = node(run.from);
    if (at < 0)
        return {};
    elements.push_back(m_graph.CaseAt(static_cast<std::size_t>(at)));
    for (const CCaseRun::Step& step : run.steps) {
        const int next = node(step.to);
        if (next < 0)
            return {};
        // A step undone backward is drawn forward, from the case it leads to.
        const std::size_t index = step.forward ? m_graph.FindOrAddStep(step.events, at, next)
                                               : m_graph.FindOrAddStep(step.events, next, at);
        elements.push_back(m_graph.MakeStep(index));
        elements.push_back(m_graph.CaseAt(static_cast<std::size_t>(next)));
        at = next;
    }
    return elements;
}
