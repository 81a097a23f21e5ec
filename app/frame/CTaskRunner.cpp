#include "app/frame/CTaskRunner.h"

#include "app/dialogs/CTaskProgressDialog.h"
#include "base/CBufferedOutputSink.h"
#include "base/OutputWriter.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <exception>
#include <thread>

CTaskRunner::CTaskRunner(QWidget* pWindow) : QObject(pWindow), m_pWindow(pWindow) {}

CTaskRunner::~CTaskRunner() = default;

bool CTaskRunner::eventFilter(QObject* pObject, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::Enter:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::Close: {
        // The dialogs take their input (the progress, a message the work asked for);
        // the window and its bars wait.
        auto* pWidget = qobject_cast<QWidget*>(pObject);
        if (pWidget && qobject_cast<QDialog*>(pWidget->window()))
            return false;
        // Escape cancels wherever the keyboard is: the progress shown need not have
        // taken it from the window (a window manager may leave it where it was).
        if (pWidget && m_pDialog && pEvent->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Escape) {
            m_pDialog->reject();
            return true;
        }
        if (pEvent->type() == QEvent::Close)
            pEvent->ignore();
        return pWidget != nullptr || pEvent->type() == QEvent::Shortcut;
    }
    default:
        return false;
    }
}

bool CTaskRunner::Run(const QString& strTitle, const std::function<bool(CWorkMonitor&)>& work) {
    if (m_bRunning || QThread::currentThread() != thread()) {
        if (m_pMonitor)
            return work(*m_pMonitor);
        CWorkMonitor monitor;
        return work(monitor);
    }
    m_bRunning = true;
    if (m_freeze)
        m_freeze(true);
    CBufferedOutputSink held;
    COutputSink* pSink = SetOutputSink(&held);
    CWorkMonitor monitor;
    m_pMonitor = &monitor;
    CTaskProgressDialog dialog(strTitle, m_pWindow);
    connect(&dialog, &CTaskProgressDialog::Cancelled, this, [&monitor] { monitor.Cancel(); });
    QEventLoop loop;
    std::atomic<bool> finished = false;
    bool result = false;
    std::exception_ptr error;
    qApp->installEventFilter(this);

    QElapsedTimer started;
    started.start();
    QTimer poll;
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished) {
            loop.quit();
            return;
        }
        if (!m_pDialog && started.elapsed() >= m_nShowAfterMs) {
            m_pDialog = &dialog;
            dialog.Show(monitor.Read());
            dialog.show();
            emit DialogShown(&dialog);
        }
        if (m_pDialog)
            dialog.Show(monitor.Read());
    });
    poll.start();
    std::thread worker([&] {
        try {
            result = work(monitor);
        } catch (...) {
            error = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    poll.stop();
    qApp->removeEventFilter(this);
    m_pDialog = nullptr;
    dialog.hide();
    SetOutputSink(pSink);
    if (result && !error && pSink)
        held.Replay(*pSink);
    m_bRunning = false;
    m_pMonitor = nullptr;
    if (m_freeze)
        m_freeze(false);
    if (error)
        std::rethrow_exception(error);
    return result;
}
