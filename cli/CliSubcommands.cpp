#include "cli/CliSubcommands.h"

#include "cli/CCaseGraphCommand.h"
#include "cli/CCheckCommand.h"
#include "cli/CComplementCommand.h"
#include "cli/CExportCommand.h"
#include "cli/CFileCommands.h"
#include "cli/CFindCommand.h"
#include "cli/CImportCommand.h"
#include "cli/CLayoutCommand.h"
#include "cli/CRenderCommand.h"
#include "cli/CSimulateCommand.h"
#include "cli/options/CCaseGraphOptions.h"
#include "cli/options/CCheckOptions.h"
#include "cli/options/CComplementOptions.h"
#include "cli/options/CExportOptions.h"
#include "cli/options/CFileOptions.h"
#include "cli/options/CFindOptions.h"
#include "cli/options/CImportOptions.h"
#include "cli/options/CLayoutOptions.h"
#include "cli/options/CRenderOptions.h"
#include "cli/options/CSimulateOptions.h"

namespace {

// Each row a run function over its options class (which names the subcommand), with the
// options' arguments where they take any.
CSubcommandTable MakeSubcommands() {
    CSubcommandTable table;
    table.Add(&CCheckCommand::Run);
    table.Add(&CCaseGraphCommand::Run);
    table.Add(&CExportCommand::Run);
    table.Add(&CImportCommand::Run);
    table.Add(&CSimulateCommand::Run);
    table.Add(&CComplementCommand::Run);
    table.Add(&CLayoutCommand::Run);
    table.Add(&CRenderCommand::Run);
    table.Add(&CFindCommand::Run);
    table.Add(&CFileCommands::Resave, CFileOptions::Command::Resave);
    table.Add(&CFileCommands::New, CFileOptions::Command::New);
    return table;
}

} // namespace

CSubcommandTable& CliSubcommands() {
    static CSubcommandTable table = MakeSubcommands();
    return table;
}
