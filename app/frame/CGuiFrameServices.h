#pragma once

#include "document/CFrameServices.h"
#include "platform/CMeasureDC.h"

#include <QPointer>

#include <atomic>
#include <utility>

class CCaseGraphProgressDialog;
class CWorkMonitor;
class CMainFrame;

// What the document asks of the window, answered by the main frame, its bars and its
// dialogs.
class CGuiFrameServices : public CFrameServices {
public:
    explicit CGuiFrameServices(CMainFrame& frame);
    ~CGuiFrameServices() override;

    // The frame is going away: every later call does nothing.
    void Detach() { m_pFrame = nullptr; }
    // What a computation on a worker asked of the views (they read nothing of the
    // document meanwhile), done once it has ended.
    void ApplyPending();
    // The monitor of the task under way on a worker, which the case graph's counts go
    // to (null: none).
    void SetTaskMonitor(CWorkMonitor* pMonitor) { m_pTaskMonitor = pMonitor; }

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
    static constexpr int kPendingViews = 1;
    static constexpr int kPendingReplaced = 2;
    static constexpr int kPendingState = 4;

    CMainFrame* m_pFrame;
    std::atomic<int> m_nPending = 0;
    std::atomic<CWorkMonitor*> m_pTaskMonitor = nullptr;
    int m_nWaitCursor = 0;
    CMeasureDC m_measure;
    // Made by the window's thread for a computation on it; kept until that thread is
    // back in its loop, so that what follows the graph (the events' concession) reports
    // to it and its Cancel is heard.
    QPointer<CCaseGraphProgressDialog> m_pProgress;
    // The computation under way was stopped for want of memory.
    bool m_bOutOfMemory = false;
};
