#pragma once

#include "app/CDlgPropertiesBar.h"

// The simulation controls: reset (1002), start an automatic run (1030), stop (1001),
// execute the largest step (1003), and the speed slider.
class CDlgPropertiesSimulationBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    static constexpr int ID_RESET = 1002;
    static constexpr int ID_START = 1030;
    static constexpr int ID_STOP = 1001;
    static constexpr int ID_STEP = 1003;

    explicit CDlgPropertiesSimulationBar(QWidget* pParent = nullptr);

    void EnableSimulationButtons(bool bReset, bool bStart, bool bStop, bool bStep);

signals:
    // A button was clicked; the frame sends its id to the net design view as a command.
    void SimulationCommand(int nId);
    // The speed slider moved: milliseconds between animation frames.
    void SimulationSpeed(int nMilliseconds);
};
