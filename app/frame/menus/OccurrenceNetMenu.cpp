#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Show Occurrence Net and its size, then its exports.
std::vector<CCommandRow> MakeOccurrenceNetMenu() {
    std::vector<CCommandRow> rows = {
        {.id = ID_SHOW_OCCURRENCE_NET,
         .menu = "Occurrence Net",
         .text = "Show Occurrence Net",
         .prompt = "Show the occurrence net\nShow Occurrence Net",
         .toolbar = 2,
         .slot = 6,
         .checkable = true,
         .rule =
             [](const CCommandContext& c, int) {
                 return Enabled(c.doc.Record().contactFree,
                                c.frame.IsViewActive(CMainFrame::VIEW_OCCURRENCE_NET));
             },
         .handler = Frame(&CMainFrame::ShowOccurrenceNet)},
        {.id = 0, .menu = "Occurrence Net"},
        {.id = ID_OCCURRENCE_NET_VIEW_PROPERTIES,
         .menu = "Occurrence Net",
         .text = "View Properties",
         .prompt = "Change the size of the occurrence net\nView Properties",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Occurrence Net"},
    };
    AppendExportRows(rows, "Occurrence Net", CZerinDoc::DIAGRAM_OCCURRENCE_NET);
    return rows;
}
