#include "app/frame/ExportCommands.h"

#include "document/CZerinDoc.h"
#include "platform/ExportFormats.h"
#include "views/CommandIds.h"

#include <algorithm>
#include <string_view>

using namespace Cmd;

namespace {

struct KeptId {
    std::string_view format;
    int diagram;
    int id;
};

constexpr int kNet = CZerinDoc::DIAGRAM_NET_DESIGN;
constexpr int kGraph = CZerinDoc::DIAGRAM_CASE_GRAPH;
constexpr int kRecord = CZerinDoc::DIAGRAM_OCCURRENCE_NET;

// The ids of the exports before formats were registered, which the users of the menus
// (tests, scripts, saved settings) know them by.
constexpr KeptId kKeptIds[] = {
    {"netdesign", kNet, ID_NET_EXPORT_XML},
    {"pnml", kNet, ID_NET_EXPORT_PNML},
    {"emf", kNet, ID_NET_EXPORT_EMF},
    {"svg", kNet, ID_NET_EXPORT_SVG},
    {"pdf", kNet, ID_NET_EXPORT_PDF},
    {"png", kNet, ID_NET_EXPORT_PNG},
    {"tikz", kNet, ID_NET_EXPORT_TIKZ},
    {"caseclass", kGraph, ID_EXPORT_CASE_CLASS_XML},
    {"casegraph", kGraph, ID_CASE_GRAPH_EXPORT_XML},
    {"graphml", kGraph, ID_CASE_GRAPH_EXPORT_GRAPHML},
    {"dot", kGraph, ID_CASE_GRAPH_EXPORT_DOT},
    {"emf", kGraph, ID_CASE_GRAPH_EXPORT_EMF},
    {"svg", kGraph, ID_CASE_GRAPH_EXPORT_SVG},
    {"pdf", kGraph, ID_CASE_GRAPH_EXPORT_PDF},
    {"png", kGraph, ID_CASE_GRAPH_EXPORT_PNG},
    {"tikz", kGraph, ID_CASE_GRAPH_EXPORT_TIKZ},
    {"occurrencenet", kRecord, ID_OCCURRENCE_NET_EXPORT_XML},
    {"graphml", kRecord, ID_OCCURRENCE_NET_EXPORT_GRAPHML},
    {"dot", kRecord, ID_OCCURRENCE_NET_EXPORT_DOT},
    {"emf", kRecord, ID_OCCURRENCE_NET_EXPORT_EMF},
    {"svg", kRecord, ID_OCCURRENCE_NET_EXPORT_SVG},
    {"pdf", kRecord, ID_OCCURRENCE_NET_EXPORT_PDF},
    {"png", kRecord, ID_OCCURRENCE_NET_EXPORT_PNG},
    {"tikz", kRecord, ID_OCCURRENCE_NET_EXPORT_TIKZ},
};

int KeptIdOf(const std::string& format, int nDiagram) {
    for (const KeptId& kept : kKeptIds)
        if (kept.format == format && kept.diagram == nDiagram)
            return kept.id;
    return 0;
}

std::vector<CExportCommand> MakeCommands() {
    std::vector<CExportCommand> commands;
    int nNext = ID_EXPORT_FIRST;
    for (const auto& format : ExportFormats().GetFormats())
        for (int nDiagram : format->GetDiagrams()) {
            int nId = KeptIdOf(format->GetId(), nDiagram);
            if (nId == 0 && nNext <= ID_EXPORT_LAST)
                nId = nNext++;
            if (nId != 0)
                commands.push_back({nId, format.get(), nDiagram, format->GetMenuText(),
                                    format->GetPrompt(nDiagram)});
        }
    return commands;
}

} // namespace

const std::vector<CExportCommand>& ExportCommands() {
    static const std::vector<CExportCommand> commands = MakeCommands();
    return commands;
}

const CExportCommand* FindExportCommand(int nId) {
    const auto& commands = ExportCommands();
    const auto it =
        std::find_if(commands.begin(), commands.end(),
                     [nId](const CExportCommand& command) { return command.id == nId; });
    return it != commands.end() ? &*it : nullptr;
}
