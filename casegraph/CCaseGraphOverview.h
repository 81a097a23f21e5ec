#pragma once

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CSize.h"
#include "engines/CNodeAdjacency.h"

#include <cstdint>
#include <vector>

class CDC;

// The case graph seen from afar: the cases in groups, by their distance from the
// initial case or by forward-reachable class, each group with the number of its cases,
// and between two groups the number of single events from one to the other (the same
// for a stored graph and one whose steps come on demand). The distance counts
// the events fired on the shortest way there, forward or backward: counted in steps it
// would say little, as a step may fire any set of detached events at once (every case
// of the philosophers lies one step from the initial case). Groups stand in columns by
// distance: a distance group in its own, a class in that of its case nearest to the
// initial case.
class CCaseGraphOverview {
public:
    enum class EGrouping { Distance, Class };

    struct Group {
        int column = 0;
        // Its place in the column, from the top.
        int row = 0;
        std::uint32_t cases = 0;
        // Its case of the lowest index.
        std::uint32_t first = 0;
    };
    struct Arc {
        std::uint32_t from = 0;
        std::uint32_t to = 0;
        std::uint64_t steps = 0;
    };

    // Node 0 is the initial case; the distances and the arcs go by the single events,
    // the classes by the forward successors.
    CCaseGraphOverview(const CNodeAdjacency& forward, const CNodeAdjacency& singleEvents,
                       EGrouping grouping);

    EGrouping GetGrouping() const { return m_eGrouping; }
    // In columns, then rows.
    const std::vector<Group>& Groups() const { return m_groups; }
    // By their groups, from then to; a step within one group is no arc.
    const std::vector<Arc>& Arcs() const { return m_arcs; }
    std::uint32_t GroupOf(std::uint32_t node) const { return m_groupOf[node]; }
    // The cases of a group in index order.
    std::vector<std::uint32_t> CasesOf(std::uint32_t group) const;
    int GetColumnCount() const { return m_nColumns; }
    // The single events within groups.
    std::uint64_t GetInnerSteps() const { return m_nInnerSteps; }

    // --- The picture: a box per group with its number of cases, in columns headed by
    // their distance, and an arrow per arc with its number of steps. ---
    CSize GetExtent() const;
    CRect GroupRect(std::uint32_t group) const;
    // The group whose box holds the point; -1 for none.
    int GroupAt(CPoint pt) const;
    // The marked group (the current case's) is filled; -1 marks none.
    void Draw(CDC& dc, int marked) const;

private:
    // The height of the lanes of the arcs past the next column, above and below.
    int LanesHeight() const;
    int GetRowCount() const;

    EGrouping m_eGrouping;
    std::vector<Group> m_groups;
    std::vector<Arc> m_arcs;
    std::vector<std::uint32_t> m_groupOf;
    int m_nColumns = 0;
    std::uint64_t m_nInnerSteps = 0;
};
