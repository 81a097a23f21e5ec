#pragma once

#include "base/CObject.h"
#include "base/CPoint.h"
#include "base/CRect.h"

#include <list>

// One point of an edge route or a polygon outline. Routes alternate vertex, midpoint
// handle, vertex, ...; the handle in the middle of a segment is what the user drags to
// bend it.
class CEdgePoint : public CObject {
public:
    CEdgePoint() = default;
    CEdgePoint(CPoint pt, bool vertex, bool end) : m_pt(pt), m_bVertex(vertex), m_bEnd(end) {}
    bool operator==(const CEdgePoint& other) const {
        return m_pt == other.m_pt && m_rcSegment == other.m_rcSegment &&
               m_bVertex == other.m_bVertex && m_bEnd == other.m_bEnd;
    }

    const char* GetClassName() const override { return "CEdgePoint"; }

    CPoint m_pt;
    // For a vertex after the first: the hit rectangle of the segment ending here.
    CRect m_rcSegment;
    // A vertex (end point or bend point) rather than a midpoint handle.
    bool m_bVertex = false;
    // The first or the last point of the route.
    bool m_bEnd = false;
};

using CEdgePointList = std::list<CEdgePoint>;
// A position in a point list; the list's end() stands for "no position".
using CEdgePointPos = CEdgePointList::iterator;
