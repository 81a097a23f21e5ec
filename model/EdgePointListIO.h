#pragma once

#include "model/CEdgePoint.h"

class CArchive;

// The point list of an edge route or a polygon outline in the document file: a count,
// then 32 bytes per point (a reserved word, the point, the segment rectangle, the
// vertex and end flags and two reserved bytes). The reserved bytes are written as zero
// and ignored on reading.
void WriteEdgePoints(CArchive& ar, const CEdgePointList& points);
// Replaces the list with the stored points.
void ReadEdgePoints(CArchive& ar, CEdgePointList& points);
