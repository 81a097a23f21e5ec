#include "app/frame/menus/CommandRules.h"

#include "app/frame/CMainFrame.h"
#include "document/CZerinDoc.h"
#include "views/CommandIds.h"

const Rule kAlways = [](const CCommandContext&, int) { return Enabled(true); };

const Rule kView = [](const CCommandContext& c, int nId) {
    return c.view ? c.view(nId).value_or(Enabled(false)) : Enabled(false);
};

Rule ViewOr(Rule fallback) {
    return [fallback](const CCommandContext& c, int nId) {
        if (c.view)
            if (const std::optional<CCommandState> state = c.view(nId))
                return *state;
        return fallback(c, nId);
    };
}

Rule When(bool (CZerinDoc::*question)() const) {
    return [question](const CCommandContext& c, int) { return Enabled((c.doc.*question)()); };
}

const Rule kShowNetDesign = [](const CCommandContext& c, int nId) {
    return Enabled(nId == Cmd::ID_SHOW_NET_DESIGN || c.doc.InSimulation(),
                   c.frame.IsViewActive(CMainFrame::VIEW_NET_DESIGN));
};

const Handler kViewCommand = [](CMainFrame& f, int nId) { f.ViewCommand(nId); };

Handler Document(void (CZerinDoc::*action)()) {
    return [action](CMainFrame& f, int) {
        (f.GetDocument().*action)();
        f.GetFrameServices().UpdateAllViews();
    };
}

Handler Frame(void (CMainFrame::*action)()) {
    return [action](CMainFrame& f, int) { (f.*action)(); };
}

Handler Graph(bool bCaseGraph, const char* szExtension) {
    return [bCaseGraph, szExtension](CMainFrame& f, int) {
        f.GetDocument().OnExportGraph(bCaseGraph, szExtension);
    };
}
