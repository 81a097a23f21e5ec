#pragma once

#include "views/CommandIds.h"

#include "document/CAutomaticRun.h"
#include "views/CDiagramView.h"

#include <QElapsedTimer>

class QEventLoop;

// The net design editor: drawing tools, selection and the token game.
class CZerinNetDesignView : public CDiagramView {
    Q_OBJECT

public:
    // Simulation.
    // The simulation page's buttons.
    // The frames of one animation phase.
    static constexpr int kFramesPerPhase = 10;

    CZerinNetDesignView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate() override;
    bool OnCommand(int nId) override;
    bool OnUpdateCommand(int nId, CCommandState& state) override;

    CSize GetExtent() const override;
    bool HasPropertiesPage(const CPNElement& element) const override;
    bool CanFire(const CPNElement& element) const override;
    void Fire(CPNElement& element) override;

    // What selecting asks: not while the token game fires the selection; in it only
    // events with concession are taken; the grabbed handle of a selected edge first.
    bool CanToolSelect() const override;
    bool CanToolBand() const override { return true; }
    CPNElement* HitToolElement(CPoint pt) override;

    CRect GetDrawingBounds() const override;
    void DrawModel(CDC& dc) const override;

    // Fires the selected events; false only when the application is quitting.
    bool ExecuteStep();
    // The firing animation: STEP_FINISHED, STEP_SIMULATION_LEFT or STEP_QUITTING
    // (CAutomaticRun's values).
    int AnimateStep();
    // Fires the steps one by one from the current case with the animation of an
    // automatic run, stoppable as one.
    void ReplaySteps(const std::vector<CSetEvents>& steps);
    // Ends a running animation and the automatic run at once, as a quit request
    // does (the main window calls it when it closes).
    void RequestQuit();

    unsigned GetTool() const { return m_nTool; }
    bool IsAnimating() const { return m_bAnimating; }
    bool IsAutoRunning() const { return m_autoRun.IsRunning(); }
    // A step is being animated (a single one or one of an automatic run).
    bool IsInAnimationLoop() const { return m_bInAnimationLoop; }
    // How many frames the last animation showed.
    int GetFramesShown() const { return m_nFramesShown; }

public slots:
    void OnPropertyChanged(int nWhat) override;
    void OnSimulationSpeed(int nMilliseconds) override;

protected:
    int GetRulerSpacing() const override { return 20; }
    void ResizeDiagram(int cx, int cy) override;
    void ResetMembers() override;
    void UpdateCursor(CPoint ptLogical) override;

    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    void OnDelete();
    // The clipboard: the selection as a fragment (and as a picture for other programs);
    // false when it holds nothing of the net.
    bool CopySelection();
    // The clipboard's fragment added two grid steps off, or at the mouse when it is over
    // the window, and selected; the same fragment pasted again at the same place lies
    // two grid steps further on each time.
    void Paste();
    void SelectAll();
    static bool ClipboardHoldsFragment();
    void OnPlace(bool bFront);

    void OnResetSystem();
    void OnNetComplement();
    void OnStartAutomaticRun();
    void OnLargestStep();
    // Shows the frames of one phase; STEP_* when the animation ended early, -1 when
    // all frames were shown.
    int RunPhaseFrames(int& nDelay);
    // Waits the milliseconds, dispatching events; STEP_* as for RunPhaseFrames.
    int WaitFrame(int nMilliseconds);

    CAutomaticRun m_autoRun;
    bool m_bAnimating = false;
    // An animation loop is on the stack: a view update must not let a reset or a
    // second step in before it ends.
    bool m_bInAnimationLoop = false;
    bool m_bQuitRequested = false;
    // Stop was pressed during a step: its remaining frames are shown without waiting.
    bool m_bHurry = false;
    int m_nFramesShown = 0;
    // The waiting loop between two frames, while one runs, so that a quit request can
    // end it; and the time of the last frame.
    QEventLoop* m_pWaitLoop = nullptr;
    QElapsedTimer m_timerFrame;
    // The last fragment pasted, where it was meant to go and how often it went there.
    std::vector<std::uint8_t> m_lastPasted;
    CSize m_lastPasteOffset;
    int m_nPasteRepeats = 0;
};
