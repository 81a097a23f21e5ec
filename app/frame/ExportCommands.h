#pragma once

#include <string>
#include <vector>

class CExportFormat;

// The command of one export: a registered format (platform/ExportFormats) and a diagram
// it writes, with the id, the text and the prompt of its menu item.
struct CExportCommand {
    int id = 0;
    const CExportFormat* format = nullptr;
    int diagram = 0;
    std::string text;
    std::string prompt;
};

// Every export command, by the registry's order of the formats and each format's order
// of its diagrams; made once, on the first call. The formats the menus had before
// formats were registered keep the ids they had (views/CommandIds.h); any other takes
// the next id from Cmd::ID_EXPORT_FIRST on.
const std::vector<CExportCommand>& ExportCommands();
// The command of the id; null for one that is no export.
const CExportCommand* FindExportCommand(int nId);
