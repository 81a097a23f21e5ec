#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "base/WorkProgress.h"
#include "casegraph/CCaseGraph.h"
#include "document/CDocumentRecord.h"
#include "engines/CCaseRun.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class CDC;
class CPNElement;
class CZerinDoc;

// What the case graph view and the command line do to the drawn case graph besides the
// edits of its elements: naming it, laying it out (the first layout, layers, the
// smoothing dialog), showing a part of it with the steps between its cases, marking a
// path, the reachable cases or a hit step's objects. The document hands it out; a
// layout the user asks for is an edit like the others, the first layout of a showing is
// none.
class CCaseGraphEditor {
public:
    CCaseGraphEditor(CZerinDoc& doc, CCaseGraph& graph, CDocumentRecord& record)
        : m_doc(doc), m_graph(graph), m_record(record) {}
    CCaseGraphEditor(const CCaseGraphEditor&) = delete;
    CCaseGraphEditor& operator=(const CCaseGraphEditor&) = delete;

    const CCaseGraph& Graph() const { return m_graph; }

    // Names the cases "c1", "c2", ... and the steps "s1", "s2", ...; false, with the
    // names partly made, when the progress cancels. Unless asked anew, a graph named
    // already (read from a file) keeps its names.
    bool Name(CDC& dc, bool anew, const WorkProgress& progress = {});
    // The layout a graph gets when it is first shown (CCaseGraph::InitialLayout); the
    // page size, empty when the progress cancels. No edit: it comes with the showing.
    CSize LayOutForShowing(const WorkProgress& progress = {});
    // The cases placed as a layered drawing has them (centres by case index), as one
    // edit; false, with nothing moved, for a drawing of another number of cases.
    bool PlaceAsDrawn(const std::vector<std::pair<double, double>>& at);
    // The graph stands where a layout put it (or not, to be laid out at its next showing).
    void SetLaidOut(bool laidOut = true);
    // The page changed size since a view last asked; asking clears it.
    bool TakeResized() { return std::exchange(m_record.caseGraphResized, false); }
    // The smoothing dialog on the graph; true, as one edit, when the cases moved.
    bool Smooth(CSize& extent, const SmoothDialogRunner& showDialog);

    // Draws, hits and selects only the cases marked (by index) and the steps between
    // them. An empty list shows everything.
    void ShowOnly(std::vector<bool> shown) { m_graph.ShowOnly(std::move(shown)); }
    // Where the cases are still the engine's rows: the cases marked (a part to be shown)
    // become nodes, named, the centre placed (CCaseGraph::MakePart); false otherwise.
    bool MakePart(const std::vector<bool>& cases, std::uint32_t centre, CDC& dc) {
        return m_graph.MakePart(cases, centre, dc);
    }
    // Where not every step is drawn: the engine's steps between the cases marked are
    // drawn (without routes or names); how many.
    std::size_t AddStepsAmong(const std::vector<bool>& shown);
    // The successors of every drawn case by the engine that holds the class (all of
    // them, where not every step is drawn), else by the steps drawn; by single events
    // only with singleEvents. The engine's lists are handed as they are (on millions of
    // cases they take hundreds of megabytes); those made from the steps go into own.
    const CNodeAdjacency& Successors(bool singleEvents, std::optional<CNodeAdjacency>& own);
    // Every case's distance from the centre up to the radius (-1 beyond), by single
    // events forward and backward: where the engine finds a case's predecessors itself,
    // only those of the cases near the centre are asked for.
    std::vector<int> DistancesAround(int centre, int radius);
    // Marks the cases and steps of the path (and no others), those of the loop a run
    // repeats for ever in the loop's colour; returns the rectangle to repaint. An empty
    // path takes the marks away.
    CRect MarkPath(const std::vector<const CPNElement*>& elements,
                   const std::vector<const CPNElement*>& loop = {});
    // A path was marked since the view last asked; asking clears it.
    bool TakePathNew() { return m_graph.TakePathNew(); }
    // The elements of the path of a run from the initial case through the drawn cases,
    // steps drawn where they are not yet; empty where a case of it is not drawn.
    std::vector<const CPNElement*> PathElements(const CCaseRun& run);
    void SetShowReachability(bool show) { m_graph.SetShowReachability(show); }
    // The forward reachable classes, kept, as the analysis pane's lines.
    std::vector<std::string> ForwardReachableClasses() { return m_graph.ForwardReachableClasses(); }
    // The first element hit: a step hit gets its objects, so that it can be selected,
    // moved and shown.
    CPNElement* ElementFromPoint(CPoint pt) { return m_graph.ElementFromPoint(pt); }
    // The steps that need no objects of their own let go of them (after reading).
    void ReleasePlainSteps() { m_graph.ReleasePlainSteps(); }

private:
    CZerinDoc& m_doc;
    CCaseGraph& m_graph;
    CDocumentRecord& m_record;
};
