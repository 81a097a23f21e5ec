#include "app/frame/menus/CommandMenus.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/menus/CommandRules.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

using namespace Cmd;

// Undo and Redo named after the edit, the clipboard, the selection, Delete and the order.
std::vector<CCommandRow> MakeEditMenu() {
    return {
        {.id = ID_EDIT_UNDO,
         .menu = "&Edit",
         .text = "&Undo\tCtrl+Z",
         .key = "Ctrl+Z",
         .prompt = "Undo the last edit\nUndo",
         .rule =
             [](const CCommandContext& c, int) {
                 const bool bCan = c.doc.History().CanUndo();
                 CCommandState state{bCan, false};
                 state.text =
                     bCan ? "&Undo " + c.doc.History().UndoText() + "\tCtrl+Z" : "&Undo\tCtrl+Z";
                 return state;
             },
         .handler = [](CMainFrame& f, int) { f.UndoRedo(true); }},
        {.id = ID_EDIT_REDO,
         .menu = "&Edit",
         .text = "&Redo\tCtrl+Shift+Z",
         .key = "Ctrl+Shift+Z;Ctrl+Y",
         .prompt = "Redo the edit last undone\nRedo",
         .rule =
             [](const CCommandContext& c, int) {
                 const bool bCan = c.doc.History().CanRedo();
                 CCommandState state{bCan, false};
                 state.text = bCan ? "&Redo " + c.doc.History().RedoText() + "\tCtrl+Shift+Z"
                                   : "&Redo\tCtrl+Shift+Z";
                 return state;
             },
         .handler = [](CMainFrame& f, int) { f.UndoRedo(false); }},
        {.id = 0, .menu = "&Edit"},
        {.id = ID_EDIT_CUT,
         .menu = "&Edit",
         .text = "Cu&t\tCtrl+X",
         .key = "Ctrl+X",
         .prompt = "Move the selection to the clipboard\nCut",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_EDIT_COPY,
         .menu = "&Edit",
         .text = "&Copy\tCtrl+C",
         .key = "Ctrl+C",
         .prompt = "Copy the selection to the clipboard\nCopy",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_EDIT_PASTE,
         .menu = "&Edit",
         .text = "&Paste\tCtrl+V",
         .key = "Ctrl+V",
         .prompt = "Insert what the clipboard holds\nPaste",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_EDIT_SELECT_ALL,
         .menu = "&Edit",
         .text = "Select &All\tCtrl+A",
         .key = "Ctrl+A",
         .prompt = "Select the whole diagram\nSelect All",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_EDIT_SELECT_NONE,
         .menu = "&Edit",
         .text = "Select &None\tCtrl+Shift+A",
         .key = "Ctrl+Shift+A",
         .prompt = "Clear the selection\nSelect None",
         .rule = [](const CCommandContext& c,
                    int) { return Enabled(!c.doc.Simulation().IsActive() && c.doc.Selection().IsSelected(nullptr)); },
         .handler =
             [](CMainFrame& f, int) {
                 f.GetDocument().Selection().Clear();
                 f.GetFrameServices().UpdateAllViews();
             }},
        {.id = 0, .menu = "&Edit"},
        {.id = ID_EDIT_DELETE,
         .menu = "&Edit",
         .text = "&Delete\tDel",
         .prompt = "Delete the selection\nDelete",
         .rule = kView,
         .handler = kViewCommand},
        {.id = 0, .menu = "&Edit"},
        {.id = ID_PLACE_FRONT,
         .menu = "&Edit",
         .text = "Place To Front",
         .prompt = "Place the selection in front of the others\nPlace To Front",
         .rule = kView,
         .handler = kViewCommand},
        {.id = ID_PLACE_BACK,
         .menu = "&Edit",
         .text = "Place To Back",
         .prompt = "Place the selection behind the others\nPlace To Back",
         .rule = kView,
         .handler = kViewCommand},
    };
}
