#include "app/frame/menus/CommandRules.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/ExportCommands.h"
#include "document/CZerinDoc.h"
#include "formats/CExportFormat.h"
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

Rule When(bool (*rule)(const CZerinDoc&)) {
    return [rule](const CCommandContext& c, int) { return Enabled(rule(c.doc)); };
}

Rule Active() {
    return [](const CCommandContext& c, int) { return Enabled(c.doc.Simulation().IsActive()); };
}

const Rule kShowNetDesign = [](const CCommandContext& c, int nId) {
    return Enabled(nId == Cmd::ID_SHOW_NET_DESIGN || c.doc.Simulation().IsActive(),
                   c.frame.IsViewActive(CMainFrame::VIEW_NET_DESIGN));
};

const Handler kViewCommand = [](CMainFrame& f, int nId) { f.ViewCommand(nId); };

Handler Command(void (*action)(CZerinDoc&)) {
    return [action](CMainFrame& f, int) {
        action(f.GetDocument());
        f.GetFrameServices().UpdateAllViews();
    };
}

Handler Simulation(void (CSimulation::*action)()) {
    return [action](CMainFrame& f, int) {
        (f.GetDocument().Simulation().*action)();
        f.GetFrameServices().UpdateAllViews();
    };
}

Handler Frame(void (CMainFrame::*action)()) {
    return [action](CMainFrame& f, int) { (f.*action)(); };
}

namespace {

// The views stand in the frame at the index of their diagram.
static_assert(CMainFrame::VIEW_NET_DESIGN == CZerinDoc::DIAGRAM_NET_DESIGN &&
              CMainFrame::VIEW_CASE_GRAPH == CZerinDoc::DIAGRAM_CASE_GRAPH &&
              CMainFrame::VIEW_OCCURRENCE_NET == CZerinDoc::DIAGRAM_OCCURRENCE_NET);

const Rule kExport = [](const CCommandContext& c, int nId) {
    const CExportCommand* pCommand = FindExportCommand(nId);
    if (!pCommand || !pCommand->format->CanWrite(c.doc, pCommand->diagram))
        return Enabled(false);
    return Enabled(!pCommand->format->Draws() ||
                   (c.view && c.frame.IsViewActive(pCommand->diagram)));
};

const Handler kExportCommand = [](CMainFrame& f, int nId) { f.OnExport(nId); };

} // namespace

void AppendExportRows(std::vector<CCommandRow>& rows, const char* szMenu,
                      std::optional<int> nDiagram) {
    for (const CExportCommand& command : ExportCommands()) {
        const bool bHere = nDiagram ? !command.format->IsAnalysis() && command.diagram == *nDiagram
                                    : command.format->IsAnalysis();
        if (bHere)
            rows.push_back({.id = command.id,
                            .menu = szMenu,
                            .text = command.text.c_str(),
                            .prompt = command.prompt.c_str(),
                            .rule = kExport,
                            .handler = kExportCommand});
    }
}
