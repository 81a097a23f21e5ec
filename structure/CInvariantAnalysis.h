#pragma once

#include "base/WorkProgress.h"
#include "structure/CSemiflowResult.h"
#include "structure/CSemiflowSearch.h"

#include <cstddef>

class CNetStructure;

// The net's invariants: its minimal S-invariants (weightings of the conditions that no
// event changes, so that every reachable case keeps their weighted sum: a set of
// conditions holding exactly one token between them is one with all weights 1) and its
// minimal T-invariants (numbers of occurrences of the events after which the case is
// the one they started from).
//
// Each list holds the first `limit` minimal semiflows in colexicographic order of their
// supports (ColexBefore) and says whether there are more; which elements some semiflow
// covers is decided for all elements in any case (by the list where it is complete,
// otherwise by a linear program in exact arithmetic: the largest support of a
// semiflow). The progress is told the semiflows found of the limit; a cancel leaves the
// result empty (EEnumeration::Cancelled).
class CInvariantAnalysis {
public:
    explicit CInvariantAnalysis(const CNetStructure& net) : m_net(net) {}

    CSemiflowResult FindSInvariants(std::size_t limit = CSemiflowSearch::kDefaultLimit,
                                    const WorkProgress& progress = {}) const;
    CSemiflowResult FindTInvariants(std::size_t limit = CSemiflowSearch::kDefaultLimit,
                                    const WorkProgress& progress = {}) const;

private:
    CSemiflowResult Find(bool conditions, std::size_t limit, const WorkProgress& progress) const;

    const CNetStructure& m_net;
};
