#include "model/EdgePointListIO.h"

#include "base/CArchive.h"

namespace {

constexpr std::size_t kStoredPointBytes = 32;

} // namespace

void WriteEdgePoints(CArchive& ar, const CEdgePointList& points) {
    ar.WriteCount(points.size());
    for (const CEdgePoint& point : points) {
        ar.WriteUInt32(0);
        ar.WritePoint(point.m_pt);
        ar.WriteRect(point.m_rcSegment);
        ar.WriteByte(point.m_bVertex ? 1 : 0);
        ar.WriteByte(point.m_bEnd ? 1 : 0);
        ar.WriteWord(0);
    }
}

void ReadEdgePoints(CArchive& ar, CEdgePointList& points) {
    points.clear();
    const std::size_t count = ar.ReadCount(kStoredPointBytes);
    for (std::size_t i = 0; i < count; ++i) {
        CEdgePoint point;
        ar.Skip(4);
        point.m_pt = ar.ReadPoint();
        point.m_rcSegment = ar.ReadRect();
        point.m_bVertex = ar.ReadByte() != 0;
        point.m_bEnd = ar.ReadByte() != 0;
        ar.Skip(2);
        points.push_back(point);
    }
}
