#pragma once

class QWidget;

// The width a window needs for its whole title as the window manager shows it (the
// title, a dash and the program's name) beside the title bar's buttons.
int TitleWidth(const QWidget& window);
// Widens a dialog, before it is shown, so that its title is not cut off.
void FitToTitle(QWidget& dialog);
