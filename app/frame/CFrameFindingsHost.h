#pragma once

#include "app/bars/CFindingsHost.h"

class CMainFrame;

// The main window's side of the lists of findings: its views, its token game and its way
// of running long work.
class CFrameFindingsHost : public CFindingsHost {
public:
    explicit CFrameFindingsHost(CMainFrame& frame) : m_frame(frame) {}

    bool RunWork(const std::string& title,
                 const std::function<bool(const WorkProgress&)>& work) override;
    bool CanReadDocument() const override;
    bool EnterSimulation() override;
    void ShowNetDesign() override;
    int FireSelectedStep() override;
    bool IsTokenGameBusy() const override;
    void ShowRunInCaseGraph(std::vector<std::uint32_t> cases, std::size_t loopStart) override;
    void SetNetDesignOverlay(std::function<void(CDC&)> draw) override;
    void DocumentChanged() override;

private:
    CMainFrame& m_frame;
};
