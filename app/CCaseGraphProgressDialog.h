#pragma once

#include <QDialog>

// Shown while the case graph is computed: the cases and arcs found so far and Cancel.
class CCaseGraphProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit CCaseGraphProgressDialog(QWidget* pParent = nullptr);

    // Shows the counts and lets the dialog handle its events; false once Cancel was
    // pressed.
    bool SetProgress(int nCases, int nArcs);
    bool WasCancelled() const { return m_bCancelled; }

private:
    bool m_bCancelled = false;
};
