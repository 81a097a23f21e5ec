#pragma once

#include "app/frame/CCommandTable.h"

#include <vector>

namespace Cmd {
// Help > Examples: a command of the window alone, which no view takes (the views' ids
// are in views/CommandIds.h).
constexpr int ID_HELP_EXAMPLES = 32872;
} // namespace Cmd

// The rows of each menu in menu order, made one menu at a time; the command table is
// their concatenation in the order of the menu bar.
std::vector<CCommandRow> MakeFileMenu();
std::vector<CCommandRow> MakeEditMenu();
std::vector<CCommandRow> MakeViewMenu();
std::vector<CCommandRow> MakeToolsMenu();
std::vector<CCommandRow> MakeNetDesignMenu();
std::vector<CCommandRow> MakeSimulationMenu();
// The Analysis menu's own rows and after them the listed ones, each given the menu and
// the next id from Cmd::ID_ANALYSIS_LISTED_FIRST on.
std::vector<CCommandRow> MakeAnalysisMenu(const std::vector<CCommandRow>& listed);
std::vector<CCommandRow> MakeCaseGraphMenu();
std::vector<CCommandRow> MakeOccurrenceNetMenu();
std::vector<CCommandRow> MakeHelpMenu();
std::vector<CCommandRow> MakeOutputMenu();
