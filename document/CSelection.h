#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

#include <cstddef>
#include <list>

class CPNEdge;
class CPNElement;

// The elements the user selected, in the order they were selected; each listed once,
// with its selection mark set. Refers to the elements only: the diagrams own them.
class CSelection {
public:
    using const_iterator = std::list<CPNElement*>::const_iterator;

    // The element joins the selection; without add, it replaces it. Returns the
    // rectangle to repaint.
    CRect Select(CPNElement* element, bool add);
    // An element known not to be selected joins the selection, without the search that
    // makes selecting many elements one by one quadratic.
    void Append(CPNElement* element);
    // Returns the rectangle to repaint.
    CRect Clear();
    // Leaves the element out of the selection.
    void Deselect(CPNElement* element);
    // The events of a step, without their selection marks (the step about to be fired).
    void SetStep(const std::list<CPNElement*>& events) { m_list = events; }

    // Whether the element is selected; with null, whether anything is.
    bool IsSelected(const CPNElement* element) const;
    bool HasMultiple() const { return m_list.size() > 1; }
    // The first element selected, or null.
    CPNElement* First() const { return m_list.empty() ? nullptr : m_list.front(); }
    // Whether a selected route or outline has a handle at the point.
    bool HitTestPoints(CPoint pt) const;
    // The selected edge with a handle at the point, or null.
    CPNEdge* FindGrabbedEdge(CPoint pt) const;
    // Whether the selection holds something Delete takes away.
    bool CanDelete() const;

    const std::list<CPNElement*>& Elements() const { return m_list; }
    // The list itself, for the document's diagram operations to fill and empty.
    std::list<CPNElement*>& Items() { return m_list; }
    const_iterator begin() const { return m_list.begin(); }
    const_iterator end() const { return m_list.end(); }
    bool empty() const { return m_list.empty(); }
    std::size_t size() const { return m_list.size(); }
    CPNElement* front() const { return m_list.front(); }

private:
    std::list<CPNElement*> m_list;
};
