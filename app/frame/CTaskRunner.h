#pragma once

#include "app/dialogs/CTaskProgressDialog.h"
#include "base/CWorkMonitor.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// Runs a long piece of work on a worker thread while the window's thread goes on
// answering: repaints, the window manager and the accessibility bus are served, the
// work's progress is shown with Cancel once it takes a moment, and the user's input to
// the window waits. What the work writes to the output panes is held back and written
// once it completed; cancelled, it is dropped. The window is frozen around the work
// (it reads nothing of what the work changes) by the hook it gives.
class CTaskRunner : public QObject {
    Q_OBJECT

public:
    // The progress is shown once the work takes this long.
    static constexpr int kShowAfterMs = 250;
    // How often the progress is read.
    static constexpr int kPollMs = 40;

    explicit CTaskRunner(QWidget* pWindow);
    ~CTaskRunner() override;

    // Told true before the work starts, false once it has ended.
    void SetFreeze(std::function<void(bool)> freeze) { m_freeze = std::move(freeze); }
    void SetShowDelay(int nMilliseconds) { m_nShowAfterMs = nMilliseconds; }

    // Runs the work, returning once it has ended: true when it ran to its end, false
    // when it was cancelled (it returned false). Called from the worker itself (work
    // within work) it runs at once with the running work's monitor, whose progress is
    // shown and whose Cancel it hears. An exception of the work comes out here.
    bool Run(const QString& strTitle, const std::function<bool(CWorkMonitor&)>& work);
    bool IsRunning() const { return m_bRunning; }
    // The progress shown for the work under way; null before it shows and after.
    CTaskProgressDialog* GetDialog() const { return m_pDialog; }

signals:
    // The progress dialog of the work under way was shown.
    void DialogShown(CTaskProgressDialog* pDialog);

protected:
    // Keeps the user's input away from the window while the work runs; Escape there
    // is the progress's Cancel.
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    QWidget* m_pWindow;
    std::function<void(bool)> m_freeze;
    int m_nShowAfterMs = kShowAfterMs;
    bool m_bRunning = false;
    // The monitor of the work under way, which work within work reports to.
    CWorkMonitor* m_pMonitor = nullptr;
    QPointer<CTaskProgressDialog> m_pDialog;
};
