#pragma once

// What the menus' rows are made of: the rules that enable and check a command and the
// handlers that carry it out. For the files of the menus alone.

#include "app/frame/CCommandTable.h"

#include <functional>
#include <optional>
#include <vector>

class CMainFrame;
class CSimulation;
class CZerinDoc;

using Rule = std::function<CCommandState(const CCommandContext&, int)>;
using Handler = std::function<void(CMainFrame&, int)>;

inline CCommandState Enabled(bool bEnabled, bool bChecked = false) {
    return CCommandState{bEnabled, bChecked};
}

// Always enabled.
extern const Rule kAlways;
// The active view's own rule; off when no view takes the command.
extern const Rule kView;
// The active view's rule when it has one, else the given one.
Rule ViewOr(Rule fallback);
// A rule of the document's commands (DocumentCommands).
Rule When(bool (*rule)(const CZerinDoc&));
// On in simulation mode.
Rule Active();
// Show Net Design and Show Simulating System: checked while the net design is shown.
extern const Rule kShowNetDesign;

// The active view carries the command out.
extern const Handler kViewCommand;
// A document command (DocumentCommands), the views updated after it.
Handler Command(void (*action)(CZerinDoc&));
// A command of the token game, the views updated after it.
Handler Simulation(void (CSimulation::*action)());
Handler Frame(void (CMainFrame::*action)());

// Appends the export commands that stand in the menu: those of the diagram's formats, or
// with no diagram those of the formats that are analyses. An export is enabled when the
// document has what its format needs and, for a picture, its diagram's view is active.
void AppendExportRows(std::vector<CCommandRow>& rows, const char* szMenu,
                      std::optional<int> nDiagram);
