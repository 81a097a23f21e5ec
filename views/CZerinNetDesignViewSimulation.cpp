#include "views/CZerinNetDesignView.h"

#include "document/CFrameServices.h"
#include "document/CZerinDoc.h"
#include "platform/CMeasureDC.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {
// How the waiting loop ends: its timer, or anything else (the application quitting
// ends every loop).
constexpr int kLoopTimerDone = 1;
constexpr int kLoopQuit = 2;
} // namespace

bool CZerinNetDesignView::ExecuteStep() {
    CZerinDoc& doc = GetDocument();
    // A second step must not start inside the animation of the first.
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop || !doc.IsSelected(nullptr) ||
        !doc.CheckStep(true))
        return true;
    CFrameServices& frame = doc.GetFrame();
    frame.EnableSimulationButtons(false, false, false, false);
    if (AnimateStep() == CAutomaticRun::STEP_QUITTING)
        return false;
    frame.EnableSimulationButtons(true, true, false, true);
    return true;
}

int CZerinNetDesignView::WaitFrame(int nMilliseconds) {
    QPointer<CZerinNetDesignView> guard(this);
    const qint64 nRemaining = m_bHurry ? 0 : nMilliseconds - m_timerFrame.elapsed();
    if (nRemaining > 0) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(kLoopTimerDone); });
        QEventLoop* pOuter = m_pWaitLoop;
        m_pWaitLoop = &loop;
        timer.start(static_cast<int>(nRemaining));
        const int nCode = loop.exec();
        if (!guard)
            return CAutomaticRun::STEP_QUITTING;
        m_pWaitLoop = pOuter;
        if (nCode != kLoopTimerDone)
            m_bQuitRequested = true;
    } else {
        QCoreApplication::processEvents();
        if (!guard)
            return CAutomaticRun::STEP_QUITTING;
    }
    if (m_bQuitRequested)
        return CAutomaticRun::STEP_QUITTING;
    if (!GetDocument().InSimulation())
        return CAutomaticRun::STEP_SIMULATION_LEFT;
    return -1;
}

int CZerinNetDesignView::RunPhaseFrames(int& nDelay) {
    CZerinDoc& doc = GetDocument();
    while (doc.NextFrame()) {
        const int nResult = WaitFrame(nDelay);
        if (nResult >= 0)
            return nResult;
        ++m_nFramesShown;
        InvalidateAll();
        // The slider acts at once: the delay is read again after every frame.
        nDelay = doc.Speed();
        m_timerFrame.restart();
    }
    return -1;
}

int CZerinNetDesignView::AnimateStep() {
    CZerinDoc& doc = GetDocument();
    QPointer<CZerinNetDesignView> guard(this);
    m_bAnimating = true;
    m_bInAnimationLoop = true;
    m_bQuitRequested = false;
    m_bHurry = false;
    m_nFramesShown = 0;
    int nDelay = doc.Speed();

    auto finish = [&](int nResult) {
        if (!guard)
            return nResult;
        m_bAnimating = false;
        m_bInAnimationLoop = false;
        InvalidateAll();
        return nResult;
    };
    auto endEarly = [&](int nPhaseDone, int nResult) {
        // Quitting may still be cancelled (a save prompt): the step is completed
        // without frames, so that no token is lost on its way. A left simulation has
        // put the initial case back already.
        // A destroyed view may have taken its document with it: nothing is touched.
        if (!guard)
            return nResult;
        if (nResult == CAutomaticRun::STEP_QUITTING && doc.InSimulation()) {
            if (nPhaseDone < 1) {
                doc.ExecuteStepPhase(1);
                doc.PrepareAnimation(true);
                while (doc.NextFrame()) {
                }
            }
            doc.ExecuteStepPhase(2);
            doc.ClearSelection();
        }
        return finish(nResult);
    };

    doc.PrepareAnimation(false);
    doc.ExecuteStepPhase(0);
    InvalidateAll();
    m_timerFrame.start();
    int nResult = RunPhaseFrames(nDelay);
    if (nResult >= 0)
        return endEarly(0, nResult);

    doc.ExecuteStepPhase(1);
    doc.PrepareAnimation(true);
    InvalidateAll();
    nResult = RunPhaseFrames(nDelay);
    if (nResult >= 0)
        return endEarly(1, nResult);

    doc.ExecuteStepPhase(2);
    doc.ClearSelection();
    return finish(CAutomaticRun::STEP_FINISHED);
}

void CZerinNetDesignView::RequestQuit() {
    m_bQuitRequested = true;
    m_autoRun.Stop();
    if (m_pWaitLoop)
        m_pWaitLoop->exit(kLoopQuit);
}

void CZerinNetDesignView::OnSimulationSpeed(int nMilliseconds) {
    GetDocument().SetSpeed(std::max(1, nMilliseconds));
}

void CZerinNetDesignView::OnResetSystem() {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bAnimating || m_bInAnimationLoop)
        return;
    GetDocument().ResetSystem();
    InvalidateAll();
}

void CZerinNetDesignView::OnNetComplement() {
    CZerinDoc& doc = GetDocument();
    if (!doc.InSimulation())
        return;
    CMeasureDC dc;
    doc.DoNetComplement(dc);
    doc.SetNetModified();
    InvalidateAll();
}

void CZerinNetDesignView::OnStartAutomaticRun() {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop)
        return;
    QPointer<CZerinNetDesignView> guard(this);
    InvalidateAll();
    m_autoRun.Run(GetDocument(), [this] { return AnimateStep(); });
    if (!guard)
        return;
    // A run ended by quitting leaves its flag, and the buttons as it set them, for
    // nobody to restore: the window may go on (a cancelled quit, New, Open).
    m_autoRun.Stop();
    if (GetDocument().InSimulation())
        GetDocument().GetFrame().EnableSimulationButtons(true, true, false, true);
    InvalidateAll();
}

void CZerinNetDesignView::ReplaySteps(const std::vector<CSetEvents>& steps) {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop)
        return;
    QPointer<CZerinNetDesignView> guard(this);
    InvalidateAll();
    m_autoRun.Replay(GetDocument(), steps, [this] { return AnimateStep(); });
    if (!guard)
        return;
    m_autoRun.Stop();
    if (GetDocument().InSimulation())
        GetDocument().GetFrame().EnableSimulationButtons(true, true, false, true);
    InvalidateAll();
}

void CZerinNetDesignView::OnLargestStep() {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop)
        return;
    if (GetDocument().ChooseAutomaticStep(0))
        ExecuteStep();
}
