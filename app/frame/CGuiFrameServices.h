#pragma once

#include "document/CFrameServices.h"
#include "platform/CMeasureDC.h"

#include <memory>
#include <utility>

class CCaseGraphProgressDialog;
class CMainFrame;

// What the document asks of the window, answered by the main frame, its bars and its
// dialogs.
class CGuiFrameServices : public CFrameServices {
public:
    explicit CGuiFrameServices(CMainFrame& frame);
    ~CGuiFrameServices() override;

    // The frame is going away: every later call does nothing.
    void Detach() { m_pFrame = nullptr; }

    void UpdateAllViews() override;
    void DocumentReplaced() override;
    void DocumentStateChanged() override;
    void ShowPropertiesPage(int nKind, CPNElement* pElement) override;
    void ShowOutputBar() override;
    void ClearOutputBar() override;
    void SwitchToNetDesignView() override;
    void EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void BeginCaseGraphProgress() override;
    bool CaseGraphProgress(int nCases, int nArcs) override;
    void EndCaseGraphProgress() override;
    // Four fifths of the machine's memory, less what the program holds.
    long long CaseGraphMemoryBudget() override;
    bool TakeOutOfMemory() override { return std::exchange(m_bOutOfMemory, false); }
    void ShowError(const std::string& strMessage) override;
    void ShowBreakPointsDialog(CBreakPoints& breakPoints) override;
    void ShowCaseClassDialog(const CCaseClassInput& input) override;
    CDC* GetMeasureDC() override { return &m_measure; }

private:
    CMainFrame* m_pFrame;
    int m_nWaitCursor = 0;
    CMeasureDC m_measure;
    std::unique_ptr<CCaseGraphProgressDialog> m_pProgress;
    // The computation under way was stopped for want of memory.
    bool m_bOutOfMemory = false;
};
