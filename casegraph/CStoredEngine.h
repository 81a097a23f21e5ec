#pragma once

#include "engines/CCaseEngine.h"

class CCaseGraph;
class CPNCase;

// The answers read off the stored case graph (every case and every step kept), as the
// simulation computes it.
class CStoredEngine : public CCaseEngine {
public:
    // The graph's initial case is marked, its reachability with it.
    explicit CStoredEngine(const CCaseGraph& graph) : m_graph(graph) {}

    const char* GetEngineName() const override { return "explicit"; }
    std::string CountCases() override;
    std::string CountSteps() override;
    std::string CountForwardCases() override;
    bool IsContactFree() override;
    bool IsForwardReachable(const CSetConditions& c) override;
    CCaseSearchResult Find(const std::vector<CPNCondition*>& wanted,
                           const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                           std::size_t shown) override;
    std::optional<CCaseRun> PathTo(const CSetConditions& to) override;

private:
    const CPNCase* Node(const CSetConditions& c) const;

    const CCaseGraph& m_graph;
};
