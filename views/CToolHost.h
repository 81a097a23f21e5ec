#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

class CPNElement;
class CZerinDoc;

// What a tool works on: the document and the diagram the view shows, and the few
// things of the window a gesture needs (the grid, repainting, the properties page,
// the inverting figures of a gesture under way, the status bar and the rulers).
class CToolHost {
public:
    virtual ~CToolHost() = default;
    virtual CZerinDoc& GetToolDocument() = 0;
    // The document's diagram the view shows (CZerinDoc::DIAGRAM_...).
    virtual int GetToolDiagram() const = 0;
    virtual CPoint SnapToolPoint(CPoint pt) const = 0;
    virtual void RepaintLogical(const CRect& rect) = 0;
    // Shows the element's properties page; null hides the page.
    virtual void ShowToolPage(CPNElement* element) = 0;
    virtual void RefreshToolPage() = 0;
    // The inverting line from one point to another, and the rectangle between two
    // corners: drawn again, it is gone.
    virtual void ToggleToolLine(CPoint from, CPoint to) = 0;
    virtual void ToggleToolBand(CPoint from, CPoint to) = 0;
    virtual void ShowToolPosition(CPoint pt) = 0;
    // The rulers' markers at the point (where the rulers are shown); erase only takes
    // the last ones off.
    virtual void ShowToolMarkers(CPoint pt, bool bEraseOnly) = 0;
    virtual void UpdateToolCursor(CPoint pt) = 0;
    // A drag starts: the mouse is held by the view, an edit is open until the release,
    // and the move that comes with the press itself is skipped.
    virtual void BeginToolDrag(CPoint pt) = 0;

    // --- What selecting asks. ---
    // Whether a press may select now (not while the token game fires the selection).
    virtual bool CanToolSelect() const { return true; }
    // Whether the diagram can be changed (outside the token game).
    virtual bool CanToolEdit() const = 0;
    // Whether a press on nothing starts a band.
    virtual bool CanToolBand() const = 0;
    // The element a press at the point selects; null for none.
    virtual CPNElement* HitToolElement(CPoint pt) = 0;
    // Shift or Ctrl held at the press: the element is added to the selection or taken
    // from it.
    virtual bool ToolAddsToSelection() const = 0;
};
