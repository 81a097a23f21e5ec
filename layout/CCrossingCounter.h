#pragma once

#include "base/WorkProgress.h"

#include <cstdint>
#include <vector>

class CEdgeInfo;

// Counts the pairs i < j of arcs for which arc i's Intersects(arc j) holds.
namespace CCrossingCounter {

// The count, computed fast: arcs whose rectangles have an area and cannot meet are
// never compared, and the line test runs in exact integer arithmetic. Arcs parallel
// to an axis (empty rectangles) are compared with every other arc, since the crossing
// rule gives no rectangle answer for them. The progress is told the pairs compared of
// all (n (n - 1) / 2) every few million; -1 when it cancels.
std::int64_t Count(const std::vector<CEdgeInfo>& edges, int edgeCount,
                   const WorkProgress& progress = {});

// The pairs with at least one of the listed arcs (distinct indices), each pair once: the
// part of the count that can change when only those arcs move. The progress is told the
// arcs done of those listed; -1 when it cancels.
std::int64_t CountAt(const std::vector<CEdgeInfo>& edges, int edgeCount,
                     const std::vector<int>& arcs, const WorkProgress& progress = {});

// The pairs compared between two polls of the progress.
constexpr std::int64_t kPairsPerPoll = std::int64_t(1) << 22;

// The count by the rule itself, every pair tested with CEdgeInfo::Intersects.
std::int64_t CountLiteral(const std::vector<CEdgeInfo>& edges, int edgeCount);

} // namespace CCrossingCounter
