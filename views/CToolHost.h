#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

class CPNElement;
class CZerinDoc;

// What a tool works on: the document and the diagram the view shows, and the few
// things of the window a gesture needs (the grid, repainting, the properties page,
// the inverting line of a gesture under way, the status bar).
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
    // The inverting line from one point to another: drawn again, it is gone.
    virtual void ToggleToolLine(CPoint from, CPoint to) = 0;
    virtual void ShowToolPosition(CPoint pt) = 0;
};
