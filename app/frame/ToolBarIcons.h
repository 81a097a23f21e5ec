#pragma once

#include <QIcon>

// The toolbar buttons' pictures, 16 x 15, drawn in code; an empty icon for an id
// without a button.
QIcon ToolBarIcon(int nId);
// The program's icon: a small condition/event net.
QIcon ApplicationIcon();
