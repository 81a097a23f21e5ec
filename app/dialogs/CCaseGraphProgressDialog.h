#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

// Shown while the case graph is computed: the cases and arcs found so far and Cancel.
class CCaseGraphProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit CCaseGraphProgressDialog(QWidget* pParent = nullptr);

    // Shows the counts and lets the dialog handle its events; false once Cancel was
    // pressed.
    bool SetProgress(int nCases, int nArcs);
    bool WasCancelled() const { return m_bCancelled; }
    // A computation that ends sooner than this after the dialog was made shows no
    // dialog at all (milliseconds; 0 shows it at the first report).
    void SetShowDelay(int nMilliseconds) { m_nShowDelayMs = nMilliseconds; }

    // Cancel, Escape and closing the window all cancel the computation.
    void reject() override;

    QString GetCountsText() const;

private:
    bool m_bCancelled = false;
    QLabel* m_pCounts = nullptr;
    QPushButton* m_pCancel = nullptr;
    int m_nShowDelayMs = 400;
    QElapsedTimer m_created;
    QElapsedTimer m_lastEvents;
};
