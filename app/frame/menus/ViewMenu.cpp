#include "app/frame/menus/CommandMenus.h"

#include "app/bars/CNavigatorBar.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

namespace {

// Grid Points and Ruler: the view's own where it has them, else the document's.
const Rule kGridOrRuler = ViewOr([](const CCommandContext& c, int nId) {
    return Enabled(!c.doc.Simulation().IsActive(),
                   nId == ID_VIEW_GRID ? c.doc.Record().grid : c.doc.Record().ruler);
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

} // namespace

// The bars and panes shown, the zoom and full screen (its toolbar's Leave among them).
std::vector<CCommandRow> MakeViewMenu() {
    return {
        {.id = ID_VIEW_STATUS_BAR,
         .menu = "&View",
         .text = "&Status Bar",
         .prompt = "Show or hide the status bar\nToggle StatusBar",
         .checkable = true,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(true, c.frame.IsStatusBarVisible()); },
         .handler = Frame(&CMainFrame::ToggleStatusBar)},
        {.id = ID_VIEW_PROPERTIES_BAR,
         .menu = "&View",
         .text = "Properties Bar",
         .prompt = "Show or hide the properties bar\nProperties Bar",
         .checkable = true,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(true, c.frame.IsPageVisible()); },
         .handler = Frame(&CMainFrame::TogglePropertiesBar)},
        {.id = ID_VIEW_GRID,
         .menu = "&View",
         .text = "Grid Points",
         .prompt = "Show or hide the grid points\nGrid Points",
         .checkable = true,
         .rule = kGridOrRuler,
         .handler = kGridOrRulerCommand},
        {.id = ID_VIEW_RULER,
         .menu = "&View",
         .text = "Ruler",
         .prompt = "Show or hide the rulers\nRuler",
         .checkable = true,
         .rule = kGridOrRuler,
         .handler = kGridOrRulerCommand},
        {.id = ID_VIEW_OUTPUT,
         .menu = "&View",
         .text = "Output Window",
         .prompt = "Show or hide the output window\nOutput Window",
         .checkable = true,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(true, c.frame.IsOutputVisible()); },
         .handler = Frame(&CMainFrame::ToggleOutputWindow)},
        {.id = ID_VIEW_NAVIGATOR,
         .menu = "&View",
         .text = "Navigator",
         .prompt = "Show or hide the whole page in a small window\nNavigator",
         .checkable = true,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(true, c.frame.GetNavigator().isVisible()); },
         .handler =
             [](CMainFrame& f, int) {
                 CNavigatorBar& bar = f.GetNavigator();
                 bar.setVisible(!bar.isVisible());
             }},
        {.id = 0, .menu = "&View"},
        {.id = ID_VIEW_ZOOM_IN,
         .menu = "&View",
         .text = "Zoom In\tCtrl++",
         .key = "Ctrl++",
         .prompt = "Show the diagram larger\nZoom In",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_VIEW_ZOOM_OUT,
         .menu = "&View",
         .text = "Zoom Out\tCtrl+-",
         .key = "Ctrl+-",
         .prompt = "Show the diagram smaller\nZoom Out",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_VIEW_ZOOM_ACTUAL,
         .menu = "&View",
         .text = "Actual Size\tCtrl+0",
         .key = "Ctrl+0",
         .prompt = "Show the diagram at 100 %\nActual Size",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_VIEW_ZOOM_FIT,
         .menu = "&View",
         .text = "Fit Page",
         .prompt = "Show the whole page in the window\nFit Page",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_VIEW_ZOOM_DRAWING,
         .menu = "&View",
         .text = "Fit Drawing\tCtrl+9",
         .key = "Ctrl+9",
         .prompt = "Show the whole drawing in the window\nFit Drawing",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "&View"},
        {.id = ID_VIEW_FULL_SCREEN,
         .menu = "&View",
         .text = "Full Screen\tF11",
         .key = "F11",
         .prompt = "Show the diagram on the whole screen, or leave it\nFull Screen",
         .checkable = true,
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(true, c.frame.IsFullScreen()); },
         // F11 leaves full screen as it entered it.
         .handler =
             [](CMainFrame& f, int) {
                 if (f.IsFullScreen())
                     f.FullScreenOff();
                 else
                     f.FullScreenOn();
             }},
        {.id = ID_LEAVE_FULL_SCREEN,
         .menu = nullptr,
         .text = "Full Screen",
         .key = "Esc",
         .prompt = "Leave full screen mode\nClose Full Screen",
         .toolbar = 3,
         .slot = 1,
         .rule = [](const CCommandContext& c, int) { return Enabled(c.frame.IsFullScreen()); },
         .handler = Frame(&CMainFrame::FullScreenOff)},
    };
}
