#include "occurrence/COccurrenceNet.h"

#include "base/FormatString.h"
#include "base/OutputWriter.h"
#include "base/XmlText.h"
#include "model/CEditRecorder.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "occurrence/NetXml.h"

#include "base/CArchive.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <list>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Columns and rows of the layout stand 50 units apart, the first node at (80, 80).
constexpr int kSpacing = 50;
constexpr int kOrigin = 80;
constexpr int kMargin = 130;

CPoint GridPoint(int column, int row) {
    return CPoint(kSpacing * column + kOrigin, kSpacing * row + kOrigin);
}

// The label text of a place or an occurrence; empty for anything else.
std::string NodeLabel(const CPNElement* element) {
    if (auto* place = dynamic_cast<const CPNPlace*>(element))
        return place->m_label.m_strText;
    if (auto* occurrence = dynamic_cast<const CPNOccurrence*>(element))
        return occurrence->m_label.m_strText;
    return {};
}

bool IsStrictlyInside(const CRect& inner, const CRect& outer) {
    return inner.left > outer.left && inner.top > outer.top && inner.right < outer.right &&
           inner.bottom < outer.bottom;
}

} // namespace

COccurrenceNet::~COccurrenceNet() {
    for (CPNElement* e : m_listElements)
        delete e;
    for (CPNElement* e : m_listDecorations)
        delete e;
}

void COccurrenceNet::Reset() {
    ++m_nGeneration;
    m_nOccurrences = 0;
    m_bFullReported = false;
    m_sizeNet = kInitialSize;
    m_nColumns = 0;
    m_nRows = 0;
    m_bPlaceColumn = true;
    m_posLayout.reset();
    for (CPNElement* e : m_listElements)
        delete e;
    for (CPNElement* e : m_listDecorations)
        delete e;
    m_listElements.clear();
    m_listDecorations.clear();
    m_mapPlaces.clear();
    m_mapLatestOccurrence.clear();
    m_nIndexed = 0;
    m_setStepStarts.clear();
}

void COccurrenceNet::NumberElements(const ElementList& netElements) {
    m_mapConditionNumbers.clear();
    m_mapEventNumbers.clear();
    // New numbers make the written lists stale, even before the record changes.
    m_bNamesWritten = false;
    int conditions = 0;
    int events = 0;
    for (const CPNElement* e : netElements) {
        if (auto* event = dynamic_cast<const CPNEvent*>(e))
            m_mapEventNumbers[event] = ++events;
        else if (auto* condition = dynamic_cast<const CPNCondition*>(e))
            m_mapConditionNumbers[condition] = ++conditions;
    }
}

void COccurrenceNet::Start(const CSetConditions& startCase) {
    AddPlaces(startCase);
    m_posLayout = m_listElements.end();
}

void COccurrenceNet::AddPlaces(const CSetConditions& currentCase) {
    for (CPNCondition* c : currentCase)
        if (!FindOpenPlace(c))
            Append(new CPNPlace(c));
    m_bNamesWritten = false;
}

void COccurrenceNet::RecordStep(const ElementList& stepEvents, const CSetConditions& newCase) {
    if (m_nOccurrences >= kMaxOccurrences) {
        if (!m_bFullReported)
            WriteOutput(PANE_SIMULATION, "Occurrence net is full, later steps are not recorded");
        m_bFullReported = true;
        return;
    }
    std::vector<CPNOccurrence*> fired;
    for (CPNElement* e : stepEvents) {
        auto* event = dynamic_cast<CPNEvent*>(e);
        if (!event || std::any_of(fired.begin(), fired.end(),
                                  [event](const CPNOccurrence* o) { return o->m_pEvent == event; }))
            continue;
        auto* occurrence = new CPNOccurrence(event);
        Append(occurrence);
        ++m_nOccurrences;
        if (fired.empty())
            m_setStepStarts.insert(occurrence);
        fired.push_back(occurrence);
        for (CPNCondition* c : event->m_setPreConditions) {
            CPNPlace* place = FindOpenPlace(c);
            if (!place)
                continue;
            place->m_bConsumed = true;
            ++occurrence->m_nInputs;
            Append(new CPNEdge(place, occurrence, true));
        }
    }

    AddPlaces(newCase);

    // Each occurrence of this step is the latest of its event.
    for (CPNOccurrence* occurrence : fired) {
        for (CPNCondition* c : occurrence->m_pEvent->m_setPostConditions) {
            CPNPlace* place = FindOpenPlace(c);
            if (!place)
                continue;
            ++occurrence->m_nOutputs;
            Append(new CPNEdge(occurrence, place, true));
        }
    }
    m_bNamesWritten = false;
}

void COccurrenceNet::Append(CPNElement* element) {
    CheckIndex();
    m_listElements.push_back(element);
    Index(element);
    ++m_nIndexed;
}

void COccurrenceNet::Index(CPNElement* element) const {
    if (auto* place = dynamic_cast<CPNPlace*>(element))
        m_mapPlaces[place->m_pCondition].push_back(place);
    else if (auto* occurrence = dynamic_cast<CPNOccurrence*>(element))
        m_mapLatestOccurrence[occurrence->m_pEvent] = occurrence;
}

void COccurrenceNet::CheckIndex() const {
    if (m_nIndexed == m_listElements.size())
        return;
    m_mapPlaces.clear();
    m_mapLatestOccurrence.clear();
    for (CPNElement* e : m_listElements)
        Index(e);
    m_nIndexed = m_listElements.size();
}

CPNPlace* COccurrenceNet::FindOpenPlace(const CPNCondition* condition) const {
    CheckIndex();
    auto it = m_mapPlaces.find(condition);
    if (it == m_mapPlaces.end())
        return nullptr;
    // A consumed place never opens again, so it can leave the index for good.
    std::vector<CPNPlace*>& places = it->second;
    while (!places.empty() && places.back()->m_bConsumed)
        places.pop_back();
    return places.empty() ? nullptr : places.back();
}

CPNOccurrence* COccurrenceNet::FindOccurrence(const CPNEvent* event) const {
    CheckIndex();
    auto it = m_mapLatestOccurrence.find(event);
    return it == m_mapLatestOccurrence.end() ? nullptr : it->second;
}

std::string COccurrenceNet::GetPlaceName(const CPNCondition* condition) const {
    auto it = m_mapConditionNumbers.find(condition);
    return FormatString("b%d", it == m_mapConditionNumbers.end() ? 0 : it->second);
}

std::string COccurrenceNet::GetOccurrenceName(const CPNEvent* event) const {
    auto it = m_mapEventNumbers.find(event);
    return FormatString("e%d", it == m_mapEventNumbers.end() ? 0 : it->second);
}

namespace {

// The places and occurrences of the record by the cells of the page their bounds touch,
// kept up to date as the layout moves them, so that finding the node at a point looks at
// one cell instead of the whole record. Ties go to the node nearest the head.
class NodeCells {
public:
    explicit NodeCells(const std::list<CPNElement*>& elements) {
        std::size_t order = 0;
        for (CPNElement* e : elements)
            if (dynamic_cast<CPNPlace*>(e) || dynamic_cast<CPNOccurrence*>(e)) {
                m_mapOrder.emplace(e, order++);
                Insert(e);
            }
    }
    void MoveTo(CPNElement* node, CPoint pt) {
        const bool indexed = m_mapOrder.count(node) != 0;
        if (indexed)
            Remove(node);
        node->MoveTo(pt);
        if (indexed)
            Insert(node);
    }
    CPNElement* NodeAt(CPoint pt, const CPNElement* excluded) const {
        const auto it = m_mapCells.find(Key(pt.x >> kShift, pt.y >> kShift));
        if (it == m_mapCells.end())
            return nullptr;
        CPNElement* found = nullptr;
        for (CPNElement* e : it->second)
            if (e != excluded && e->HitTest(pt) &&
                (!found || m_mapOrder.at(e) < m_mapOrder.at(found)))
                found = e;
        return found;
    }

private:
    static constexpr int kShift = 6;
    static std::int64_t Key(std::int64_t cx, std::int64_t cy) {
        return (cx << 32) ^ (cy & 0xffffffff);
    }
    template <class F> static void ForCells(const CPNElement* e, F f) {
        const CRect r = e->GetBoundRect();
        for (int cy = r.top >> kShift; cy <= r.bottom >> kShift; ++cy)
            for (int cx = r.left >> kShift; cx <= r.right >> kShift; ++cx)
                f(Key(cx, cy));
    }
    void Insert(CPNElement* e) {
        ForCells(e, [&](std::int64_t key) { m_mapCells[key].insert(e); });
    }
    void Remove(CPNElement* e) {
        ForCells(e, [&](std::int64_t key) { m_mapCells[key].erase(e); });
    }

    std::unordered_map<const CPNElement*, std::size_t> m_mapOrder;
    std::unordered_map<std::int64_t, std::unordered_set<CPNElement*>> m_mapCells;
};

} // namespace

CSize COccurrenceNet::Layout(CDC& dc) {
    if (m_posLayout) {
        const bool fromHead = *m_posLayout == m_listElements.end();
        const auto first = fromHead ? m_listElements.begin() : std::next(*m_posLayout);
        if (fromHead) {
            // Laying out the whole record starts the columns afresh, so that a record
            // started again without a reset is not pushed to the right of itself.
            m_nColumns = 0;
            m_nRows = 0;
            m_bPlaceColumn = true;
        }
        int row = 0;
        NodeCells cells(m_listElements);
        for (auto it = first; it != m_listElements.end(); ++it) {
            CPNElement* e = *it;
            if (auto* occurrence = dynamic_cast<CPNOccurrence*>(e)) {
                // A step's occurrences never share a column with an earlier step's,
                // even when that step produced no place.
                if (m_bPlaceColumn || m_setStepStarts.count(occurrence)) {
                    ++m_nColumns;
                    m_bPlaceColumn = false;
                    row = 0;
                }
                cells.MoveTo(occurrence, GridPoint(m_nColumns, row));
                occurrence->m_label.SetText(GetOccurrenceName(occurrence->m_pEvent), dc);
                m_nRows = std::max(m_nRows, ++row);
            } else if (auto* place = dynamic_cast<CPNPlace*>(e)) {
                if (!m_bPlaceColumn) {
                    ++m_nColumns;
                    m_bPlaceColumn = true;
                    row = 0;
                }
                cells.MoveTo(place, GridPoint(m_nColumns, row));
                place->m_label.SetText(GetPlaceName(place->m_pCondition), dc);
                m_nRows = std::max(m_nRows, ++row);
            } else if (auto* edge = dynamic_cast<CPNEdge*>(e)) {
                CPNElement* from = edge->m_pFrom;
                CPNElement* to = edge->m_pTo;
                if (!from || !to)
                    continue;
                auto* toOccurrence = dynamic_cast<CPNOccurrence*>(to);
                auto* fromOccurrence = dynamic_cast<CPNOccurrence*>(from);
                const bool straight = (toOccurrence && toOccurrence->m_nInputs <= 1) ||
                                      (fromOccurrence && fromOccurrence->m_nOutputs <= 1);
                if (straight && from->m_ptPos.y != to->m_ptPos.y) {
                    // The end comes onto the start's row; whatever stood there takes
                    // the end's former place.
                    const CPoint target(to->m_ptPos.x, from->m_ptPos.y);
                    if (CPNElement* occupant = cells.NodeAt(target, to))
                        cells.MoveTo(occupant, to->m_ptPos);
                    cells.MoveTo(to, target);
                }
            }
        }
        for (auto it = first; it != m_listElements.end(); ++it)
            if (auto* edge = dynamic_cast<CPNEdge*>(*it))
                edge->ResetPoints();
        if (first != m_listElements.end())
            m_posLayout = std::prev(m_listElements.end());
    }
    m_sizeNet = CSize(kSpacing * m_nColumns + kMargin, kSpacing * m_nRows + kMargin);
    return m_sizeNet;
}

void COccurrenceNet::RecalcSize(int minCx, int minCy) {
    CRect all;
    for (const CPNElement* e : m_listDecorations)
        all |= e->GetBoundRect();
    // The user may have dragged recorded nodes beyond the layout's grid.
    for (const CPNElement* e : m_listElements)
        all |= e->GetBoundRect();
    m_sizeNet.cx = std::max({minCx, std::max(all.right, 100), kSpacing * m_nColumns + kMargin});
    m_sizeNet.cy = std::max({minCy, std::max(all.bottom, 100), kSpacing * m_nRows + kMargin});
}

void COccurrenceNet::Draw(CDC& dc) const {
    for (const CPNElement* e : m_listDecorations)
        e->Draw(dc);
    for (const CPNElement* e : m_listElements)
        e->Draw(dc);
}

void COccurrenceNet::AddDecoration(CPNElement* element) {
    if (element)
        m_listDecorations.push_back(element);
}

bool COccurrenceNet::Contains(const CPNElement* element) const {
    for (const ElementList* list : {&m_listElements, &m_listDecorations})
        if (std::find(list->begin(), list->end(), element) != list->end())
            return true;
    return false;
}

bool COccurrenceNet::AddElement(CPNElement* element, CEditRecorder& recorder) {
    if (!element)
        return false;
    recorder.ModifyList(m_listDecorations);
    AddDecoration(element);
    return true;
}

CRect COccurrenceNet::DeleteElements(ElementList& elements, CEditRecorder& recorder) {
    CRect result;
    for (auto it = elements.begin(); it != elements.end();) {
        CPNElement* e = *it;
        auto pos = std::find(m_listDecorations.begin(), m_listDecorations.end(), e);
        if (pos == m_listDecorations.end()) {
            ++it;
            continue;
        }
        recorder.ModifyList(m_listDecorations);
        m_listDecorations.erase(pos);
        result |= e->GetBoundRect();
        recorder.Discard(e);
        // The same element listed twice must not be deleted twice.
        elements.remove(e);
        it = elements.begin();
    }
    return result;
}

CRect COccurrenceNet::MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) {
    recorder.Modify(element);
    CRect rect = element->MoveTo(pt);
    if (dynamic_cast<CPNPlace*>(element) || dynamic_cast<CPNOccurrence*>(element))
        rect |= UpdateAttachedEdges(element, recorder);
    return rect;
}

CRect COccurrenceNet::MoveElements(const ElementList& elements, int dx, int dy,
                                   CEditRecorder& recorder) {
    CRect rect;
    for (CPNElement* e : elements) {
        if (!Contains(e))
            continue;
        recorder.Modify(e);
        rect |= e->GetBoundRect();
        rect |= e->Offset(dx, dy);
        rect |= e->GetBoundRect();
    }
    // The record's edges follow their places and occurrences; an edge moved itself
    // keeps its ends on theirs.
    for (CPNElement* e : elements) {
        if (dynamic_cast<CPNPlace*>(e) || dynamic_cast<CPNOccurrence*>(e))
            rect |= UpdateAttachedEdges(e, recorder);
        else if (auto* edge = dynamic_cast<CPNEdge*>(e);
                 edge && Contains(edge) && edge->UpdateEnds(nullptr))
            rect |= edge->GetBoundRect();
    }
    return rect;
}

CPNElement* COccurrenceNet::ElementFromPoint(CPoint pt) const {
    for (CPNElement* e : m_listElements)
        if (e->HitTest(pt))
            return e;
    for (auto it = m_listDecorations.rbegin(); it != m_listDecorations.rend(); ++it)
        if ((*it)->HitTest(pt))
            return *it;
    return nullptr;
}

CRect COccurrenceNet::SelectInRect(const CRect& rect, bool /*bSimulation*/,
                                   ElementList& selection) {
    CRect result;
    for (ElementList* list : {&m_listElements, &m_listDecorations}) {
        for (CPNElement* e : *list) {
            const CRect bounds = e->GetBoundRect();
            if (!IsStrictlyInside(bounds, rect))
                continue;
            e->m_bSelected = true;
            selection.push_back(e);
            result |= bounds;
        }
    }
    return result;
}

CRect COccurrenceNet::ChangeZOrder(const ElementList& elements, bool toBack,
                                   CEditRecorder& recorder) {
    recorder.ModifyList(m_listDecorations);
    CRect result;
    for (CPNElement* e : elements) {
        auto pos = std::find(m_listDecorations.begin(), m_listDecorations.end(), e);
        if (pos != m_listDecorations.end()) {
            m_listDecorations.erase(pos);
            if (toBack)
                m_listDecorations.push_front(e);
            else
                m_listDecorations.push_back(e);
        }
        result |= e->GetBoundRect();
    }
    return result;
}

CRect COccurrenceNet::UpdateAttachedEdges(CPNElement* element, CEditRecorder& recorder) {
    CRect result;
    for (auto it = m_listElements.rbegin(); it != m_listElements.rend(); ++it) {
        if (auto* edge = dynamic_cast<CPNEdge*>(*it)) {
            if (element && !edge->IsAttachedTo(element))
                continue;
            recorder.Modify(edge);
            const CRect before = edge->GetBoundRect();
            if (edge->UpdateEnds(element))
                result |= before | edge->GetBoundRect();
        }
    }
    return result;
}

void COccurrenceNet::WriteNames(const ElementList& netElements) const {
    if (m_bNamesWritten)
        return;
    m_bNamesWritten = true;
    ClearOutputPane(PANE_OCCURRENCENET_LEGEND);
    // The counters take every condition and every event, as NumberElements does, so
    // that the lines translate the labels even where an element has no name label.
    WriteOutput(PANE_OCCURRENCENET_LEGEND, "Names of places...");
    int number = 0;
    for (const CPNElement* e : netElements) {
        if (auto* c = dynamic_cast<const CPNCondition*>(e)) {
            ++number;
            if (c->m_pLabel)
                WriteOutput(PANE_OCCURRENCENET_LEGEND,
                            FormatString("b%d: ", number) + c->m_pLabel->m_strText);
        }
    }
    WriteOutput(PANE_OCCURRENCENET_LEGEND, "");
    WriteOutput(PANE_OCCURRENCENET_LEGEND, "Names of occurrences...");
    number = 0;
    for (const CPNElement* e : netElements) {
        if (auto* ev = dynamic_cast<const CPNEvent*>(e)) {
            ++number;
            if (ev->m_pLabel)
                WriteOutput(PANE_OCCURRENCENET_LEGEND,
                            FormatString("e%d: ", number) + ev->m_pLabel->m_strText);
        }
    }
}

void COccurrenceNet::DrawNameLegend(CDC& dc, int lineHeight, const ElementList& netElements) const {
    constexpr int kX = 720;
    int y = -740;
    dc.TextOut(kX, y, "Names of conditions:");
    int number = 0;
    for (const CPNElement* e : netElements) {
        if (auto* c = dynamic_cast<const CPNCondition*>(e)) {
            ++number;
            if (c->m_pLabel) {
                y -= lineHeight;
                dc.TextOut(kX, y, FormatString("b%d: ", number) + c->m_pLabel->m_strText);
            }
        }
    }
    y -= 2 * lineHeight;
    dc.TextOut(kX, y, "Names of events:");
    number = 0;
    for (const CPNElement* e : netElements) {
        if (auto* ev = dynamic_cast<const CPNEvent*>(e)) {
            ++number;
            if (ev->m_pLabel) {
                y -= lineHeight;
                dc.TextOut(kX, y, FormatString("e%d: ", number) + ev->m_pLabel->m_strText);
            }
        }
    }
}

std::string COccurrenceNet::BuildXML() const {
    std::string xml = NetXml::Begin("occurrencenet");
    for (const CPNElement* e : m_listElements) {
        if (auto* place = dynamic_cast<const CPNPlace*>(e))
            xml += "  <place name=\"" + XmlText::Escape(place->m_label.m_strText) + "\">" +
                   XmlText::Escape(place->m_strName) + "</place>\n";
    }
    for (const CPNElement* e : m_listElements) {
        if (auto* occurrence = dynamic_cast<const CPNOccurrence*>(e))
            xml += "  <occurrence name=\"" + XmlText::Escape(occurrence->m_label.m_strText) +
                   "\">" + XmlText::Escape(occurrence->m_strName) + "</occurrence>\n";
    }
    for (const CPNElement* e : m_listElements) {
        if (auto* edge = dynamic_cast<const CPNEdge*>(e))
            xml += NetXml::Edge(NodeLabel(edge->m_pFrom), NodeLabel(edge->m_pTo));
    }
    return xml + NetXml::End("occurrencenet");
}

CGraphText COccurrenceNet::GraphForOtherTools() const {
    CGraphText graph("occurrencenet");
    std::map<const CPNElement*, std::string> ids;
    // A node's id: p or o and its place in the list (the labels "b3", "e2" repeat where a
    // condition holds or an event occurs more than once); the label is its name.
    int n = 0;
    for (const CPNElement* e : m_listElements) {
        ++n;
        const auto* place = dynamic_cast<const CPNPlace*>(e);
        const auto* occurrence = dynamic_cast<const CPNOccurrence*>(e);
        if (!place && !occurrence)
            continue;
        const std::string& label = place ? place->m_label.m_strText : occurrence->m_label.m_strText;
        const std::string id = (place ? "p" : "o") + std::to_string(n);
        ids[e] = id;
        graph.AddNode({id,
                       {{"name", label},
                        {"kind", place ? "condition" : "event"},
                        {"of", place ? place->m_strName : occurrence->m_strName}},
                       std::make_pair(e->m_ptPos.x, e->m_ptPos.y)});
    }
    for (const CPNElement* e : m_listElements)
        if (const auto* edge = dynamic_cast<const CPNEdge*>(e);
            edge && ids.count(edge->m_pFrom) != 0 && ids.count(edge->m_pTo) != 0)
            graph.AddEdge({ids[edge->m_pFrom], ids[edge->m_pTo], {}});
    return graph;
}

CFileResult COccurrenceNet::ExportXML(const std::string& path) const {
    return XmlText::Save(path, BuildXML());
}

void COccurrenceNet::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nColumns);
        ar.WriteInt32(m_nRows);
        ar.WriteSize(m_sizeNet);
        ar.WriteObjectList(m_listElements);
        ar.WriteObjectList(m_listDecorations);
        return;
    }
    Reset();
    m_nColumns = ar.ReadInt32();
    m_nRows = ar.ReadInt32();
    m_sizeNet = ar.ReadSize();
    ar.ReadObjectList<CPNElement>(m_listElements);
    ar.ReadObjectList<CPNElement>(m_listDecorations);
    m_nOccurrences = static_cast<int>(
        std::count_if(m_listElements.begin(), m_listElements.end(),
                      [](const CPNElement* e) { return dynamic_cast<const CPNOccurrence*>(e); }));
    // A record saved before it was shown in full holds nodes the layout never named: the
    // next layout goes on from the first of them, as it would have before the save.
    const auto unnamed =
        std::find_if(m_listElements.begin(), m_listElements.end(), [](const CPNElement* e) {
            if (auto* place = dynamic_cast<const CPNPlace*>(e))
                return place->m_label.m_strText.empty();
            if (auto* occurrence = dynamic_cast<const CPNOccurrence*>(e))
                return occurrence->m_label.m_strText.empty();
            return false;
        });
    if (unnamed != m_listElements.end())
        m_posLayout = unnamed == m_listElements.begin() ? m_listElements.end() : std::prev(unnamed);
}
