#pragma once

#include "engines/CCaseEngine.h"
#include "engines/CCaseExplorer.h"
#include "engines/CNodeAdjacency.h"
#include "engines/ECaseGraphResult.h"
#include "model/CSetConditions.h"
#include "model/CSetEvents.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPNEvent;

// The case class kept as its cases only: every case as the bits of the conditions that
// determine it, in a compact table (a few bytes a case), found by single events (which
// reach the same cases as steps) by as many threads as the machine has cores, the steps
// counted without listing them and produced on demand, case by case, in the order the
// stored graph lists them. Takes nets whose steps run to billions.
class CCasesEngine : public CCaseEngine {
public:
    CCasesEngine(const std::vector<CPNEvent*>& events, const CSetConditions& initialCase);

    // Finds the cases. The progress callback is told the cases found so far.
    ECaseGraphResult Run(const CaseGraphProgress& progress = {});
    // The threads Run takes (0, the default: the cores the process may run on). The
    // cases and their order are the same for any number.
    void SetThreads(int threads) { m_explorer.SetThreads(threads); }
    // The bytes the cases take, and the bits of a case's key (the conditions that
    // determine the others).
    std::size_t CaseBytes() const { return m_explorer.GetCaseBytes(); }
    int KeyBits() const { return m_explorer.GetKeyBits(); }

    const char* GetEngineName() const override { return "cases"; }
    std::string CountCases() override;
    std::string CountSteps() override;
    std::string CountForwardCases() override;
    bool IsContactFree() override;
    bool IsForwardReachable(const CSetConditions& c) override;
    CCaseSearchResult Find(const std::vector<CPNCondition*>& wanted,
                           const std::vector<CPNCondition*>& unwanted, bool onlyReachable,
                           std::size_t shown) override;
    std::optional<CCaseRun> PathTo(const CSetConditions& to) override;

    bool ListsCases() const override { return true; }
    int CaseCount() const override { return m_explorer.GetCaseCount(); }
    CSetConditions Case(int index) const override { return m_explorer.GetCase(index); }
    int IndexOf(const CSetConditions& c) const override;
    void ForEachStep(int index, bool forward, const StepVisitor& visit) override;
    bool ForEachPredecessor(int index, const std::function<void(int)>& visit) override {
        m_explorer.ForEachEventSuccessor(index, false, visit);
        return true;
    }
    void ForEachStepAmong(int index, bool forward, const std::vector<int>& among,
                          const StepVisitor& visit) override;
    // The net's events in its order.
    const std::vector<CPNEvent*>& GetEvents() const { return m_explorer.GetEvents(); }
    UInt128 GetStepCount() const { return m_explorer.GetStepCount(); }
    // How many steps a second this net's cases give on demand, measured on the first
    // cases for about the time given (the whole class where it takes less).
    double MeasureStepRate(double seconds);
    // The shortest way in steps from the initial case (index 0) to case `target`, as
    // "Show Path" takes it: forward steps only where they reach it, else both ways;
    // breadth first over the steps produced case by case. False when there is none.
    struct PathStep {
        int from = 0;
        int to = 0;
        bool forward = true;
        CSetEvents events;
    };
    bool ShortestPath(int target, std::vector<PathStep>& steps);
    // Per case, whether the initial case reaches it by forward steps.
    const std::vector<std::uint8_t>& ForwardReachable();
    // The forward successor lists by single events (they reach what the steps reach),
    // made once.
    const CNodeAdjacency* ForwardAdjacency() override;
    bool PrepareForwardAdjacency(const std::function<bool(int, int)>& progress) override;
    bool HasConcessionInTheClass(const CPNEvent& event) override;

private:
    // The bits of the conditions, false for a wanted condition the net does not use.
    bool Mask(const std::vector<CPNCondition*>& conditions, std::vector<CCaseExplorer::Word>& bits,
              bool wanted) const;

    CCaseExplorer m_explorer;
    std::vector<std::uint8_t> m_arrForward;
    std::unique_ptr<CNodeAdjacency> m_pAdjacency;
    int m_nContactFree = -1;
};
