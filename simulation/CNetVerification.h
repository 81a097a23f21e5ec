#pragma once

#include <functional>
#include <span>
#include <vector>

class CNameList;
class CNetDesign;
class CPNEvent;
class CSetConditions;

// The tests a net design must pass to be a condition/event system. Each test writes
// its findings to the standard pane of the output bar, errors as error lines, and
// returns the number of errors it found; a net whose tests sum to 0 is a C/E system.
// The tests read the pre- and post-sets as the last BuildStructure left them.
class CNetVerification {
public:
    explicit CNetVerification(CNetDesign& net) : m_net(net) {}

    // Conditions named uniquely, no condition or event with a blank name: 0 to 3.
    int CheckNaming() const;
    // No condition and no event without any edge: 0 to 2.
    int CheckIsolated() const;
    // Every event has forward concession in one of the reachable cases (the case graph's
    // nodes, in node order): 0 or 1. Leaves each event's m_bEnabled as the last case
    // tried set it.
    int CheckConcession(std::span<const CSetConditions* const> cases);
    // The same over the case graph's nodes themselves, each holding its case in a
    // public m_setConditions.
    template <class Node>
    requires requires(const Node* node) { node->m_setConditions; }
    int CheckConcession(const std::vector<Node*>& nodes) {
        std::vector<const CSetConditions*> cases;
        cases.reserve(nodes.size());
        for (const Node* node : nodes)
            cases.push_back(node ? &node->m_setConditions : nullptr);
        return CheckConcession(std::span<const CSetConditions* const>(cases));
    }
    // The same asked of whatever knows the class (the decision diagrams): whether the
    // event has concession in some case of it. Leaves the events' m_bEnabled alone.
    int CheckConcession(const std::function<bool(const CPNEvent&)>& hasConcession);
    // No two non-isolated conditions, and no two non-isolated events, with equal pre-
    // and post-sets: 0 to 2.
    int CheckIndistinguishable() const;
    // The net has at least one condition or event: 0 or 1.
    int CheckEmpty() const;

private:
    // "found N event(s) without concession: ..." where there are any: 0 or 1.
    static int ReportDead(int deadEvents, const CNameList& dead);

    CNetDesign& m_net;
};
