#include "app/frame/CFrameFindingsHost.h"

#include "app/frame/CMainFrame.h"
#include "document/CAutomaticRun.h"
#include "views/CZerinCaseGraphView.h"
#include "views/CZerinNetDesignView.h"
#include "views/CommandIds.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <thread>

bool CFrameFindingsHost::RunWork(const std::string& title,
                                 const std::function<bool(const WorkProgress&)>& work) {
    // The work runs on a worker; the window's thread shows its progress and answers
    // meanwhile, the dialog keeping the user's input away from the window.
    std::atomic<std::size_t> done = 0, total = 0;
    std::atomic<bool> stopped = false, finished = false, result = false;
    std::exception_ptr fault;
    QProgressDialog dialog(&m_frame);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(title) + QStringLiteral("..."));
    dialog.setCancelButtonText(QStringLiteral("Stop"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setRange(0, 0);
    dialog.setMinimumDuration(250);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(40);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (dialog.wasCanceled())
            stopped = true;
        if (const std::size_t n = total; n > 0) {
            dialog.setRange(0, 1000);
            dialog.setValue(
                static_cast<int>(1000.0 * static_cast<double>(done) / static_cast<double>(n)));
        } else {
            dialog.setValue(0);
        }
        if (finished)
            loop.quit();
    });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::thread worker([&] {
        try {
            result = work([&](std::size_t nDone, std::size_t nTotal) {
                done = nDone;
                total = nTotal;
                return !stopped;
            });
        } catch (...) {
            fault = std::current_exception();
        }
        finished = true;
    });
    poll.start();
    if (!finished)
        loop.exec();
    worker.join();
    poll.stop();
    QApplication::restoreOverrideCursor();
    if (fault)
        std::rethrow_exception(fault);
    return result && !stopped;
}

bool CFrameFindingsHost::CanReadDocument() const {
    return true;
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
