#pragma once

#include "base/CDC.h"
#include "base/CObject.h"
#include "base/CPoint.h"
#include "base/CRect.h"

#include <cstdint>
#include <memory>

class CEdgePoint;
class CElementState;
class CPropertiesHost;

// Every drawable thing of a diagram. Views and containers handle elements through the
// virtual operations below without knowing the concrete class.
//
// Each element gets a serial number when it is constructed, a copy a new one. Element
// sets order their members by it, so their order and their texts are the same from
// run to run.
class CPNElement : public CObject {
    // First, so that derived classes can put small fields in the words after the flag
    // and the position.
    std::uint64_t m_nSerial;

public:
    CPNElement();
    CPNElement(int x, int y);
    // A copy is a new element: it gets a serial of its own.
    CPNElement(const CPNElement& other);
    // Takes the other's fields and keeps its own serial.
    CPNElement& operator=(const CPNElement& other);
    ~CPNElement() override = default;

    const char* GetClassName() const override { return "CPNElement"; }
    // Stored positions and rectangles lie within this distance of the origin: the
    // geometry is integer arithmetic that a far-off point would overflow.
    static constexpr int kMaxCoordinate = 1000000;
    // Counts the changes of any element's position or extent, so that a cache of
    // bounds can tell that it is stale.
    static unsigned long long GeometryEpoch();
    static void GeometryChanged();
    // Puts the count back after work on scratch elements that changed no element of a
    // document.
    static void RestoreGeometryEpoch(unsigned long long epoch);

    // The base record: the position. A stored position beyond kMaxCoordinate is refused
    // on reading, before anything is computed from it.
    void Serialize(CArchive& ar) override;
    // Reads a point and refuses it beyond kMaxCoordinate.
    static CPoint ReadPosition(CArchive& ar);

    std::uint64_t GetSerial() const { return m_nSerial; }

    // Draws the element in the context's current pen and brush, changing them only
    // where the element has its own, and restores what was selected before.
    virtual void Draw(CDC& dc) const;
    // Moves the element to pt; returns the rectangle to repaint.
    virtual CRect MoveTo(CPoint pt);
    // Moves the whole element by the vector (a route or an outline with all its points);
    // returns the rectangle to repaint.
    virtual CRect Offset(int dx, int dy) { return MoveTo(CPoint(m_ptPos.x + dx, m_ptPos.y + dy)); }
    // A drag begins at pt: grabs what MoveTo will then move (a route's handle, an
    // outline's corner); false when a drag from there moves nothing.
    virtual bool GrabAt(CPoint /*pt*/) { return true; }
    // The point of the element's outline on the way toward the given point.
    virtual CPoint GetBorderPoint(CPoint toward) const;
    virtual bool HitTest(CPoint pt) const;
    // The rectangle that covers everything Draw draws, selection marks included.
    virtual CRect GetBoundRect() const;
    // Asks the host for the properties page that edits this element.
    virtual void ShowProperties(CPropertiesHost& host);
    // What an edit may change of the element, and putting it back (undo and redo). A
    // state is put back only on the element it came from.
    virtual std::unique_ptr<CElementState> SaveState() const;
    virtual void RestoreState(const CElementState& state);

    // Four small squares just outside the corners of the rectangle of the given half
    // size around (x, y), in the selection pen and brush.
    static void DrawSelectionMarks(CDC& dc, int x, int y, int halfWidth, int halfHeight);
    // The drag handle of a route point: 6 x 6 for a vertex, 4 x 4 for a midpoint.
    static void DrawPointHandle(CDC& dc, const CEdgePoint& point);

    bool m_bSelected = false;
    // Centre of a condition or event, centre of a label's text; edges and polygons keep
    // the grabbed handle here while it is dragged.
    CPoint m_ptPos;
};
