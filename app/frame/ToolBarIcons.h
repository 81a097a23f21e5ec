#pragma once

#include <QIcon>

// The toolbar buttons' pictures: the desktop theme's icon where the theme has one for
// the command (New, Open, Save, start and stop), else ours, drawn in code on a 16 x 15
// canvas and scaled sharp to any size; an empty icon for an id without a button.
QIcon ToolBarIcon(int nId);
// Ours alone, whatever the theme has.
QIcon DrawnToolBarIcon(int nId);
// The program's icon: a small condition/event net.
QIcon ApplicationIcon();
