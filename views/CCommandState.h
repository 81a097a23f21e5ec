#pragma once

#include <string>

// The state a command's update rule gives its menu item and toolbar button.
struct CCommandState {
    bool enabled = true;
    bool checked = false;
    // A menu text that changes with the state ("Undo Move\tCtrl+Z"); empty keeps the row's.
    std::string text;
};
