#include "app/CDlgPropertiesSimulationBar.h"

CDlgPropertiesSimulationBar::CDlgPropertiesSimulationBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Simulation"), pParent) {}

void CDlgPropertiesSimulationBar::EnableSimulationButtons(bool, bool, bool, bool) {}
