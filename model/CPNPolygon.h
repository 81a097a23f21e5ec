#pragma once

#include "base/ColorRef.h"
#include "model/CEdgePoint.h"
#include "model/CPNElement.h"

#include <vector>

// A decorative closed outline, shaped through the same vertex and midpoint handles as
// an edge. The outline alternates vertex, midpoint, vertex, ...; its first and last
// points are end points that always coincide. List positions refer into
// m_listPoints, whose end() stands for "no position"; a polygon is therefore neither
// copied nor moved.
class CPNPolygon : public CPNElement {
public:
    CPNPolygon();
    // The rectangle 160 x 40 with its top-left corner at (x, y).
    CPNPolygon(int x, int y);
    CPNPolygon(const CPNPolygon&) = delete;
    CPNPolygon& operator=(const CPNPolygon&) = delete;

    const char* GetClassName() const override { return "CPNPolygon"; }
    // Sizes the vertex buffer after reading.
    void Serialize(CArchive& ar) override;

    void Draw(CDC& dc) const override;
    // Drags the grabbed handle, or without one moves the whole outline so that its
    // first point comes to pt. Returns the rectangle to repaint.
    CRect MoveTo(CPoint pt) override;
    // The handle at pt, or else the whole outline.
    bool GrabAt(CPoint pt) override {
        HitTestPoint(pt);
        return true;
    }
    // Only the outline is hit, not the inside of a filled polygon.
    bool HitTest(CPoint pt) const override;
    CRect GetBoundRect() const override;
    void ShowProperties(CPropertiesHost& host) override;
    std::unique_ptr<CElementState> SaveState() const override;
    void RestoreState(const CElementState& state) override;

    // Grabs the handle at pt, the closing point included, never the first point.
    bool HitTestPoint(CPoint pt);
    bool HasSelectedPoint() const { return m_posSelPoint != m_listPoints.end(); }
    // A vertex is grabbed that may be removed: at least three corners remain.
    bool IsBendSelected() const;
    // Removes the grabbed corner; false unless IsBendSelected.
    bool DeleteSelectedPoint();
    void RecalcBounds();
    CRect Offset(int dx, int dy) override;
    // Sizes the vertex buffer for the present outline (after loading).
    void ReallocVertexBuffer();

    CEdgePointList m_listPoints;
    COLORREF m_crLine = RGB(0, 0, 0);
    // PS_SOLID, PS_DASH or PS_DOT.
    int m_nLineStyle = PS_SOLID;
    int m_nLineWidth = 1;
    COLORREF m_crFill = RGB(200, 200, 255);
    // 0 hollow, 1 filled.
    int m_nFillMode = 0;
    // The vertices handed to the polygon call, gathered anew by every Draw.
    mutable std::vector<CPoint> m_arrVertices;
    int m_nVertexCapacity = 0;
    // Union of the segments' hit rectangles, inflated by 3.
    CRect m_rcBounds;
    CEdgePointPos m_posSelPoint = m_listPoints.end();
    // Around a grabbed vertex: its midpoints.
    CEdgePointPos m_posPrevMid = m_listPoints.end();
    CEdgePointPos m_posNextMid = m_listPoints.end();
    // Around a grabbed handle: the neighbouring vertices.
    CPoint m_ptPrevVertex;
    CPoint m_ptNextVertex;

private:
    void ReleasePoint();
    void SetVertexCapacity(int capacity);
};
