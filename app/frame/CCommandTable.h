#pragma once

#include "views/CCommandState.h"

#include <functional>
#include <optional>
#include <vector>

class CMainFrame;
class CZerinDoc;

// What the enable and check rules ask, at the moment they are asked: the document, the
// frame, and the active view for the commands it handles itself (each view has rules
// of its own for the same command, Delete for one).
struct CCommandContext {
    const CZerinDoc& doc;
    const CMainFrame& frame;
    // The active view's rule for a command it handles; nothing when it does not.
    std::function<std::optional<CCommandState>(int)> view;
};

// One command: where it shows, how it is enabled and what it does. The menus, toolbars,
// accelerators and the update pass are made from the rows; a row with id 0 is a
// separator of its menu.
struct CCommandRow {
    int id = 0;
    const char* menu = nullptr;   // the menu bar's menu, null for none
    const char* text = nullptr;   // the menu item, its key after a tab
    const char* key = nullptr;    // the accelerator, null for none
    const char* prompt = nullptr; // the status prompt, then the tip after a line break
    int toolbar = -1;             // 0 Standard, 1 Tools, 2 Controls, 3 Full Screen
    int slot = 0;                 // the place on the toolbar; a gap is a separator
    bool checkable = false;
    std::function<CCommandState(const CCommandContext&, int)> rule;
    std::function<void(CMainFrame&, int)> handler;
};

// The rows in menu order, made once from each menu's rows (app/frame/menus); the recent
// files are rows of their own at their place, the exports are made from the export
// formats.
const std::vector<CCommandRow>& CommandTable();
// The row of a command, null for an unknown id.
const CCommandRow* FindCommand(int nId);
// Rows the Analysis menu takes after its own, each given its menu and an id from
// Cmd::ID_ANALYSIS_LISTED_FIRST on by its place: a list filled at run time (commands made
// from a registry of questions) before the command table is first made.
std::vector<CCommandRow>& AnalysisCommandList();
