#pragma once

#include "model/CEdgePoint.h"
#include "model/CPNElement.h"

#include <array>
#include <memory>
#include <vector>

// A directed arc from a condition to an event or from an event to a condition, drawn
// as a polyline from the border of its start element through optional bend points to
// the border of its end element, with an arrowhead at the end.
//
// The route m_listPoints alternates vertex, midpoint handle, vertex, ...: a straight
// edge is [start, midpoint, end], an edge with n bend points has 2n + 3 points. List
// positions refer into m_listPoints, whose end() stands for "no position"; an edge is
// therefore neither copied nor moved.
class CPNEdge : public CPNElement {
public:
    static constexpr int kTokenPathPoints = 10;

    CPNEdge();
    // An edge between two elements, with its straight route unless skipRoute is set:
    // then it has no points and is neither drawn nor hit until ResetPoints routes it.
    CPNEdge(CPNElement* from, CPNElement* to, bool skipRoute = false);
    CPNEdge(const CPNEdge&) = delete;
    CPNEdge& operator=(const CPNEdge&) = delete;

    const char* GetClassName() const override { return "CPNEdge"; }
    // Finds the bend positions again after reading.
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    // Drags the grabbed handle to pt (nothing without one): a bend point moves, a
    // midpoint handle becomes a new bend point. Returns the rectangle to repaint.
    CRect MoveTo(CPoint pt) override;
    // Only a handle can be dragged.
    bool GrabAt(CPoint pt) override { return HitTestPoint(pt); }
    bool HitTest(CPoint pt) const override;
    CRect GetBoundRect() const override;
    // Edges have no page: the page is hidden.
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // The route and ends an edit may change, for the kinds of edge.
    struct RouteFields {
        CPoint pos;
        CEdgePointList points;
        bool visible = false;
        bool bent = false;
        bool firstSegment = false;
        bool lastSegment = false;
        CRect bounds;
        CPNElement* from = nullptr;
        CPNElement* to = nullptr;
        bool operator==(const RouteFields&) const = default;
    };
    RouteFields GetRouteFields() const;
    // The same into fields kept from an earlier copy, reusing what they hold.
    void CopyRouteFields(RouteFields& fields) const;
    void SetRouteFields(const RouteFields& fields);

    // Recomputes which parts are drawn: for a bent edge the first and last segment
    // (hidden while its bend point lies inside the element), for a straight edge
    // whether the two elements are apart. The caller stores the result in m_bVisible.
    virtual bool CheckVisibility();
    // Puts the end points back on the element borders after an element moved (null:
    // any); false, and nothing changes, when the moved element is not one of the two.
    virtual bool UpdateEnds(CPNElement* moved);
    // Rebuilds the straight three-point route.
    virtual void ResetPoints();
    // What Draw draws for a drawn straight route that is not selected: the line and
    // the arrowhead at its end.
    static void DrawStraight(CDC& dc, CPoint from, CPoint to);
    // The same for a route of one bend with both segments drawn.
    static void DrawOneBend(CDC& dc, CPoint from, CPoint bend, CPoint to);
    // The end points of a drawn straight route; false for a bent or hidden edge.
    bool GetStraightRoute(CPoint& from, CPoint& to) const;
    // How far the arrowhead and the selection handles reach past the route.
    static constexpr int kDrawReach = 15;
    // Recomputes the hit rectangles of the drawn segments and m_rcBounds.
    virtual void RecalcBounds();

    // Grabs the handle at pt (bend points and midpoints, never the end points).
    bool HitTestPoint(CPoint pt);
    bool HasSelectedPoint() const { return m_pGrab != nullptr; }
    // A bend point is grabbed.
    bool IsBendSelected() const;
    // Removes the grabbed bend point; false when none is grabbed.
    bool DeleteSelectedPoint();
    // Removes all bend points.
    void Straighten();
    // A route through the bend points (none: straight), its ends put on the borders.
    void SetBendPoints(const std::vector<CPoint>& bends);
    // The vertices of the route between its ends.
    std::vector<CPoint> GetBendPoints() const;
    // Moves the whole route; returns the rectangle to repaint.
    CRect Offset(int dx, int dy) override;
    // Enters the edge into the pre- and post-sets of its condition and event.
    void Connect();

    bool IsSameAs(const CPNEdge* other) const;
    bool IsAttachedTo(const CPNElement* element) const;
    bool IsBetween(const CPNElement* from, const CPNElement* to) const;

    // The ten points along the route at which the simulation draws a moving token.
    void ComputeTokenPath();
    // A token path point for 0 <= index < 10, else (0, 0).
    CPoint GetTokenPathPoint(int index) const;
    // m_posFirstBend and m_posLastBend from the list: the third point from each end
    // (after loading and whenever bend points come and go).
    void ReadBendPositions();

    // The flags come first, so that they share the words left over by the element;
    // the case graph holds one edge per step, hundreds of thousands of them.
    //
    // For an edge without bend points: the two elements are apart, so it is drawn.
    bool m_bVisible = false;
    bool m_bBent = false;
    // Only meaningful when bent: the first and the last segment (with the arrowhead)
    // are drawn.
    bool m_bFirstSegment = false;
    bool m_bLastSegment = false;
    CRect m_rcBounds;
    CEdgePointList m_listPoints;
    CPNElement* m_pFrom = nullptr;
    CPNElement* m_pTo = nullptr;
    // The grabbed handle, and while a bend point is grabbed its neighbouring midpoints;
    // the vertices before and after the handle. Held only while a handle is grabbed:
    // the case graph holds one edge per step, hundreds of thousands of them.
    struct CEdgeGrab {
        CEdgePointPos m_posSelPoint;
        CEdgePointPos m_posPrevMid;
        CEdgePointPos m_posNextMid;
        CPoint m_ptPrevVertex;
        CPoint m_ptNextVertex;
    };
    std::unique_ptr<CEdgeGrab> m_pGrab;
    // The third point from the head and from the tail of the route.
    CEdgePointPos m_posFirstBend = m_listPoints.end();
    CEdgePointPos m_posLastBend = m_listPoints.end();
    // The token path, made by the first ComputeTokenPath: only edges of the net design
    // carry tokens, the steps of the case graph never do.
    std::unique_ptr<std::array<CPoint, kTokenPathPoints>> m_ptTokenPath;

protected:
    // The straight route [A, midpoint, B]: A on the start's border toward the end's
    // centre, B on the end's border toward A.
    void BuildStraightRoute();
    // Forgets the grabbed handle.
    void ReleasePoint();
    // Drawn at all: bent, or straight between elements that are apart.
    bool IsDrawn() const { return m_bBent || m_bVisible; }
    bool IsFirstSegmentHidden() const { return m_bBent && !m_bFirstSegment; }
    bool IsLastSegmentHidden() const { return m_bBent && !m_bLastSegment; }

private:
    // Whether the segment ending at the vertex with this number (1 for the first
    // segment) is drawn, the last vertex ending the last segment.
    bool IsSegmentDrawn(int vertexNumber, bool lastVertex) const;
    // The end pixel of a route ending at e, coming from p, and its arrowhead.
    static void DrawArrowhead(CDC& dc, CPoint p, CPoint e);
};
