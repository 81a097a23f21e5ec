#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// New, Open, Close, Save, Save As, Import PNML, the print commands, the recent files (rows
// of their own at their place) and Exit.
std::vector<CCommandRow> MakeFileMenu() {
    std::vector<CCommandRow> rows = {
        {.id = ID_FILE_NEW,
         .menu = "&File",
         .text = "&New\tCtrl+N",
         .key = "Ctrl+N",
         .prompt = "Create a new document\nNew",
         .toolbar = 0,
         .slot = 1,
         .rule = kAlways,
         .handler = Frame(&CMainFrame::OnFileNew)},
        {.id = ID_FILE_OPEN,
         .menu = "&File",
         .text = "&Open...\tCtrl+O",
         .key = "Ctrl+O",
         .prompt = "Open an existing document\nOpen",
         .toolbar = 0,
         .slot = 2,
         .rule = kAlways,
         .handler = Frame(&CMainFrame::OnFileOpen)},
        {.id = ID_FILE_CLOSE,
         .menu = "&File",
         .text = "&Close\tCtrl+W",
         .key = "Ctrl+W",
         .prompt = "Close the active document; prompts to save it\nClose",
         .rule = kAlways,
         .handler = Frame(&CMainFrame::OnFileClose)},
        {.id = ID_FILE_SAVE,
         .menu = "&File",
         .text = "&Save\tCtrl+S",
         .key = "Ctrl+S",
         .prompt = "Save the active document\nSave",
         .toolbar = 0,
         .slot = 3,
         .rule = kAlways,
         .handler = [](CMainFrame& f, int) { f.OnFileSave(); }},
        {.id = ID_FILE_SAVE_AS,
         .menu = "&File",
         .text = "Save &As...\tCtrl+Shift+S",
         .key = "Ctrl+Shift+S",
         .prompt = "Save the active document with a new name\nSave As",
         .rule = kAlways,
         .handler = [](CMainFrame& f, int) { f.OnFileSaveAs(); }},
        {.id = 0, .menu = "&File"},
        {.id = ID_FILE_IMPORT_PNML,
         .menu = "&File",
         .text = "Import PNML...",
         .prompt = "Open a net written by another Petri net tool as a new document\nImport PNML",
         .rule = kAlways,
         .handler = Frame(&CMainFrame::OnFileImportPnml)},
        {.id = 0, .menu = "&File"},
        {.id = ID_FILE_PRINT,
         .menu = "&File",
         .text = "&Print...\tCtrl+P",
         .key = "Ctrl+P",
         .prompt = "Print the active document\nPrint",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_FILE_PRINT_PREVIEW,
         .menu = "&File",
         .text = "Print Pre&view",
         .prompt = "Display full pages\nPrint Preview",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_FILE_PRINT_SETUP,
         .menu = "&File",
         .text = "P&rint Setup...",
         .prompt = "Change the printer and printing options\nPrint Setup",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "&File"},
    };
    for (int i = 0; i < RECENT_FILES; ++i)
        rows.push_back(
            {.id = ID_FILE_MRU_FILE1 + i,
             .menu = "&File",
             .prompt = "Open this document",
             .rule =
                 [](const CCommandContext& c, int nId) {
                     return Enabled(nId - ID_FILE_MRU_FILE1 <
                                    static_cast<int>(c.frame.GetRecentFiles().size()));
                 },
             .handler = [](CMainFrame& f, int nId) { f.OpenRecentFile(nId - ID_FILE_MRU_FILE1); }});
    rows.push_back({.id = 0, .menu = "&File"});
    rows.push_back({.id = ID_APP_EXIT,
                    .menu = "&File",
                    .text = "E&xit\tCtrl+Q",
                    .key = "Ctrl+Q",
                    .prompt = "Quit the application; prompts to save documents\nExit",
                    .rule = kAlways,
                    .handler = [](CMainFrame& f, int) { f.close(); }});
    return rows;
}
