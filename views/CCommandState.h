#pragma once

// The state a command's update rule gives its menu item and toolbar button.
struct CCommandState {
    bool enabled = true;
    bool checked = false;
};
