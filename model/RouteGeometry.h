#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"

// The geometry shared by edge routes and polygon outlines.
namespace RouteGeometry {

// Distance below which a click hits a drawn segment.
constexpr int kHitDistance = 5;

// Conversion of a coordinate to an integer, truncating toward zero.
int Trunc(double value);

// The handle between two vertices: the integer midpoint, truncated toward zero.
CPoint Midpoint(CPoint a, CPoint b);

// The hit rectangle of the segment from a to b: normalised and inflated by 4.
CRect SegmentRect(CPoint a, CPoint b);

// Whether pt lies within the hit distance of the infinite line through the segment;
// a segment of zero length is hit within that distance of its point.
bool IsNearSegment(CPoint pt, CPoint from, CPoint to);

// Whether the segment from a to b has a point inside the rectangle (edges included).
bool SegmentMeetsRect(CPoint a, CPoint b, const CRect& rect);

} // namespace RouteGeometry
