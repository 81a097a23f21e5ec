#pragma once

#include "engines/CCaseEngine.h"
#include "engines/CNodeAdjacency.h"

#include <memory>

class CCaseGraph;
class CConditionCaseIndex;
class CPNCase;

// The answers read off the stored case graph (every case and every step kept), as the
// simulation computes it: the engine of a graph whose steps are stored.
class CStoredEngine : public CCaseEngine {
public:
    // The graph's initial case is marked, its reachability with it.
    explicit CStoredEngine(const CCaseGraph& graph);
    ~CStoredEngine() override;

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
    bool HasConcessionInTheClass(const CPNEvent& event) override;

    bool ListsCases() const override { return true; }
    int CaseCount() const override;
    CSetConditions Case(int index) const override;
    int IndexOf(const CSetConditions& c) const override;
    void ForEachStep(int index, bool forward, const StepVisitor& visit) override;
    const CNodeAdjacency* ForwardAdjacency() override;
    const CNodeAdjacency* SingleEventAdjacency() override;

private:
    const CPNCase* Node(const CSetConditions& c) const;

    const CCaseGraph& m_graph;
    std::unique_ptr<CNodeAdjacency> m_pAdjacency;
    std::unique_ptr<CNodeAdjacency> m_pSingleEvents;
    std::unique_ptr<CConditionCaseIndex> m_pPreSetIndex;
};
