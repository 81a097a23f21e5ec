#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// The output window's context menu (rows of no menu bar menu).
std::vector<CCommandRow> MakeOutputMenu() {
    return {
        {.id = ID_OUTPUT_HIDE,
         .menu = nullptr,
         .text = "Hide",
         .prompt = "Hide the output window\nHide",
         .rule = kAlways,
         .handler = Frame(&CMainFrame::HideOutputWindow)},
        {.id = ID_OUTPUT_RESET_CONTENT,
         .menu = nullptr,
         .text = "Reset Content",
         .prompt = "Empty the pane shown\nReset Content",
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(!c.frame.IsOutputPaneEmpty()); },
         .handler = Frame(&CMainFrame::ResetOutputPane)},
    };
}
