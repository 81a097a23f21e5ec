#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// The examples, About Zerin.
std::vector<CCommandRow> MakeHelpMenu() {
    return {
        {.id = ID_HELP_EXAMPLES,
         .menu = "&Help",
         .text = "&Examples...",
         .prompt = "Open one of the example nets as a new document\nExamples",
         .rule = kAlways,
         .handler = Frame(&CMainFrame::OnHelpExamples)},
        {.id = 0, .menu = "&Help"},
        {.id = ID_APP_ABOUT,
         .menu = "&Help",
         .text = "&About Zerin...",
         .prompt = "Display program information and version\nAbout",
         .rule = kAlways,
         .handler = Frame(&CMainFrame::ShowAbout)},
    };
}
