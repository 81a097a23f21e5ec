#include "app/frame/CFrameFindingsHost.h"

#include "app/frame/CMainFrame.h"
#include "base/CWorkMonitor.h"
#include "document/CAutomaticRun.h"
#include "views/CZerinCaseGraphView.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

bool CFrameFindingsHost::RunWork(const std::string& title,
                                 const std::function<bool(const WorkProgress&)>& work) {
    // On a worker under the window's task runner: its progress with Cancel, the window
    // answering and frozen meanwhile.
    return m_frame.RunTask(title, [&work](CWorkMonitor& monitor) {
        return work(monitor.Progress()) && !monitor.IsCancelled();
    });
}

bool CFrameFindingsHost::CanReadDocument() const {
    return !m_frame.IsFrozen();
}

bool CFrameFindingsHost::EnterSimulation() {
    if (!m_frame.GetDocument().Simulation().IsActive())
        m_frame.OnCommand(Cmd::ID_ENTER_SIMULATION);
    return m_frame.GetDocument().Simulation().IsActive();
}

void CFrameFindingsHost::ShowNetDesign() {
    if (!m_frame.IsViewActive(CMainFrame::VIEW_NET_DESIGN))
        m_frame.ShowNetDesign();
}

int CFrameFindingsHost::FireSelectedStep() {
    CZerinNetDesignView* pView = m_frame.GetNetDesignView();
    if (!pView || IsTokenGameBusy() || !m_frame.GetDocument().Simulation().IsActive())
        return CAutomaticRun::STEP_SIMULATION_LEFT;
    ShowNetDesign();
    m_frame.EnableSimulationButtons(false, false, false, false);
    const int result = pView->AnimateStep();
    if (result != CAutomaticRun::STEP_QUITTING)
        m_frame.EnableSimulationButtons(true, true, false, true);
    return result;
}

bool CFrameFindingsHost::IsTokenGameBusy() const {
    const CZerinNetDesignView* pView = m_frame.GetNetDesignView();
    return pView && (pView->IsAnimating() || pView->IsAutoRunning() || pView->IsInAnimationLoop());
}

void CFrameFindingsHost::ShowRunInCaseGraph(std::vector<std::uint32_t> cases,
                                            std::size_t loopStart) {
    if (auto* pView =
            dynamic_cast<CZerinCaseGraphView*>(m_frame.GetView(CMainFrame::VIEW_CASE_GRAPH)))
        pView->ShowRun(std::move(cases), loopStart);
}

void CFrameFindingsHost::SetNetDesignOverlay(std::function<void(CDC&)> draw) {
    if (CZerinNetDesignView* pView = m_frame.GetNetDesignView())
        pView->SetOverlay(std::move(draw));
}

void CFrameFindingsHost::DocumentChanged() {
    m_frame.UpdateTitle();
    m_frame.GetFrameServices().UpdateAllViews();
}
