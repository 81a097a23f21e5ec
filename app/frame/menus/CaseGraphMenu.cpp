#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Showing the case graph whole or in part, its overview, its marks and layouts and its
// size, then its exports.
std::vector<CCommandRow> MakeCaseGraphMenu() {
    std::vector<CCommandRow> rows = {
        {.id = ID_SHOW_CASE_GRAPH,
         .menu = "Case Graph",
         .text = "Show Case Graph",
         .prompt = "Show the case graph\nShow Case Graph",
         .toolbar = 2,
         .slot = 5,
         .checkable = true,
         .rule =
             [](const CCommandContext& c, int) {
                 return Enabled(c.doc.Record().caseGraphValid,
                                c.frame.IsViewActive(CMainFrame::VIEW_CASE_GRAPH));
             },
         .handler = Frame(&CMainFrame::ShowCaseGraph)},
        {.id = ID_SHOW_WHOLE_GRAPH,
         .menu = "Case Graph",
         .text = "Show Whole Graph",
         .prompt = "Draw every case and step instead of the overview of a large case graph\n"
                   "Show Whole Graph",
         .checkable = true,
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_GO_TO_CASE,
         .menu = "Case Graph",
         .text = "Go to Case...\tCtrl+G",
         .key = "Ctrl+G",
         .prompt = "Show a case with the cases a few steps around it\nGo to Case",
         .rule = [](const CCommandContext& c, int) { return Enabled(c.doc.Record().caseGraphValid); },
         .handler = Frame(&CMainFrame::OnGoToCase)},
        {.id = ID_LAY_OUT_NEIGHBOURHOOD,
         .menu = "Case Graph",
         .text = "Lay Out Neighbourhood",
         .prompt = "Gather the cases shown on the free grid points nearest the case gone to\n"
                   "Lay Out Neighbourhood",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OVERVIEW_BY_CLASS,
         .menu = "Case Graph",
         .text = "Group by Reachable Class",
         .prompt = "Group the overview's cases by the cases they reach instead of by their "
                   "distance\nGroup by Reachable Class",
         .checkable = true,
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_OVERVIEW_LIMITS,
         .menu = "Case Graph",
         .text = "Overview Limits...",
         .prompt = "Choose past how many cases or steps the case graph opens on its overview\n"
                   "Overview Limits",
         .rule = [](const CCommandContext&, int) { return Enabled(true); },
         .handler = Frame(&CMainFrame::OnOverviewLimits)},
        {.id = 0, .menu = "Case Graph"},
        {.id = ID_HIGHLIGHT_REACHABLE,
         .menu = "Case Graph",
         .text = "Highlight Reachable Cases",
         .prompt = "Colour the cases reachable from the initial case\nHighlight Reachable Cases",
         .checkable = true,
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_SMOOTH_CASE_GRAPH,
         .menu = "Case Graph",
         .text = "Smooth Case Graph",
         .prompt = "Lay out the case graph again\nSmooth Case Graph",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_LAYERED_LAYOUT,
         .menu = "Case Graph",
         .text = "Layered Layout",
         .prompt = "Lay the cases out in layers along the steps (Graphviz)\nLayered Layout",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_CASE_GRAPH_VIEW_PROPERTIES,
         .menu = "Case Graph",
         .text = "View Properties",
         .prompt = "Change the size of the case graph\nView Properties",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "Case Graph"},
    };
    AppendExportRows(rows, "Case Graph", CZerinDoc::DIAGRAM_CASE_GRAPH);
    return rows;
}
