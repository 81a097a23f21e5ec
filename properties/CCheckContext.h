#pragma once

#include "properties/CCaseSpace.h"
#include "properties/CCheckBudget.h"
#include "properties/CCompactNet.h"

#include <cstdint>
#include <memory>
#include <vector>

class CNetStructure;

// What the engines checking one batch of properties share: the net in both forms, the
// budget, and the explicit case space, made on first use and kept for the next engine
// (a reachability question explores only as far as it must; the fixpoints and products
// after it go on from there).
class CCheckContext {
public:
    CCheckContext(const CNetStructure& net, const CCompactNet& compact, CCheckBudget& budget,
                  bool keepSteps)
        : m_net(net), m_compact(compact), m_budget(budget), m_bKeepSteps(keepSteps) {}

    const CNetStructure& Net() const { return m_net; }
    const CCompactNet& Compact() const { return m_compact; }
    CCheckBudget& Budget() { return m_budget; }

    // The case space; with steps kept where the batch needs them or steps is asked for
    // (a space without them is then begun anew).
    CCaseSpace& Space(bool steps = false);
    // The space with every case expanded and its steps kept.
    CCaseSpace& CompleteSpace();
    // The predecessors of the complete space's cases: for case i the entries
    // [first[i], first[i + 1]) of cases (an entry per step, as often as it is there).
    struct Predecessors {
        std::vector<std::uint64_t> first;
        std::vector<std::uint32_t> cases;
    };
    const Predecessors& Reverse();
    // The bytes of the space and the predecessors.
    std::size_t Bytes() const;

private:
    const CNetStructure& m_net;
    const CCompactNet& m_compact;
    CCheckBudget& m_budget;
    bool m_bKeepSteps;
    std::unique_ptr<CCaseSpace> m_pSpace;
    std::unique_ptr<Predecessors> m_pReverse;
};
