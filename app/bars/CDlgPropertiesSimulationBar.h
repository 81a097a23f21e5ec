#pragma once

#include "app/bars/CDlgPropertiesBar.h"
#include "views/CommandIds.h"

class QSlider;
class QToolButton;

// The simulation controls: reset (1002), start an automatic run (1030), stop (1001),
// execute the largest step (1003), and the speed slider.
class CDlgPropertiesSimulationBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    static constexpr int IDC_SPEED = 1029;

    explicit CDlgPropertiesSimulationBar(QWidget* pParent = nullptr);

    void EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep);

    QToolButton* GetButton(int nId) const;

signals:
    // A button was clicked; the frame sends its id to the net design view as a command.
    void SimulationCommand(int nId);
    // The speed slider moved: milliseconds between animation frames.
    void SimulationSpeed(int nMilliseconds);

private:
    QToolButton* AddButton(int nId, const QString& strTip);

    QToolButton* m_pReset = nullptr;
    QToolButton* m_pStart = nullptr;
    QToolButton* m_pStop = nullptr;
    QToolButton* m_pStep = nullptr;
    QSlider* m_pSpeed = nullptr;
};
