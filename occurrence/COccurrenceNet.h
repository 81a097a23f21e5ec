#pragma once

#include "base/CDC.h"
#include "base/CFileResult.h"
#include "base/CGraphText.h"
#include "base/CObject.h"
#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "model/CDiagram.h"
#include "model/CPNElement.h"

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CPNCondition;
class CPNElement;
class CPNEvent;
class CPNOccurrence;
class CPNPlace;
class CEditRecorder;
class CSetConditions;

// The causal record of a simulation run: places (holdings of conditions) and
// occurrences (of events) joined by edges from the consumed places to each occurrence
// and from it to the places it produced, laid out in alternating columns of places and
// occurrences, left to right in the order of the run. Owns the record and the free
// labels and polygons the user adds to its view.
//
// While recording, every condition of the current case has exactly one open place,
// the most recently added place of that condition.
class COccurrenceNet : public CObject, public CDiagram {
public:
    using ElementList = std::list<CPNElement*>;

    static constexpr CSize kInitialSize{100, 100};

    COccurrenceNet() = default;
    COccurrenceNet(const COccurrenceNet&) = delete;
    COccurrenceNet& operator=(const COccurrenceNet&) = delete;
    ~COccurrenceNet() override;

    const char* GetClassName() const override { return "COccurrenceNet"; }
    // The layout counts, the extent, the record and the decorations. Reading empties
    // the net first; the layout does not resume until the net is restarted.
    void Serialize(CArchive& ar) override;

    // Deletes the record and the decorations and starts the layout afresh.
    void Reset();
    // Numbers the net design's events 1, 2, ... and its conditions 1, 2, ... in list
    // order.
    void NumberElements(const ElementList& netElements);
    // Begins a record in the case: its places, the whole record to be laid out.
    void Start(const CSetConditions& startCase);
    // Adds a place for every condition of the case that has no open place.
    void AddPlaces(const CSetConditions& currentCase);
    // Records a step: the events of the list (other elements are passed over, an event
    // listed twice counts once) and the case after the step. A precondition without an
    // open place gives the occurrence no input edge for it.
    void RecordStep(const ElementList& stepEvents, const CSetConditions& newCase);
    // The most recently added open place of the condition, or null.
    CPNPlace* FindOpenPlace(const CPNCondition* condition) const;
    // The most recently added occurrence of the event, or null.
    CPNOccurrence* FindOccurrence(const CPNEvent* event) const;
    // "b%d" and "e%d" with the numbers of NumberElements; 0 for an element that was
    // not numbered.
    std::string GetPlaceName(const CPNCondition* condition) const;
    std::string GetOccurrenceName(const CPNEvent* event) const;

    // Places what was recorded since the last run (labels measured with the context)
    // and returns the size of the drawing.
    CSize Layout(CDC& dc);
    // The extent: at least the minimum, the decorations, the recorded elements and the
    // columns and rows of the layout.
    void RecalcSize(int minCx, int minCy);
    // The decorations, then the record on top of them.
    void Draw(CDC& dc) const;
    // Takes ownership of a free label or polygon.
    void AddDecoration(CPNElement* element);

    // --- The diagram: the record's places, occurrences and edges move; decorations
    // are added, ordered and deleted. ---
    std::uint64_t GetGeneration() const override { return m_nGeneration; }
    bool Contains(const CPNElement* element) const override;
    CRect ChangeZOrder(const ElementList& elements, bool toBack, CEditRecorder& recorder) override;
    CRect MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) override;
    CRect MoveElements(const ElementList& elements, int dx, int dy,
                       CEditRecorder& recorder) override;
    // Takes a free label or polygon.
    bool AddElement(CPNElement* element, CEditRecorder& recorder) override;
    // Deletes the listed elements that are decorations and takes them out of the list;
    // returns the rectangle to repaint.
    CRect DeleteElements(ElementList& elements, CEditRecorder& recorder) override;
    // The first recorded element hit from the head, else the topmost decoration hit.
    CPNElement* ElementFromPoint(CPoint pt) const;
    // Selects the recorded elements and then the decorations lying strictly inside the
    // rectangle and appends them to the list; returns the rectangle to repaint.
    CRect SelectInRect(const CRect& rect, bool bSimulation, ElementList& selection) override;
    // Puts the ends of the recorded edges attached to the element (null: all) back on
    // the borders; returns the rectangle to repaint.
    CRect UpdateAttachedEdges(CPNElement* element, CEditRecorder& recorder);

    // Writes the names behind the "b" and "e" labels to the occurrence net legend pane,
    // once for each state of the record.
    void WriteNames(const ElementList& netElements) const;
    // Draws the same lists from (720, -740) downwards by lineHeight, for a mapping mode
    // whose y grows upwards.
    void DrawNameLegend(CDC& dc, int lineHeight, const ElementList& netElements) const;
    // The record for other tools (GraphML, DOT): its places and occurrences (ids p1, o2,
    // ... by their place in the record) with their names ("b3", "e2"), kind, the condition
    // or event of the net they stand for and positions; its arcs.
    CGraphText GraphForOtherTools() const;
    // The "occurrencenet" document text (UTF-8, declared as windows-1250).
    std::string BuildXML() const;
    // Writes it to the path in Windows-1250; an existing file is replaced only when the
    // whole write succeeds.
    CFileResult ExportXML(const std::string& path) const;

    // Index of the last column used by the layout (0 for the first).
    // The occurrences recorded; past kMaxOccurrences no step is recorded, so that every
    // position of the layout stays one a file may hold (each step takes at most two
    // columns 50 units apart).
    static constexpr int kMaxOccurrences = (CPNElement::kMaxCoordinate - 230) / 100;
    int m_nOccurrences = 0;
    bool m_bFullReported = false;
    int m_nColumns = 0;
    // The largest number of nodes in a column.
    int m_nRows = 0;
    // The current layout column holds places.
    bool m_bPlaceColumn = true;
    mutable bool m_bNamesWritten = false;
    // The last element laid out, where the next layout run resumes after it; the list's
    // end() stands for "begin at the head", no value for "nothing to lay out".
    std::optional<ElementList::iterator> m_posLayout;
    CSize m_sizeNet = kInitialSize;
    std::unordered_map<const CPNCondition*, int> m_mapConditionNumbers;
    std::unordered_map<const CPNEvent*, int> m_mapEventNumbers;
    // The record in recording order; owned.
    ElementList m_listElements;
    // Free labels and polygons; owned.
    ElementList m_listDecorations;

private:
    std::uint64_t m_nGeneration = 0;
    // Appends a new element of the record and enters it in the indexes.
    void Append(CPNElement* element);
    void Index(CPNElement* element) const;
    // Brings the indexes up to date when the record was filled from outside (loading).
    void CheckIndex() const;

    // Per condition its places in recording order, consumed ones dropped from the
    // back as they are met: the back is the most recent open place.
    mutable std::unordered_map<const CPNCondition*, std::vector<CPNPlace*>> m_mapPlaces;
    mutable std::unordered_map<const CPNEvent*, CPNOccurrence*> m_mapLatestOccurrence;
    // How many elements of the record the indexes cover.
    mutable std::size_t m_nIndexed = 0;
    // The first occurrence of every recorded step: it opens a column of its own.
    std::unordered_set<const CPNElement*> m_setStepStarts;
};
