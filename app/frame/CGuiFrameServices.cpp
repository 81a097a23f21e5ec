#include "app/frame/CGuiFrameServices.h"

#include <algorithm>

#include "app/dialogs/CCaseGraphProgressDialog.h"
#include "app/dialogs/CDlgBreakPoints.h"
#include "app/dialogs/CDlgCaseClassAnalysis.h"
#include "app/frame/CMainFrame.h"
#include "engines/ECaseGraphResult.h"
#include "platform/ProcessMemory.h"
#include "views/CDiagramView.h"

#include <QApplication>
#include <QCursor>
#include <QLocale>
#include <QThread>

#include <utility>

namespace {

// A call of the document from a worker (a computation the task runner runs) reaches
// the window on the window's thread, the worker waiting for it.
bool OnWorker() {
    return QThread::currentThread() != QCoreApplication::instance()->thread();
}

template <class Call> void OnWindowThread(Call&& call) {
    if (!OnWorker())
        call();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<Call>(call),
                                  Qt::BlockingQueuedConnection);
}

} // namespace

CGuiFrameServices::CGuiFrameServices(CMainFrame& frame) : m_pFrame(&frame) {}

void CGuiFrameServices::ApplyPending() {
    const int pending = m_nPending.exchange(0);
    if (pending & kPendingReplaced)
        DocumentReplaced();
    else if (pending & kPendingViews)
        UpdateAllViews();
    if (pending & kPendingState)
        DocumentStateChanged();
}

CGuiFrameServices::~CGuiFrameServices() {
    delete m_pProgress;
    while (m_nWaitCursor > 0)
        EndWaitCursor();
}

void CGuiFrameServices::DocumentReplaced() {
    // The views read the document once the work is over.
    if (OnWorker()) {
        m_nPending |= kPendingReplaced;
        return;
    }
    if (m_pFrame)
        m_pFrame->InitialUpdate();
}

void CGuiFrameServices::UpdateAllViews() {
    if (OnWorker()) {
        m_nPending |= kPendingViews;
        return;
    }
    if (!m_pFrame)
        return;
    for (int nView = CMainFrame::VIEW_NET_DESIGN; nView <= CMainFrame::VIEW_OCCURRENCE_NET; ++nView)
        if (CDiagramView* pView = m_pFrame->GetView(nView))
            pView->OnUpdate();
}

void CGuiFrameServices::DocumentStateChanged() {
    if (OnWorker()) {
        m_nPending |= kPendingState;
        return;
    }
    if (m_pFrame)
        m_pFrame->UpdateTitle();
}

void CGuiFrameServices::ShowPropertiesPage(int nKind, CPNElement* pElement) {
    OnWindowThread([this, nKind, pElement] {
        if (m_pFrame)
            m_pFrame->ShowPropertiesPage(nKind, pElement);
    });
}

void CGuiFrameServices::ShowOutputBar() {
    OnWindowThread([this] {
        if (m_pFrame)
            m_pFrame->ShowOutputBar();
    });
}

void CGuiFrameServices::ClearOutputBar() {
    OnWindowThread([this] {
        if (m_pFrame)
            m_pFrame->ResetForNewDocument();
    });
}

void CGuiFrameServices::SwitchToNetDesignView() {
    OnWindowThread([this] {
        if (m_pFrame && !m_pFrame->IsViewActive(CMainFrame::VIEW_NET_DESIGN))
            m_pFrame->SwitchView(CMainFrame::VIEW_NET_DESIGN);
    });
}

void CGuiFrameServices::EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep) {
    OnWindowThread([this, bReset, bStart, bStop, bStep] {
        if (m_pFrame)
            m_pFrame->EnableSimulationButtons(bReset, bStart, bStop, bStep);
    });
}

void CGuiFrameServices::BeginWaitCursor() {
    // A worker's work shows its progress instead.
    if (OnWorker())
        return;
    ++m_nWaitCursor;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CGuiFrameServices::EndWaitCursor() {
    if (OnWorker())
        return;
    // An end without a begin must not take away a cursor someone else set.
    if (m_nWaitCursor == 0)
        return;
    --m_nWaitCursor;
    QApplication::restoreOverrideCursor();
}

void CGuiFrameServices::BeginCaseGraphProgress() {
    // On a worker the task's own progress shows the counts.
    if (!m_pFrame || OnWorker())
        return;
    // The dialog shows itself, modal, once the computation takes a while, and lets
    // Cancel through while it is up.
    delete m_pProgress;
    m_pProgress = new CCaseGraphProgressDialog(m_pFrame);
}

bool CGuiFrameServices::CaseGraphProgress(int nCases, int nArcs) {
    // A graph that would take most of the machine's memory is refused before the
    // system ends the program for it.
    const long long nPhysical = PhysicalMemoryBytes();
    if (nPhysical > 0 && ResidentBytes() > nPhysical / 10 * 8) {
        m_bOutOfMemory = true;
        return false;
    }
    if (CWorkMonitor* pMonitor = m_pTaskMonitor; pMonitor && OnWorker()) {
        pMonitor->SetStage(QStringLiteral("Computing the case graph: %1 cases, %2 steps")
                               .arg(QLocale().toString(nCases), QLocale().toString(nArcs))
                               .toStdString());
        return pMonitor->Poll();
    }
    if (!m_pProgress)
        return true;
    return m_pProgress->SetProgress(nCases, nArcs) && !m_pProgress->WasCancelled();
}

long long CGuiFrameServices::CaseGraphMemoryBudget() {
    return MemoryHeadroomBytes(0);
}

void CGuiFrameServices::EndCaseGraphProgress() {
    if (OnWorker()) {
        if (std::exchange(m_bOutOfMemory, false))
            ShowError(kCaseGraphTooLarge);
        return;
    }
    // The test of the net goes on after the graph, asking every event's concession of
    // the whole class, and reports here: the dialog stays for it, its Cancel still
    // heard, and goes once the window's thread is back in its loop (a deferred delete
    // waits for that even while the dialog handles its own events).
    if (m_pProgress) {
        if (m_bOutOfMemory)
            m_pProgress->hide();
        m_pProgress->deleteLater();
    }
    if (std::exchange(m_bOutOfMemory, false))
        ShowError(kCaseGraphTooLarge);
}

void CGuiFrameServices::ShowError(const std::string& strMessage) {
    OnWindowThread([this, strMessage] {
        if (m_pFrame)
            m_pFrame->GetPrompt().Message(m_pFrame, QMessageBox::Warning,
                                          QString::fromStdString(strMessage), QMessageBox::Ok);
    });
}

void CGuiFrameServices::ShowBreakPointsDialog(CBreakPoints& breakPoints) {
    if (!m_pFrame)
        return;
    CDlgBreakPoints dialog(breakPoints, m_pFrame);
    m_pFrame->GetPrompt().RunDialog(dialog);
}

void CGuiFrameServices::ShowCaseClassDialog(const CCaseClassInput& input) {
    if (!m_pFrame)
        return;
    CMainFrame* pFrame = m_pFrame;
    CDlgCaseClassAnalysis dialog(
        input, pFrame->GetDocument().Simulation().IsActive(),
        [pFrame](std::size_t nCase) { return pFrame->ShowCasePath(nCase); }, pFrame);
    pFrame->GetPrompt().RunDialog(dialog);
    if (const std::optional<std::size_t> nCase = dialog.GetReplayCase())
        pFrame->ReplayCasePath(*nCase);
}
