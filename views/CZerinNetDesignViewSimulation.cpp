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
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop || !doc.Selection().IsSelected(nullptr) ||
        !doc.Simulation().CheckStep(true))
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
    if (!GetDocument().Simulation().IsActive())
        return CAutomaticRun::STEP_SIMULATION_LEFT;
    return -1;
}

int CZerinNetDesignView::RunPhaseFrames(int& nDelay) {
    CZerinDoc& doc = GetDocument();
    while (doc.Simulation().NextFrame()) {
        const int nResult = WaitFrame(nDelay);
        if (nResult >= 0)
            return nResult;
        ++m_nFramesShown;
        InvalidateAll();
        // The slider acts at once: the delay is read again after every frame.
        nDelay = doc.Simulation().Speed();
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
    int nDelay = doc.Simulation().Speed();

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
        if (nResult == CAutomaticRun::STEP_QUITTING && doc.Simulation().IsActive()) {
            if (nPhaseDone < 1) {
                doc.Simulation().ExecuteStepPhase(1);
                doc.Simulation().PrepareAnimation(true);
                while (doc.Simulation().NextFrame()) {
                }
            }
            doc.Simulation().ExecuteStepPhase(2);
            doc.Selection().Clear();
        }
        return finish(nResult);
    };

    doc.Simulation().PrepareAnimation(false);
    doc.Simulation().ExecuteStepPhase(0);
    InvalidateAll();
    m_timerFrame.start();
    int nResult = RunPhaseFrames(nDelay);
    if (nResult >= 0)
        return endEarly(0, nResult);

    doc.Simulation().ExecuteStepPhase(1);
    doc.Simulation().PrepareAnimation(true);
    InvalidateAll();
    nResult = RunPhaseFrames(nDelay);
    if (nResult >= 0)
        return endEarly(1, nResult);

    doc.Simulation().ExecuteStepPhase(2);
    doc.Selection().Clear();
    return finish(CAutomaticRun::STEP_FINISHED);
}

void CZerinNetDesignView::RequestQuit() {
    m_bQuitRequested = true;
    m_autoRun.Stop();
    if (m_pWaitLoop)
        m_pWaitLoop->exit(kLoopQuit);
}

void CZerinNetDesignView::OnSimulationSpeed(int nMilliseconds) {
    GetDocument().Simulation().SetSpeed(std::max(1, nMilliseconds));
}

void CZerinNetDesignView::OnResetSystem() {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bAnimating || m_bInAnimationLoop)
        return;
    GetDocument().Simulation().Reset();
    InvalidateAll();
}

void CZerinNetDesignView::OnNetComplement() {
    CZerinDoc& doc = GetDocument();
    if (!doc.Simulation().IsActive())
        return;
    // The complement reads the flow relation of the last structure build, which only
    // simulation mode guarantees to match the net.
    doc.Simulation().Leave();
    CMeasureDC dc;
    doc.ComplementNet(dc);
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
    if (GetDocument().Simulation().IsActive())
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
    if (GetDocument().Simulation().IsActive())
        GetDocument().GetFrame().EnableSimulationButtons(true, true, false, true);
    InvalidateAll();
}

void CZerinNetDesignView::OnLargestStep() {
    if (!m_bSimulation || m_autoRun.IsRunning() || m_bInAnimationLoop)
        return;
    if (GetDocument().Simulation().ChooseAutomaticStep(0))
        ExecuteStep();
}
