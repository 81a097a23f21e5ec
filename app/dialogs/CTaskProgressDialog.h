#pragma once

#include "base/CWorkMonitor.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a long piece of work that runs off the window's thread: the stage it
// is at, a bar (moving back and forth where the work cannot say how far it has come),
// the time it has taken, and Cancel. Cancel, Escape and closing the window say the
// work is to stop; the dialog then says it is stopping until the work has ended.
class CTaskProgressDialog : public QDialog {
    Q_OBJECT

public:
    CTaskProgressDialog(const QString& strTitle, QWidget* pParent = nullptr);

    // Shows what the monitor reads.
    void Show(const CWorkMonitor::Reading& reading);
    bool WasCancelled() const { return m_bCancelled; }
    QString GetStageText() const;
    QPushButton* GetCancelButton() const { return m_pCancel; }

    void reject() override;

signals:
    void Cancelled();

private:
    bool m_bCancelled = false;
    QLabel* m_pStage = nullptr;
    QLabel* m_pTime = nullptr;
    QProgressBar* m_pBar = nullptr;
    QPushButton* m_pCancel = nullptr;
    QElapsedTimer m_started;
};
