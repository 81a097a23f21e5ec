#pragma once

#include <QDialog>

class QSpinBox;

// "Overview Limits": past how many cases or steps "Show Case Graph" opens on the overview
// of the graph instead of drawing all of it. The caller sets the members before opening
// it and reads them after OK.
class CDlgOverviewLimits : public QDialog {
    Q_OBJECT

public:
    explicit CDlgOverviewLimits(QWidget* pParent = nullptr);

    int exec() override;
    void accept() override;

    int m_nCases = 0;
    int m_nSteps = 0;

private:
    QSpinBox* m_pCases = nullptr;
    QSpinBox* m_pSteps = nullptr;
};
