#include "app/frame/CCommandTable.h"
#include "app/frame/ExportCommands.h"
#include "app/frame/menus/CommandMenus.h"
#include "formats/CExportFormat.h"
#include "views/CommandIds.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Cmd;

// Every command of the menu bar with its menu, as the main window's menu resource has
// them; the states they take in each mode are the golden menus (MainFrameMenus).
const std::vector<std::pair<const char*, std::vector<int>>> kMenus = {
    {"&File",
     {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
      ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_FILE_MRU_FILE1, ID_APP_EXIT}},
    {"&Edit", {ID_EDIT_DELETE, ID_PLACE_FRONT, ID_PLACE_BACK}},
    {"&View",
     {ID_VIEW_STATUS_BAR, ID_VIEW_PROPERTIES_BAR, ID_VIEW_GRID, ID_VIEW_RULER, ID_VIEW_OUTPUT,
      ID_VIEW_FULL_SCREEN}},
    {"Tools",
     {ID_TOOL_SELECT, ID_TOOL_CONDITION, ID_TOOL_EVENT, ID_TOOL_EDGE, ID_TOOL_POLYGON,
      ID_TOOL_LABEL, ID_TOOL_TOKEN}},
    {"Net Design",
     {ID_SHOW_NET_DESIGN, ID_NET_COMPLEMENT, ID_NET_VIEW_PROPERTIES, ID_NET_EXPORT_XML,
      ID_NET_EXPORT_EMF}},
    {"Simulation",
     {ID_SHOW_SIMULATING_SYSTEM, ID_ENTER_SIMULATION, ID_LEAVE_SIMULATION, ID_EXECUTE_STEP,
      ID_RESET_SYSTEM, ID_SET_BREAKPOINTS}},
    {"Analysis",
     {ID_WRITE_CASE_CLASS, ID_EXPORT_CASE_CLASS_XML, ID_CASE_CLASS_VERIFICATION,
      ID_COMPUTE_ALL_REACHABLE}},
    {"Case Graph",
     {ID_SHOW_CASE_GRAPH, ID_HIGHLIGHT_REACHABLE, ID_SMOOTH_CASE_GRAPH,
      ID_CASE_GRAPH_VIEW_PROPERTIES, ID_CASE_GRAPH_EXPORT_XML, ID_CASE_GRAPH_EXPORT_EMF}},
    {"Occurrence Net",
     {ID_SHOW_OCCURRENCE_NET, ID_OCCURRENCE_NET_VIEW_PROPERTIES, ID_OCCURRENCE_NET_EXPORT_XML,
      ID_OCCURRENCE_NET_EXPORT_EMF}},
    {"&Help", {ID_HELP_EXAMPLES, ID_APP_ABOUT}},
};

TEST(CommandTable, EveryCommandOfTheMenusHasOneRowWithARuleAndAHandler) {
    std::map<int, int> seen;
    for (const CCommandRow& row : CommandTable()) {
        if (row.id == 0)
            continue;
        ++seen[row.id];
        EXPECT_TRUE(row.rule && row.handler) << row.id;
        EXPECT_TRUE(row.prompt) << row.id;
    }
    for (const auto& [id, count] : seen)
        EXPECT_EQ(count, 1) << id;
    for (const auto& [menu, ids] : kMenus)
        for (int id : ids) {
            const CCommandRow* row = FindCommand(id);
            ASSERT_NE(row, nullptr) << id;
            EXPECT_EQ(std::string(row->menu), menu) << id;
        }
    // The full-screen toolbar's command has no menu and takes Esc.
    ASSERT_NE(FindCommand(ID_LEAVE_FULL_SCREEN), nullptr);
    EXPECT_EQ(FindCommand(ID_LEAVE_FULL_SCREEN)->menu, nullptr);
    EXPECT_EQ(FindCommand(0), nullptr);
}

// The keys a desktop program is expected to take, each on one command, shown in its
// menu item.
TEST(CommandTable, TheExpectedKeysAreTaken) {
    const std::pair<const char*, int> rows[] = {
        {"Ctrl+N", ID_FILE_NEW},           {"Ctrl+O", ID_FILE_OPEN}, {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+Shift+S", ID_FILE_SAVE_AS}, {"Ctrl+Q", ID_APP_EXIT},  {"F11", ID_VIEW_FULL_SCREEN},
        {"Esc", ID_LEAVE_FULL_SCREEN},
    };
    std::map<std::string, int> taken;
    for (const CCommandRow& row : CommandTable())
        if (row.key)
            EXPECT_TRUE(taken.emplace(row.key, row.id).second) << row.key << " twice";
    for (const auto& [key, id] : rows) {
        EXPECT_EQ(taken[key], id) << key;
        const CCommandRow* row = FindCommand(id);
        ASSERT_NE(row, nullptr);
        if (row->menu)
            EXPECT_TRUE(std::string(row->text).ends_with(std::string("\t") + key)) << row->text;
    }
}

// Each export is one row, made from its format: in its diagram's menu (an analysis in the
// Analysis menu) with the format's text and prompt, under an id of its own.
TEST(CommandTable, EveryExportHasARowInItsDiagramsMenu) {
    std::set<int> ids;
    for (const CExportCommand& command : ExportCommands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
        const CCommandRow* row = FindCommand(command.id);
        ASSERT_NE(row, nullptr) << command.text;
        EXPECT_EQ(row->menu, command.format->IsAnalysis()
                                 ? std::string("Analysis")
                                 : CExportFormat::DiagramTitle(command.diagram));
        EXPECT_EQ(row->text, command.text);
        EXPECT_EQ(row->prompt, command.prompt);
        EXPECT_EQ(FindExportCommand(command.id), &command);
    }
    EXPECT_EQ(FindExportCommand(ID_FILE_NEW), nullptr);
}

// Rows listed at run time follow the Analysis menu's own (the questions' among them),
// each under the next id of the listed range.
TEST(CommandTable, TheAnalysisMenuTakesListedRowsAfterItsOwn) {
    std::vector<CCommandRow> listed(2);
    listed[0].text = "First";
    listed[1].text = "Second";
    const std::vector<CCommandRow> own = MakeAnalysisMenu({});
    int next = ID_ANALYSIS_LISTED_FIRST;
    for (const CCommandRow& row : own)
        if (row.id >= ID_ANALYSIS_LISTED_FIRST && row.id <= ID_ANALYSIS_LISTED_LAST)
            next = std::max(next, row.id + 1);
    const std::vector<CCommandRow> rows = MakeAnalysisMenu(listed);
    ASSERT_EQ(rows.size(), own.size() + 2);
    EXPECT_EQ(rows[own.size()].id, next);
    EXPECT_EQ(rows.back().id, next + 1);
    EXPECT_EQ(std::string(rows.back().text), "Second");
    EXPECT_EQ(std::string(rows.back().menu), "Analysis");
}

} // namespace
