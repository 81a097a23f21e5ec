#pragma once

// Chooses Qt's off-screen platform when there is no display to show windows on, so
// that the command-line tool can draw and export without one. Call it before the
// application object is created; a platform chosen in QT_QPA_PLATFORM is kept.
void EnsureQtPlatform();
