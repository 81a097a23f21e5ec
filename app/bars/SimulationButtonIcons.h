#pragma once

#include <QIcon>

// The pictures of the simulation page's buttons, drawn rather than loaded: the normal
// look in dark colours, the disabled look in grey. nId is the button's command id.
QIcon MakeSimulationButtonIcon(int nId);
