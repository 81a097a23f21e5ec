#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

#include <cstdint>
#include <list>

class CEditRecorder;
class CPNElement;

// One diagram of the document (the net design, the case graph, the occurrence net) as
// the editor works on it: what the user selects, moves, orders, adds and deletes.
// Every change is reported to the recorder before it is made, so that the edit can be
// undone at the cost of what it touched.
class CDiagram {
public:
    virtual ~CDiagram() = default;

    // Grows whenever the diagram's elements are made anew (a new case graph, a new
    // run): what an edit recorded of the elements before no longer applies.
    virtual std::uint64_t GetGeneration() const = 0;
    // The element is one of the diagram's.
    virtual bool Contains(const CPNElement* element) const = 0;
    // Selects every element lying strictly inside the rectangle (in simulation only
    // those the token game may select) and appends it to the list; returns the
    // rectangle to repaint.
    virtual CRect SelectInRect(const CRect& rect, bool bSimulation,
                               std::list<CPNElement*>& selection) = 0;
    // Moves the listed elements to the bottom (toBack) or the top of the drawing order,
    // in list order; returns the rectangle to repaint.
    virtual CRect ChangeZOrder(const std::list<CPNElement*>& elements, bool toBack,
                               CEditRecorder& recorder) = 0;
    // Moves one element to the point (a node dragged, a handle of a route or outline
    // dragged), with what is attached following; returns the rectangle to repaint.
    virtual CRect MoveElement(CPNElement* element, CPoint pt, CEditRecorder& recorder) = 0;
    // Moves the listed elements of the diagram by the vector (a name label whose owner
    // is listed moves with it), with what is attached following.
    virtual CRect MoveElements(const std::list<CPNElement*>& elements, int dx, int dy,
                               CEditRecorder& recorder) = 0;
    // Adds an element the user made; false when the diagram refuses it (it is then
    // deleted, and the caller must not use it any more).
    virtual bool AddElement(CPNElement* element, CEditRecorder& recorder) = 0;
    // Deletes the listed elements the user may delete (with what belongs to them) and
    // empties the list; returns the rectangle to repaint.
    virtual CRect DeleteElements(std::list<CPNElement*>& elements, CEditRecorder& recorder) = 0;
};
