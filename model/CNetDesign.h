#pragma once

#include "base/CDC.h"
#include "base/CObject.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "model/CDiagram.h"
#include "model/CSetConditions.h"

#include <cstdint>
#include <list>
#include <vector>

class CEditRecorder;
class CPNElement;
class CPNEvent;
class CPNLabel;

// The net the user draws: one list that owns every element of the net design diagram
// (conditions, events, edges, labels, polygons) in drawing order, head at the bottom,
// tail on top; the extent of the drawing; and the element counts of the last
// structure build.
class CNetDesign : public CObject, public CDiagram {
public:
    static constexpr CSize kDefaultSize{2048, 1536};

    CNetDesign() = default;
    CNetDesign(const CNetDesign&) = delete;
    CNetDesign& operator=(const CNetDesign&) = delete;
    ~CNetDesign() override;

    const char* GetClassName() const override { return "CNetDesign"; }
    // The extent and the element list. Reading empties the net first.
    void Serialize(CArchive& ar) override;

    // Deletes every element and resets the extent.
    void DeleteContents();
    // The extent: at least the given minimum and at least 100 x 100, covering every
    // element.
    void RecalcSize(int minCx, int minCy);
    void Draw(CDC& dc) const;

    // --- The diagram. ---
    std::uint64_t GetGeneration() const override { return m_nGeneration; }
    bool Contains(const CPNElement* element) const override;
    CRect ChangeZOrder(const std::list<CPNElement*>& elements, bool toBack,
                       CEditRecorder& recorder) override;
    // A node takes its name label along and its edges follow; a route or an outline
    // moves its grabbed handle.
    CRect MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) override;
    CRect MoveElements(const std::list<CPNElement*>& elements, int dx, int dy,
                       CEditRecorder& recorder) override;
    // Appends the element, taking ownership. A second edge with the same start and
    // end is refused and deleted: false, and the caller must not use it any more. An
    // element already in the net is refused as well (and kept).
    bool AddElement(CPNElement* element, CEditRecorder& recorder) override;
    bool AddElement(CPNElement* element);
    // Deletes the listed elements with their name labels and attached edges; a name
    // label alone is kept. Empties the list; returns the rectangle to repaint.
    CRect DeleteElements(std::list<CPNElement*>& elements, CEditRecorder& recorder) override;
    CRect DeleteElements(std::list<CPNElement*>& elements);
    // Puts the ends of the edges attached to the element (null: all edges) back on
    // the borders; returns the rectangle to repaint.
    CRect UpdateAttachedEdges(CPNElement* element, CEditRecorder& recorder);
    // The topmost element hit at pt that passes the filter: events, conditions, both,
    // or with neither flag any element.
    CPNElement* ElementFromPoint(CPoint pt, bool events, bool conditions) const;
    // Selects the elements lying strictly inside the rectangle (only enabled events
    // with enabledOnly) and appends them to the list; returns the rectangle to repaint.
    CRect SelectInRect(const CRect& rect, bool enabledOnly,
                       std::list<CPNElement*>& selection) override;
    // Rebuilds the pre- and post-sets and the counts from the edges, reports the
    // counts and returns the initial case: the conditions that hold a token.
    CSetConditions BuildStructure();
    // The first condition of the list with the name; null for none.
    CPNCondition* FindCondition(const std::string& name) const;
    void ComputeTokenPaths();
    // m_bToken of every condition = membership of the case.
    void SetTokens(const CSetConditions& currentCase);
    // m_bEnabled of every event = forward concession in the case.
    void UpdateEnabled(const CSetConditions& currentCase);
    void ClearSimulationFlags();

    // The events in drawing order (the order the case graph's steps list them in).
    std::vector<CPNEvent*> GetEvents() const;

    // The name label of a condition or an event; null for anything else.
    static CPNLabel* NameLabelOf(const CPNElement* element);
    // Whether the element is a condition or an event.
    static bool IsNode(const CPNElement* element);

    // Valid after BuildStructure.
    int m_nEdges = 0;
    int m_nEvents = 0;
    int m_nConditions = 0;
    CSize m_sizeNet = kDefaultSize;
    // Owned, in drawing order.
    std::list<CPNElement*> m_listElements;

private:
    std::uint64_t m_nGeneration = 0;
    // Removes the element from m_listElements; false when it was not there.
    bool RemoveFromList(CPNElement* element);
    // Clears every name reference to a label that is about to be deleted.
    void ForgetLabel(const CPNElement* label, CEditRecorder& recorder);
};
