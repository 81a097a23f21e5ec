#include "document/CDocumentValidator.h"

#include "casegraph/CCaseGraph.h"
#include "casegraph/CPNCase.h"
#include "casegraph/CPNStep.h"
#include "base/CArchiveException.h"
#include "document/CZerinDoc.h"
#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CPNPolygon.h"
#include "occurrence/COccurrenceNet.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"

#include <cstddef>
#include <typeinfo>

namespace {

// No diagram of the program comes near this; a larger extent is a damaged file.
constexpr int kMaxExtent = 1000000;

// Positions and rectangles lie within this distance of the origin: the geometry of
// routes, midpoints and bounds is integer arithmetic that a far-off point would overflow.
constexpr int kMaxCoordinate = CPNElement::kMaxCoordinate;

[[noreturn]] void Fail(const char* what) {
    throw CArchiveException(CArchiveException::Cause::InconsistentStructure, what);
}

void Require(bool condition, const char* what) {
    if (!condition)
        Fail(what);
}

void CheckPoint(CPoint pt) {
    Require(pt.x >= -kMaxCoordinate && pt.x <= kMaxCoordinate && pt.y >= -kMaxCoordinate &&
                pt.y <= kMaxCoordinate,
            "coordinate out of range");
}

void CheckRect(const CRect& rc) {
    CheckPoint(CPoint(rc.left, rc.top));
    CheckPoint(CPoint(rc.right, rc.bottom));
}

void CheckPoints(const CEdgePointList& points) {
    for (const CEdgePoint& point : points) {
        CheckPoint(point.m_pt);
        CheckRect(point.m_rcSegment);
    }
}

void CheckLabelPlacement(const CPNLabel& label) {
    CheckPoint(label.m_ptPos);
    CheckRect(label.m_rcText);
}

// Every stored point and rectangle of the element, its embedded label included.
void CheckPlacement(const CObject* object) {
    auto* element = dynamic_cast<const CPNElement*>(object);
    if (!element)
        return;
    CheckPoint(element->m_ptPos);
    if (auto* label = dynamic_cast<const CPNLabel*>(element)) {
        CheckLabelPlacement(*label);
    } else if (auto* edge = dynamic_cast<const CPNEdge*>(element)) {
        CheckRect(edge->m_rcBounds);
        CheckPoints(edge->m_listPoints);
    } else if (auto* polygon = dynamic_cast<const CPNPolygon*>(element)) {
        CheckRect(polygon->m_rcBounds);
        CheckPoints(polygon->m_listPoints);
    } else if (auto* node = dynamic_cast<const CPNCase*>(element)) {
        CheckLabelPlacement(node->m_label);
    } else if (auto* place = dynamic_cast<const CPNPlace*>(element)) {
        CheckLabelPlacement(place->m_label);
    } else if (auto* occurrence = dynamic_cast<const CPNOccurrence*>(element)) {
        CheckLabelPlacement(occurrence->m_label);
    }
}

template <class T> bool IsExactly(const CObject* object) {
    return object && typeid(*object) == typeid(T);
}

void CheckExtent(int cx, int cy, const char* what) {
    Require(cx > 0 && cy > 0 && cx <= kMaxExtent && cy <= kMaxExtent, what);
}

// Vertices at the even positions, midpoint handles between them, end points first and
// last only: the point handling walks the list by these flags.
bool IsRouteShape(const CEdgePointList& points) {
    std::size_t i = 0;
    const std::size_t last = points.size() - 1;
    for (const CEdgePoint& point : points) {
        if (point.m_bVertex != (i % 2 == 0) || point.m_bEnd != (i == 0 || i == last))
            return false;
        ++i;
    }
    return true;
}

// An edge has no route until it is routed, or a route of 2n + 3 points; it is bent
// exactly when the route has a bend point, as the drawing of its segments assumes.
void CheckRoute(const CPNEdge& edge) {
    const CEdgePointList& points = edge.m_listPoints;
    Require(edge.m_bBent == (points.size() >= 5), "edge bend flag");
    if (points.empty())
        return;
    Require(points.size() >= 3 && points.size() % 2 == 1 && IsRouteShape(points), "edge route");
}

void CheckOutline(const CEdgePointList& points) {
    Require(points.size() >= 5 && points.size() % 2 == 1 && IsRouteShape(points) &&
                points.front().m_pt == points.back().m_pt,
            "polygon outline");
}

// An embedded label names the element that holds it, or nothing.
void CheckEmbeddedLabel(const CPNLabel& label, const CPNElement* holder) {
    Require(!label.m_pOwner || label.m_pOwner == holder, "embedded label owner");
}

template <class Range> std::size_t Size(const Range& range) {
    return static_cast<std::size_t>(std::size(range));
}

bool CountMatches(int count, std::size_t size) {
    return count >= 0 && static_cast<std::size_t>(count) == size;
}

} // namespace

void CDocumentValidator::Validate(const CZerinDoc& doc, const std::vector<CObject*>& loaded) {
    CDocumentValidator validator(doc);
    validator.CheckDocument();
    validator.CheckOwnership(loaded);
    for (const CObject* object : loaded)
        CheckPlacement(object);
    for (CPoint pt : doc.CaseGraph().SavedPositions())
        CheckPoint(pt);
    validator.CheckNetDesign();
    validator.CheckCaseGraph();
    validator.CheckOccurrenceNet();
}

void CDocumentValidator::CheckDocument() const {
    Require(m_doc.Record().gridSize > 0 && m_doc.Record().gridSize <= kMaxExtent, "grid size");
}

void CDocumentValidator::CheckOwnership(const std::vector<CObject*>& loaded) {
    std::unordered_set<const CPNElement*> owned;
    auto take = [&](std::unordered_set<const CPNElement*>& into, const auto& elements) {
        for (const CPNElement* element : elements) {
            Require(owned.insert(element).second, "element held twice");
            into.insert(element);
        }
    };
    const CCaseGraph& graph = m_doc.CaseGraph();
    std::unordered_set<const CPNElement*> graphParts;
    take(m_setNet, m_doc.NetDesign().m_listElements);
    take(m_setCases, graph.Cases());
    take(graphParts, graph.StepObjects());
    take(graphParts, graph.StepLabels());
    take(m_setGraphFree, graph.FreeElements());
    take(m_setRecord, m_doc.OccurrenceNet().m_listElements);
    take(m_setDecorations, m_doc.OccurrenceNet().m_listDecorations);
    // Whatever the file made and no container holds would be lost or, worse, referred
    // to after the containers are emptied.
    for (const CObject* object : loaded) {
        auto* element = dynamic_cast<const CPNElement*>(object);
        Require(element && owned.count(element) == 1, "object held by no container");
    }
    Require(owned.size() == loaded.size(), "object held by no container");
}

bool CDocumentValidator::IsNetCondition(const CObject* object) const {
    return IsExactly<CPNCondition>(object) &&
           m_setNet.count(static_cast<const CPNElement*>(object)) == 1;
}

bool CDocumentValidator::IsNetEvent(const CObject* object) const {
    return IsExactly<CPNEvent>(object) &&
           m_setNet.count(static_cast<const CPNElement*>(object)) == 1;
}

void CDocumentValidator::CheckNetDesign() const {
    const CNetDesign& net = m_doc.NetDesign();
    CheckExtent(net.m_sizeNet.cx, net.m_sizeNet.cy, "net design extent");
    auto checkNameLabel = [&](const CPNElement* element, const CPNLabel* label) {
        Require(!label || (IsExactly<CPNLabel>(label) && m_setNet.count(label) == 1 &&
                           label->m_pOwner == element),
                "name label");
    };
    for (const CPNElement* element : net.m_listElements) {
        if (IsExactly<CPNCondition>(element)) {
            checkNameLabel(element, static_cast<const CPNCondition*>(element)->m_pLabel);
        } else if (IsExactly<CPNEvent>(element)) {
            checkNameLabel(element, static_cast<const CPNEvent*>(element)->m_pLabel);
        } else if (IsExactly<CPNLabel>(element)) {
            const CPNElement* owner = static_cast<const CPNLabel*>(element)->m_pOwner;
            if (owner) {
                const CPNLabel* named = nullptr;
                if (IsNetCondition(owner))
                    named = static_cast<const CPNCondition*>(owner)->m_pLabel;
                else if (IsNetEvent(owner))
                    named = static_cast<const CPNEvent*>(owner)->m_pLabel;
                Require(named == element, "label owner");
            }
        } else if (IsExactly<CPNEdge>(element)) {
            auto* edge = static_cast<const CPNEdge*>(element);
            Require(edge->m_pFrom && edge->m_pTo && edge->m_pFrom != edge && edge->m_pTo != edge &&
                        m_setNet.count(edge->m_pFrom) == 1 && m_setNet.count(edge->m_pTo) == 1,
                    "edge ends");
            CheckRoute(*edge);
        } else if (IsExactly<CPNPolygon>(element)) {
            CheckOutline(static_cast<const CPNPolygon*>(element)->m_listPoints);
        } else {
            Fail("element kind in the net design");
        }
    }
}

void CDocumentValidator::CheckCaseGraph() const {
    const CCaseGraph& graph = m_doc.CaseGraph();
    // The grid sizes matter only to a graph laid out on them: an empty or not laid-out
    // graph keeps whatever its writer left there (0 from some), and is laid out afresh.
    if (graph.IsLaidOut() && graph.CaseCount() > 0)
        Require(graph.GridSize() > 0 && graph.GridSize() <= kMaxExtent &&
                    graph.MinGridSize() > 0 && graph.MinGridSize() <= kMaxExtent,
                "case graph grid size");
    CheckExtent(graph.Extent().cx, graph.Extent().cy, "case graph extent");
    const CCaseGraph::FileCounts counts = graph.CountsAsRead();
    Require(CountMatches(counts.cases, Size(graph.Cases())) &&
                CountMatches(counts.steps, Size(graph.StepObjects())) &&
                CountMatches(counts.stepLabels, Size(graph.StepLabels())) &&
                CountMatches(counts.netEvents, Size(graph.NetEvents())) &&
                CountMatches(counts.savedPositions, Size(graph.SavedPositions())),
            "case graph counts");
    Require(graph.StepLabels().size() <= graph.StepObjects().size(), "step labels");

    for (const CPNCase* node : graph.Cases()) {
        Require(IsExactly<CPNCase>(node) && !node->m_pLabel, "case graph node");
        CheckEmbeddedLabel(node->m_label, node);
        for (const CPNCondition* condition : node->m_setConditions)
            Require(IsNetCondition(condition), "case member");
    }
    for (std::size_t i = 0; i < graph.StepObjects().size(); ++i) {
        const CPNStep* step = graph.StepObjects()[i];
        Require(IsExactly<CPNStep>(step), "case graph arc");
        Require(step->m_pFrom && step->m_pTo && m_setCases.count(step->m_pFrom) == 1 &&
                    m_setCases.count(step->m_pTo) == 1,
                "case graph arc ends");
        CheckRoute(*step);
        for (const CPNEvent* event : step->m_setEvents)
            Require(IsNetEvent(event), "step member");
        const CPNLabel* label =
            i < graph.StepLabels().size() ? graph.StepLabels()[i] : nullptr;
        Require(!step->m_pLabel || step->m_pLabel == label, "step label");
    }
    for (std::size_t i = 0; i < graph.StepLabels().size(); ++i) {
        const CPNLabel* label = graph.StepLabels()[i];
        Require(IsExactly<CPNLabel>(label) && label->m_pOwner == graph.StepObjects()[i],
                "step label owner");
    }
    for (const CPNEvent* event : graph.NetEvents())
        Require(IsNetEvent(event), "net event of the case graph");
    CheckFreeElements(graph.FreeElements());
}

void CDocumentValidator::CheckOccurrenceNet() const {
    const COccurrenceNet& record = m_doc.OccurrenceNet();
    Require(record.m_nColumns >= 0 && record.m_nRows >= 0, "occurrence net layout");
    CheckExtent(record.m_sizeNet.cx, record.m_sizeNet.cy, "occurrence net extent");
    auto isNode = [&](const CPNElement* element) {
        return m_setRecord.count(element) == 1 &&
               (IsExactly<CPNPlace>(element) || IsExactly<CPNOccurrence>(element));
    };
    for (const CPNElement* element : record.m_listElements) {
        if (IsExactly<CPNPlace>(element)) {
            auto* place = static_cast<const CPNPlace*>(element);
            Require(IsNetCondition(place->m_pCondition) && !place->m_pLabel, "place");
            CheckEmbeddedLabel(place->m_label, place);
        } else if (IsExactly<CPNOccurrence>(element)) {
            auto* occurrence = static_cast<const CPNOccurrence*>(element);
            Require(IsNetEvent(occurrence->m_pEvent) && !occurrence->m_pLabel, "occurrence");
            CheckEmbeddedLabel(occurrence->m_label, occurrence);
        } else if (IsExactly<CPNEdge>(element)) {
            auto* edge = static_cast<const CPNEdge*>(element);
            Require(isNode(edge->m_pFrom) && isNode(edge->m_pTo), "occurrence net edge ends");
            CheckRoute(*edge);
        } else {
            Fail("element kind in the occurrence net");
        }
    }
    CheckFreeElements(record.m_listDecorations);
}

void CDocumentValidator::CheckFreeElements(const std::list<CPNElement*>& elements) const {
    for (const CPNElement* element : elements) {
        if (IsExactly<CPNLabel>(element))
            Require(!static_cast<const CPNLabel*>(element)->m_pOwner, "free label owner");
        else if (IsExactly<CPNPolygon>(element))
            CheckOutline(static_cast<const CPNPolygon*>(element)->m_listPoints);
        else
            Fail("free element kind");
    }
}
