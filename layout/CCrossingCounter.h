#pragma once

#include <cstdint>
#include <vector>

class CEdgeInfo;

// Counts the pairs i < j of arcs for which arc i's Intersects(arc j) holds.
namespace CCrossingCounter {

// The count, computed fast: arcs whose rectangles have an area and cannot meet are
// never compared, and the line test runs in exact integer arithmetic. Arcs parallel
// to an axis (empty rectangles) are compared with every other arc, since the crossing
// rule gives no rectangle answer for them.
std::int64_t Count(const std::vector<CEdgeInfo>& edges, int edgeCount);

// The pairs with at least one of the listed arcs (distinct indices), each pair once: the
// part of the count that can change when only those arcs move.
std::int64_t CountAt(const std::vector<CEdgeInfo>& edges, int edgeCount,
                     const std::vector<int>& arcs);

// The count by the rule itself, every pair tested with CEdgeInfo::Intersects.
std::int64_t CountLiteral(const std::vector<CEdgeInfo>& edges, int edgeCount);

} // namespace CCrossingCounter
