#include "app/frame/CCommandTable.h"

#include "app/frame/CMainFrame.h"
#include "views/CommandIds.h"

#include <algorithm>

using namespace Cmd;

namespace {

using Rule = std::function<CCommandState(const CCommandContext&, int)>;
using Handler = std::function<void(CMainFrame&, int)>;

CCommandState Enabled(bool bEnabled, bool bChecked = false) {
    return CCommandState{bEnabled, bChecked};
}

// Rules.
const Rule kAlways = [](const CCommandContext&, int) { return Enabled(true); };
// The active view's own rule; off when no view takes the command.
const Rule kView = [](const CCommandContext& c, int nId) {
    return c.view ? c.view(nId).value_or(Enabled(false)) : Enabled(false);
};
// The active view's rule when it has one, else the given one.
Rule ViewOr(Rule fallback) {
    return [fallback](const CCommandContext& c, int nId) {
        if (c.view)
            if (const std::optional<CCommandState> state = c.view(nId))
                return *state;
        return fallback(c, nId);
    };
}
Rule When(bool CCommandContext::*flag) {
    return [flag](const CCommandContext& c, int) { return Enabled(c.*flag); };
}

// Handlers.
const Handler kViewCommand = [](CMainFrame& f, int nId) { f.ViewCommand(nId); };
// A document command, the views updated after it.
Handler Document(void (CZerinDoc::*action)()) {
    return [action](CMainFrame& f, int) {
        (f.GetDocument().*action)();
        f.GetFrameServices().UpdateAllViews();
    };
}
// A graph for other tools: the case graph or the occurrence net, in the format.
Handler Graph(bool bCaseGraph, const char* szExtension) {
    return [bCaseGraph, szExtension](CMainFrame& f, int) {
        f.GetDocument().OnExportGraph(bCaseGraph, szExtension);
    };
}
Handler Frame(void (CMainFrame::*action)()) {
    return [action](CMainFrame& f, int) { (f.*action)(); };
}

std::vector<CCommandRow> MakeTable() {
    const Rule kGridOrRuler = ViewOr([](const CCommandContext& c, int nId) {
        return Enabled(!c.simulating, nId == ID_VIEW_GRID ? c.grid : c.ruler);
    });
    const Handler kGridOrRulerCommand = [](CMainFrame& f, int nId) {
        if (!f.ViewCommand(nId)) {
            if (nId == ID_VIEW_GRID)
                f.GetDocument().ToggleGrid();
            else
                f.GetDocument().ToggleRuler();
            f.GetFrameServices().UpdateAllViews();
        }
    };
    const Rule kShowNetDesign = [](const CCommandContext& c, int nId) {
        return Enabled(nId == ID_SHOW_NET_DESIGN || c.simulating, c.activeView == 0);
    };
    std::vector<CCommandRow> rows = {
        // File
        {ID_FILE_NEW, "&File", "&New\tCtrl+N", "Ctrl+N", "Create a new document\nNew", 0, 1, false,
         kAlways, Frame(&CMainFrame::OnFileNew)},
        {ID_FILE_OPEN, "&File", "&Open...\tCtrl+O", "Ctrl+O", "Open an existing document\nOpen", 0,
         2, false, kAlways, Frame(&CMainFrame::OnFileOpen)},
        {ID_FILE_CLOSE, "&File", "&Close\tCtrl+W", "Ctrl+W",
         "Close the active document; prompts to save it\nClose", -1, 0, false, kAlways,
         Frame(&CMainFrame::OnFileClose)},
        {ID_FILE_SAVE, "&File", "&Save\tCtrl+S", "Ctrl+S", "Save the active document\nSave", 0, 3,
         false, kAlways, [](CMainFrame& f, int) { f.OnFileSave(); }},
        {ID_FILE_SAVE_AS, "&File", "Save &As...", nullptr,
         "Save the active document with a new name\nSave As", -1, 0, false, kAlways,
         [](CMainFrame& f, int) { f.OnFileSaveAs(); }},
        {0, "&File"},
        {ID_FILE_IMPORT_PNML, "&File", "Import PNML...", nullptr,
         "Open a net written by another Petri net tool as a new document\nImport PNML", -1, 0,
         false, kAlways, Frame(&CMainFrame::OnFileImportPnml)},
        {0, "&File"},
        {ID_FILE_PRINT, "&File", "&Print...\tCtrl+P", "Ctrl+P", "Print the active document\nPrint",
         -1, 0, false, kView, kViewCommand},
        {ID_FILE_PRINT_PREVIEW, "&File", "Print Pre&view", nullptr,
         "Display full pages\nPrint Preview", -1, 0, false, kView, kViewCommand},
        {ID_FILE_PRINT_SETUP, "&File", "P&rint Setup...", nullptr,
         "Change the printer and printing options\nPrint Setup", -1, 0, false, kView, kViewCommand},
        {0, "&File"},
    };
    for (int i = 0; i < RECENT_FILES; ++i)
        rows.push_back({ID_FILE_MRU_FILE1 + i, "&File", nullptr, nullptr, "Open this document", -1,
                        0, false,
                        [](const CCommandContext& c, int nId) {
                            return Enabled(nId - ID_FILE_MRU_FILE1 < c.recentFiles);
                        },
                        [](CMainFrame& f, int nId) { f.OpenRecentFile(nId - ID_FILE_MRU_FILE1); }});
    const std::vector<CCommandRow> rest = {
        {0, "&File"},
        {ID_APP_EXIT, "&File", "E&xit", nullptr,
         "Quit the application; prompts to save documents\nExit", -1, 0, false, kAlways,
         [](CMainFrame& f, int) { f.close(); }},
        // Edit
        {ID_EDIT_UNDO, "&Edit", "&Undo\tCtrl+Z", "Ctrl+Z", "Undo the last edit\nUndo", -1, 0, false,
         [](const CCommandContext& c, int) {
             CCommandState state{!c.undoText.empty(), false};
             state.text = c.undoText.empty() ? "&Undo\tCtrl+Z" : "&Undo " + c.undoText + "\tCtrl+Z";
             return state;
         },
         [](CMainFrame& f, int) { f.GetDocument().History().Undo(); }},
        {ID_EDIT_REDO, "&Edit", "&Redo\tCtrl+Shift+Z", "Ctrl+Shift+Z;Ctrl+Y",
         "Redo the edit last undone\nRedo", -1, 0, false,
         [](const CCommandContext& c, int) {
             CCommandState state{!c.redoText.empty(), false};
             state.text = c.redoText.empty() ? "&Redo\tCtrl+Shift+Z"
                                             : "&Redo " + c.redoText + "\tCtrl+Shift+Z";
             return state;
         },
         [](CMainFrame& f, int) { f.GetDocument().History().Redo(); }},
        {0, "&Edit"},
        {ID_EDIT_CUT, "&Edit", "Cu&t\tCtrl+X", "Ctrl+X", "Move the selection to the clipboard\nCut",
         -1, 0, false, kView, kViewCommand},
        {ID_EDIT_COPY, "&Edit", "&Copy\tCtrl+C", "Ctrl+C",
         "Copy the selection to the clipboard\nCopy", -1, 0, false, kView, kViewCommand},
        {ID_EDIT_PASTE, "&Edit", "&Paste\tCtrl+V", "Ctrl+V",
         "Insert what the clipboard holds\nPaste", -1, 0, false, kView, kViewCommand},
        {ID_EDIT_SELECT_ALL, "&Edit", "Select &All\tCtrl+A", "Ctrl+A",
         "Select the whole diagram\nSelect All", -1, 0, false, kView, kViewCommand},
        {0, "&Edit"},
        {ID_EDIT_DELETE, "&Edit", "&Delete\tDel", nullptr, "Delete the selection\nDelete", -1, 0,
         false, kView, kViewCommand},
        {0, "&Edit"},
        {ID_PLACE_FRONT, "&Edit", "Place To Front", nullptr,
         "Place the selection in front of the others\nPlace To Front", -1, 0, false, kView,
         kViewCommand},
        {ID_PLACE_BACK, "&Edit", "Place To Back", nullptr,
         "Place the selection behind the others\nPlace To Back", -1, 0, false, kView, kViewCommand},
        // View
        {ID_VIEW_STATUS_BAR, "&View", "&Status Bar", nullptr,
         "Show or hide the status bar\nToggle StatusBar", -1, 0, true,
         [](const CCommandContext& c, int) { return Enabled(true, c.statusBarVisible); },
         Frame(&CMainFrame::ToggleStatusBar)},
        {ID_VIEW_PROPERTIES_BAR, "&View", "Properties Bar", nullptr,
         "Show or hide the properties bar\nProperties Bar", -1, 0, true,
         [](const CCommandContext& c, int) { return Enabled(true, c.pageVisible); },
         Frame(&CMainFrame::TogglePropertiesBar)},
        {ID_VIEW_GRID, "&View", "Grid Points", nullptr, "Show or hide the grid points\nGrid Points",
         -1, 0, true, kGridOrRuler, kGridOrRulerCommand},
        {ID_VIEW_RULER, "&View", "Ruler", nullptr, "Show or hide the rulers\nRuler", -1, 0, true,
         kGridOrRuler, kGridOrRulerCommand},
        {ID_VIEW_OUTPUT, "&View", "Output Window", nullptr,
         "Show or hide the output window\nOutput Window", -1, 0, true,
         [](const CCommandContext& c, int) { return Enabled(true, c.outputVisible); },
         Frame(&CMainFrame::ToggleOutputWindow)},
        {0, "&View"},
        {ID_VIEW_ZOOM_IN, "&View", "Zoom In\tCtrl++", "Ctrl++", "Show the diagram larger\nZoom In",
         -1, 0, false, kView, kViewCommand},
        {ID_VIEW_ZOOM_OUT, "&View", "Zoom Out\tCtrl+-", "Ctrl+-",
         "Show the diagram smaller\nZoom Out", -1, 0, false, kView, kViewCommand},
        {ID_VIEW_ZOOM_ACTUAL, "&View", "Actual Size\tCtrl+0", "Ctrl+0",
         "Show the diagram at 100 %\nActual Size", -1, 0, false, kView, kViewCommand},
        {ID_VIEW_ZOOM_FIT, "&View", "Fit Page", nullptr,
         "Show the whole page in the window\nFit Page", -1, 0, false, kView, kViewCommand},
        {ID_VIEW_ZOOM_DRAWING, "&View", "Fit Drawing\tCtrl+9", "Ctrl+9",
         "Show the whole drawing in the window\nFit Drawing", -1, 0, false, kView, kViewCommand},
        {0, "&View"},
        {ID_VIEW_FULL_SCREEN, "&View", "Full Screen", nullptr,
         "Show the diagram on the whole screen\nFull Screen", -1, 0, true,
         [](const CCommandContext& c, int) { return Enabled(true, c.fullScreen); },
         Frame(&CMainFrame::FullScreenOn)},
        {ID_LEAVE_FULL_SCREEN, nullptr, "Full Screen", "Esc",
         "Leave full screen mode\nClose Full Screen", 3, 1, false,
         When(&CCommandContext::fullScreen), Frame(&CMainFrame::FullScreenOff)},
        // Tools: the view's.
        {ID_TOOL_SELECT, "Tools", "Select", nullptr, "Set to select mode\nSelect mode", 1, 1, true,
         kView, kViewCommand},
        {ID_TOOL_CONDITION, "Tools", "Condition", nullptr, "Set to draw conditions mode\nCondition",
         1, 2, true, kView, kViewCommand},
        {ID_TOOL_EVENT, "Tools", "Event", nullptr, "Set to draw events mode\nEvent", 1, 3, true,
         kView, kViewCommand},
        {ID_TOOL_EDGE, "Tools", "Edge", nullptr, "Set to draw edges mode\nEdges", 1, 4, true, kView,
         kViewCommand},
        {ID_TOOL_POLYGON, "Tools", "Polygon", nullptr, "Set to draw polygons mode\nPolygon", 1, 5,
         true, kView, kViewCommand},
        {ID_TOOL_LABEL, "Tools", "Label", nullptr, "Set to draw text mode\nText", 1, 6, true, kView,
         kViewCommand},
        {ID_TOOL_TOKEN, "Tools", "Token", nullptr, "Set to flip token mode\nFlip token", 1, 7, true,
         kView, kViewCommand},
        // Net Design
        {ID_SHOW_NET_DESIGN, "Net Design", "Show Net Design", nullptr,
         "Show the net design\nShow Net Design", 2, 4, true, kShowNetDesign,
         Frame(&CMainFrame::ShowNetDesign)},
        {0, "Net Design"},
        {ID_NET_COMPLEMENT, "Net Design", "Do Net Complement", nullptr,
         "Add the complement conditions\nDo Net Complement", -1, 0, false,
         ViewOr(When(&CCommandContext::canDoNetComplement)),
         [](CMainFrame& f, int nId) {
             if (!f.ViewCommand(nId))
                 f.ComplementWithoutView();
         }},
        {ID_NET_VIEW_PROPERTIES, "Net Design", "View Properties", nullptr,
         "Change the size of the net design\nView Properties", -1, 0, false, kView, kViewCommand},
        {0, "Net Design"},
        {ID_NET_EXPORT_XML, "Net Design", "Export To XML", nullptr,
         "Write the net design as XML\nExport To XML", -1, 0, false,
         When(&CCommandContext::canExportNetDesignXML), Document(&CZerinDoc::OnExportNetDesignXML)},
        {ID_NET_EXPORT_PNML, "Net Design", "Export To PNML", nullptr,
         "Write the net design for other Petri net tools\nExport To PNML", -1, 0, false,
         When(&CCommandContext::canExportNetDesignXML), Frame(&CMainFrame::OnNetExportPnml)},
        {ID_NET_EXPORT_EMF, "Net Design", "Export To EMF", nullptr,
         "Write the net design as a picture\nExport To EMF", -1, 0, false, kView, kViewCommand},
        {ID_NET_EXPORT_SVG, "Net Design", "Export To SVG", nullptr,
         "Write the net design as an SVG picture\nExport To SVG", -1, 0, false, kView,
         kViewCommand},
        {ID_NET_EXPORT_PDF, "Net Design", "Export To PDF", nullptr,
         "Write the net design as a PDF page\nExport To PDF", -1, 0, false, kView, kViewCommand},
        {ID_NET_EXPORT_PNG, "Net Design", "Export To PNG", nullptr,
         "Write the net design as a PNG image\nExport To PNG", -1, 0, false, kView, kViewCommand},
        {ID_NET_EXPORT_TIKZ, "Net Design", "Export To TikZ", nullptr,
         "Write the net design as a TikZ picture for LaTeX\nExport To TikZ", -1, 0, false, kView,
         kViewCommand},
        // Simulation
        {ID_SHOW_SIMULATING_SYSTEM, "Simulation", "Show Simulating System", nullptr,
         "Show the simulating net\nShow Simulating System", -1, 0, true, kShowNetDesign,
         Frame(&CMainFrame::ShowNetDesign)},
        {0, "Simulation"},
        {ID_ENTER_SIMULATION, "Simulation", "Enter Simulation Mode", nullptr,
         "Test the net and start the token game\nEnter Simulation Mode", 2, 1, false,
         When(&CCommandContext::canEnterSimulation), Document(&CZerinDoc::EnterSimulation)},
        {ID_LEAVE_SIMULATION, "Simulation", "Leave Simulation Mode", nullptr,
         "Stop the token game\nLeave Simulation Mode", 2, 2, false,
         When(&CCommandContext::canLeaveSimulation), Document(&CZerinDoc::LeaveSimulation)},
        {0, "Simulation"},
        {ID_EXECUTE_STEP, "Simulation", "Execute Step", nullptr,
         "Fire the selected events\nExecute Step", -1, 0, false, kView, kViewCommand},
        {ID_RESET_SYSTEM, "Simulation", "Reset System", nullptr,
         "Return to the initial case\nReset System", -1, 0, false, kView, kViewCommand},
        {0, "Simulation"},
        {ID_SET_BREAKPOINTS, "Simulation", "Set Breakpoints", nullptr,
         "Choose the cases an automatic run stops at\nSet Breakpoints", -1, 0, false,
         When(&CCommandContext::canSetBreakpoints), Document(&CZerinDoc::OnSetBreakpoints)},
        // Analysis
        {ID_WRITE_CASE_CLASS, "Analysis", "Write Out Case Class", nullptr,
         "Write the case class to the output window\nWrite Out Case Class", -1, 0, false,
         When(&CCommandContext::canWriteCaseClass), Document(&CZerinDoc::OnWriteCaseClass)},
        {ID_EXPORT_CASE_CLASS_XML, "Analysis", "Export Case Class To XML", nullptr,
         "Write the case class as XML\nExport Case Class To XML", -1, 0, false,
         When(&CCommandContext::canExportCaseClassXML), Document(&CZerinDoc::OnExportCaseClassXML)},
        {ID_CASE_CLASS_VERIFICATION, "Analysis", "Case Class Verification", nullptr,
         "Check cases against the case class\nCase Class Verification", -1, 0, false,
         When(&CCommandContext::canVerifyCaseClass), Document(&CZerinDoc::OnCaseClassVerification)},
        {ID_COMPUTE_ALL_REACHABLE, "Analysis", "Compute All Reachable Cases", nullptr,
         "Compute the cases reachable forwards and backwards\nCompute All Reachable Cases", -1, 0,
         false, When(&CCommandContext::canComputeAllReachable),
         Document(&CZerinDoc::OnComputeAllReachable)},
        {ID_COUNT_REACHABLE_CLASSES, "Analysis", "Count Reachable Classes", nullptr,
         "Count the classes of cases that reach the same cases, without listing them\n"
         "Count Reachable Classes",
         -1, 0, false, When(&CCommandContext::canComputeAllReachable),
         Document(&CZerinDoc::OnCountReachableClasses)},
        // Case Graph
        {ID_SHOW_CASE_GRAPH, "Case Graph", "Show Case Graph", nullptr,
         "Show the case graph\nShow Case Graph", 2, 5, true,
         [](const CCommandContext& c,
            int) { return Enabled(c.caseGraphValid, c.activeView == CMainFrame::VIEW_CASE_GRAPH); },
         Frame(&CMainFrame::ShowCaseGraph)},
        {0, "Case Graph"},
        {ID_HIGHLIGHT_REACHABLE, "Case Graph", "Highlight Reachable Cases", nullptr,
         "Colour the cases reachable from the initial case\nHighlight Reachable Cases", -1, 0, true,
         kView, kViewCommand},
        {ID_SMOOTH_CASE_GRAPH, "Case Graph", "Smooth Case Graph", nullptr,
         "Lay out the case graph again\nSmooth Case Graph", -1, 0, false, kView, kViewCommand},
        {ID_LAYERED_LAYOUT, "Case Graph", "Layered Layout", nullptr,
         "Lay the cases out in layers along the steps (Graphviz)\nLayered Layout", -1, 0, false,
         kView, kViewCommand},
        {ID_CASE_GRAPH_VIEW_PROPERTIES, "Case Graph", "View Properties", nullptr,
         "Change the size of the case graph\nView Properties", -1, 0, false, kView, kViewCommand},
        {0, "Case Graph"},
        {ID_CASE_GRAPH_EXPORT_XML, "Case Graph", "Export To XML", nullptr,
         "Write the case graph as XML\nExport To XML", -1, 0, false,
         When(&CCommandContext::canExportCaseGraphXML), Document(&CZerinDoc::OnExportCaseGraphXML)},
        {ID_CASE_GRAPH_EXPORT_GRAPHML, "Case Graph", "Export To GraphML", nullptr,
         "Write the case graph as GraphML for other graph tools\nExport To GraphML", -1, 0, false,
         When(&CCommandContext::canExportCaseGraphXML), Graph(true, "graphml")},
        {ID_CASE_GRAPH_EXPORT_DOT, "Case Graph", "Export To DOT", nullptr,
         "Write the case graph as a Graphviz DOT graph\nExport To DOT", -1, 0, false,
         When(&CCommandContext::canExportCaseGraphXML), Graph(true, "dot")},
        {ID_CASE_GRAPH_EXPORT_EMF, "Case Graph", "Export To EMF", nullptr,
         "Write the case graph as a picture\nExport To EMF", -1, 0, false, kView, kViewCommand},
        {ID_CASE_GRAPH_EXPORT_SVG, "Case Graph", "Export To SVG", nullptr,
         "Write the case graph as an SVG picture\nExport To SVG", -1, 0, false, kView,
         kViewCommand},
        {ID_CASE_GRAPH_EXPORT_PDF, "Case Graph", "Export To PDF", nullptr,
         "Write the case graph as a PDF page\nExport To PDF", -1, 0, false, kView, kViewCommand},
        {ID_CASE_GRAPH_EXPORT_PNG, "Case Graph", "Export To PNG", nullptr,
         "Write the case graph as a PNG image\nExport To PNG", -1, 0, false, kView, kViewCommand},
        {ID_CASE_GRAPH_EXPORT_TIKZ, "Case Graph", "Export To TikZ", nullptr,
         "Write the case graph as a TikZ picture for LaTeX\nExport To TikZ", -1, 0, false, kView,
         kViewCommand},
        // Occurrence Net
        {ID_SHOW_OCCURRENCE_NET, "Occurrence Net", "Show Occurrence Net", nullptr,
         "Show the occurrence net\nShow Occurrence Net", 2, 6, true,
         [](const CCommandContext& c, int) {
             return Enabled(c.contactFree, c.activeView == CMainFrame::VIEW_OCCURRENCE_NET);
         },
         Frame(&CMainFrame::ShowOccurrenceNet)},
        {0, "Occurrence Net"},
        {ID_OCCURRENCE_NET_VIEW_PROPERTIES, "Occurrence Net", "View Properties", nullptr,
         "Change the size of the occurrence net\nView Properties", -1, 0, false, kView,
         kViewCommand},
        {0, "Occurrence Net"},
        {ID_OCCURRENCE_NET_EXPORT_XML, "Occurrence Net", "Export To XML", nullptr,
         "Write the occurrence net as XML\nExport To XML", -1, 0, false,
         When(&CCommandContext::canExportOccurrenceNetXML),
         Document(&CZerinDoc::OnExportOccurrenceNetXML)},
        {ID_OCCURRENCE_NET_EXPORT_GRAPHML, "Occurrence Net", "Export To GraphML", nullptr,
         "Write the occurrence net as GraphML for other graph tools\nExport To GraphML", -1, 0,
         false, When(&CCommandContext::canExportOccurrenceNetXML), Graph(false, "graphml")},
        {ID_OCCURRENCE_NET_EXPORT_DOT, "Occurrence Net", "Export To DOT", nullptr,
         "Write the occurrence net as a Graphviz DOT graph\nExport To DOT", -1, 0, false,
         When(&CCommandContext::canExportOccurrenceNetXML), Graph(false, "dot")},
        {ID_OCCURRENCE_NET_EXPORT_EMF, "Occurrence Net", "Export To EMF", nullptr,
         "Write the occurrence net as a picture\nExport To EMF", -1, 0, false, kView, kViewCommand},
        {ID_OCCURRENCE_NET_EXPORT_SVG, "Occurrence Net", "Export To SVG", nullptr,
         "Write the occurrence net as an SVG picture\nExport To SVG", -1, 0, false, kView,
         kViewCommand},
        {ID_OCCURRENCE_NET_EXPORT_PDF, "Occurrence Net", "Export To PDF", nullptr,
         "Write the occurrence net as a PDF page\nExport To PDF", -1, 0, false, kView,
         kViewCommand},
        {ID_OCCURRENCE_NET_EXPORT_PNG, "Occurrence Net", "Export To PNG", nullptr,
         "Write the occurrence net as a PNG image\nExport To PNG", -1, 0, false, kView,
         kViewCommand},
        {ID_OCCURRENCE_NET_EXPORT_TIKZ, "Occurrence Net", "Export To TikZ", nullptr,
         "Write the occurrence net as a TikZ picture for LaTeX\nExport To TikZ", -1, 0, false,
         kView, kViewCommand},
        // Help
        {ID_APP_ABOUT, "&Help", "&About Zerin...", nullptr,
         "Display program information and version\nAbout", -1, 0, false, kAlways,
         Frame(&CMainFrame::ShowAbout)},
        // The output window's context menu.
        {ID_OUTPUT_HIDE, nullptr, "Hide", nullptr, "Hide the output window\nHide", -1, 0, false,
         kAlways, Frame(&CMainFrame::HideOutputWindow)},
        {ID_OUTPUT_RESET_CONTENT, nullptr, "Reset Content", nullptr,
         "Empty the pane shown\nReset Content", -1, 0, false,
         [](const CCommandContext& c, int) { return Enabled(!c.outputPaneEmpty); },
         Frame(&CMainFrame::ResetOutputPane)},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

} // namespace

const std::vector<CCommandRow>& CommandTable() {
    static const std::vector<CCommandRow> table = MakeTable();
    return table;
}

const CCommandRow* FindCommand(int nId) {
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [nId](const CCommandRow& row) { return row.id == nId; });
    return nId != 0 && it != table.end() ? &*it : nullptr;
}
