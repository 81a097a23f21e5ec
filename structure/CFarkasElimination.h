#pragma once

#include "structure/CSemiflow.h"
#include "structure/CSemiflowSystem.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CWorkMeter;

// The minimal semiflows of a system whose support lies in a given set of variables
// (the universe), by Farkas' elimination: one row per variable to start with, then one
// constraint after another (the one that makes the fewest new rows first), each row
// non-zero there replaced by the combinations of a positive and a negative row that
// cancel it. A combination is kept only where no other row's support lies in the union
// of the two supports (such a pair spans an extreme ray; any other combination is not
// minimal) and that union is small enough to be a minimal support at all (at most one
// more element than the constraints eliminated). Rows are divided by their weights'
// greatest common divisor; the arithmetic is exact and checked, a weight that outgrows
// 64 bits ends the run.
//
// The rows at a step can outnumber the answer by far: a run is bounded by the number of
// rows it may hold and of pairs it may examine, and gives up past them.
class CFarkasElimination {
public:
    enum class EOutcome { Done, OverBudget, Cancelled, Overflow };

    CFarkasElimination(const CSemiflowSystem& system, std::size_t rowLimit, std::size_t pairLimit);

    // Runs on the universe (ascending, distinct variables); Done fills Semiflows().
    EOutcome Run(const std::vector<int>& universe, CWorkMeter& meter);
    // The minimal semiflows found, supports ascending, in the order the rows ended in.
    std::vector<CSemiflow>& Semiflows() { return m_arrResult; }

private:
    struct Entry {
        int index;
        std::int64_t value;
    };
    // A semiflow of the constraints eliminated so far: what it leaves on the others
    // (A y, non-zero entries by constraint) and its weights by position in the universe.
    struct Row {
        std::vector<Entry> residue;
        std::vector<Entry> weights;
    };

    void Start(const std::vector<int>& universe);
    // The constraint to eliminate next; -1 when every row is a semiflow already.
    int ChooseConstraint();
    EOutcome Eliminate(int constraint, std::size_t eliminated, CWorkMeter& meter);
    // Sorts the rows by size and lists the rows holding each variable, for Dominated:
    // once a step, when it has been asked more than kPlainPasses times.
    void IndexHolders();
    // Whether another row's support lies within the bits (the union of rows p and q).
    bool Dominated(const std::uint64_t* bits, int count, std::size_t p, std::size_t q);
    // Row p times a plus row q times b, divided by the weights' common divisor; false on
    // overflow.
    bool Combine(const Row& p, std::int64_t a, const Row& q, std::int64_t b, Row& out) const;
    static std::int64_t ValueAt(const Row& row, int constraint);

    const CSemiflowSystem& m_system;
    std::size_t m_nRowLimit;
    std::size_t m_nPairLimit;
    std::size_t m_nPairs = 0;
    std::size_t m_nWords = 0;
    std::vector<int> m_arrUniverse;
    std::vector<Row> m_rows;
    // Each row's support as m_nWords words of bits by position in the universe, and its
    // size.
    std::vector<std::uint64_t> m_arrBits;
    std::vector<int> m_arrCounts;
    // The rows by support size, for the domination test, and the row that last
    // dominated a pair (tried first: one small row often dominates many pairs).
    std::vector<std::size_t> m_arrBySize;
    std::size_t m_nLastDominating = 0;
    // The rows holding each position of the universe: those of position v from
    // m_arrHolderStart[v] to m_arrHolderStart[v + 1]; and when a row was last tried.
    std::vector<std::size_t> m_arrHolderStart;
    std::vector<std::size_t> m_arrHolders;
    std::vector<std::uint32_t> m_arrSeen;
    std::uint32_t m_nEpoch = 0;
    bool m_bIndexed = false;
    int m_nPlainPasses = 0;
    static constexpr int kPlainPasses = 32;
    std::vector<int> m_arrPositive;
    std::vector<int> m_arrNegative;
    std::vector<int> m_arrTouched;
    std::vector<CSemiflow> m_arrResult;
};
