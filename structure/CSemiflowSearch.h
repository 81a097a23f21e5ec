#pragma once

#include "structure/CSemiflow.h"
#include "structure/CSemiflowSystem.h"
#include "structure/EEnumeration.h"

#include <cstddef>
#include <vector>

class CWorkMeter;

// The first minimal semiflows of a system in colexicographic order of their supports
// (ColexBefore), all of them where there are no more than the limit.
//
// Farkas' elimination finds all minimal semiflows or none, and its rows can grow past
// any memory where the answer is large (a process model of the contest, IBM319, has
// more than 100,000 minimal S-invariants). The search therefore divides: the semiflows
// whose support meets the variables from j on exactly in a set R are those within the
// first j variables and R that hold all of R. With j the number of variables and R
// empty that is every semiflow. Where an elimination over the first j variables and R
// stays within its bounds it gives them all, sorted; otherwise they split at variable
// j-1 into those without it (R, j-1: all of them come first in colexicographic order)
// and those with it (R and j-1, j-1), searched depth first, until the limit is passed.
// The answer does not depend on where the bounds cut, only the time does.
//
// Variables that no semiflow can weight are left out first: those of a constraint whose
// remaining coefficients all have one sign (recursively).
class CSemiflowSearch {
public:
    static constexpr std::size_t kDefaultLimit = 1000;
    // The rows one elimination may hold at least: enough for the whole answer of most
    // nets at once, few enough that a run that will not fit gives up within
    // milliseconds. It may examine kPairsPerRow pairs for each row it may hold.
    static constexpr std::size_t kMinRows = 2048;
    static constexpr std::size_t kPairsPerRow = 64;
    // The rows one elimination may hold at most, however high the limit.
    static constexpr std::size_t kMaxRows = std::size_t{1} << 22;

    // rowLimit bounds one elimination's rows (0: four times the limit, at least kMinRows
    // and at most kMaxRows); any bound gives the same answer.
    CSemiflowSearch(const CSemiflowSystem& system, std::size_t limit = kDefaultLimit,
                    std::size_t rowLimit = 0);

    // Complete, Limited (the first `limit` listed, more exist), Cancelled or Overflow;
    // the progress is told the semiflows found of the limit.
    EEnumeration Run(CWorkMeter& meter);
    std::vector<CSemiflow>& Semiflows() { return m_arrFound; }
    // Per variable: whether a semiflow may weight it (not ruled out by signs alone).
    const std::vector<std::uint8_t>& Possible() const { return m_arrPossible; }

private:
    struct Node {
        std::vector<int> required;
        std::size_t free = 0;
        bool eliminate = true;
        // How many free variables the node's left part leaves out when it splits.
        std::size_t jump = 1;
    };
    void RuleOutBySigns();
    // The semiflows of a node, where one elimination gives them; false when it divides.
    bool Solve(const Node& node, CWorkMeter& meter, EEnumeration& end);

    const CSemiflowSystem& m_system;
    std::size_t m_nLimit;
    std::size_t m_nRowLimit;
    std::vector<std::uint8_t> m_arrPossible;
    // The variables a semiflow may weight, ascending; a node's free variables are the
    // first of them.
    std::vector<int> m_arrCandidates;
    std::vector<CSemiflow> m_arrFound;
};
