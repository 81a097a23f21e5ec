#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Show Net Design, the complement and the size, then the net design's exports.
std::vector<CCommandRow> MakeNetDesignMenu() {
    std::vector<CCommandRow> rows = {
        {.id = ID_SHOW_NET_DESIGN,
         .menu = "Net Design",
         .text = "Show Net Design",
         .prompt = "Show the net design\nShow Net Design",
         .toolbar = 2,
         .slot = 4,
         .checkable = true,
         .rule = kShowNetDesign,
         .handler = Frame(&CMainFrame::ShowNetDesign)},
        {.id = 0, .menu = "Net Design"},
        {.id = ID_NET_COMPLEMENT,
         .menu = "Net Design",
         .text = "Do Net Complement",
         .prompt = "Add the complement conditions\nDo Net Complement",
         .rule = ViewOr(Active()),
         .handler =
             [](CMainFrame& f, int nId) {
                 if (!f.ViewCommand(nId))
                     f.ComplementWithoutView();
             }},
        {.id = ID_NET_VIEW_PROPERTIES,
         .menu = "Net Design",
         .text = "View Properties",
         .prompt = "Change the size of the net design\nView Properties",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Net Design"},
    };
    AppendExportRows(rows, "Net Design", CZerinDoc::DIAGRAM_NET_DESIGN);
    return rows;
}
