#include "cli/CCliApp.h"

#include "base/OutputWriter.h"
#include "cli/CCaseGraphCommand.h"
#include "cli/CCheckCommand.h"
#include "cli/CCliSession.h"
#include "cli/CComplementCommand.h"
#include "cli/CExportCommand.h"
#include "cli/CFileCommands.h"
#include "cli/CFindCommand.h"
#include "cli/CImportCommand.h"
#include "cli/CLayoutCommand.h"
#include "cli/CRenderCommand.h"
#include "cli/CSimulateCommand.h"
#include "cli/CStreamOutputSink.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CCaseGraphOptions.h"
#include "cli/options/CCheckOptions.h"
#include "cli/options/CCommandLine.h"
#include "cli/options/CComplementOptions.h"
#include "cli/options/CExportOptions.h"
#include "cli/options/CFileOptions.h"
#include "cli/options/CFindOptions.h"
#include "cli/options/CImportOptions.h"
#include "cli/options/CLayoutOptions.h"
#include "cli/options/CRenderOptions.h"
#include "cli/options/CSimulateOptions.h"

#include <functional>
#include <map>

namespace {

using Command = std::function<int(const CCommandOptions&, CCliSession&)>;

// The command's run over its own options.
template <class Options> Command For(int (*run)(const Options&, CCliSession&)) {
    return [run](const CCommandOptions& options, CCliSession& session) {
        return run(static_cast<const Options&>(options), session);
    };
}

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"check", For(&CCheckCommand::Run)},       {"casegraph", For(&CCaseGraphCommand::Run)},
        {"export", For(&CExportCommand::Run)},     {"import", For(&CImportCommand::Run)},
        {"simulate", For(&CSimulateCommand::Run)}, {"complement", For(&CComplementCommand::Run)},
        {"layout", For(&CLayoutCommand::Run)},     {"render", For(&CRenderCommand::Run)},
        {"find", For(&CFindCommand::Run)},         {"resave", For(&CFileCommands::Resave)},
        {"new", For(&CFileCommands::New)},
    };
    return commands;
}

// Puts the sink in place for the command and the previous one back afterwards.
class SinkScope {
public:
    explicit SinkScope(COutputSink* sink) : m_previous(SetOutputSink(sink)) {}
    ~SinkScope() { SetOutputSink(m_previous); }
    SinkScope(const SinkScope&) = delete;
    SinkScope& operator=(const SinkScope&) = delete;

private:
    COutputSink* m_previous;
};

} // namespace

std::string CCliApp::Usage() {
    return "Usage: zerin-cli COMMAND [ARGUMENTS]\n"
           "Checks, simulates, analyses and exports condition/event nets (.zrn).\n"
           "\n"
           "Commands:\n" +
           CCommandLine::Overview() +
           "\n"
           "Options:\n"
           "  --help                         show this help (after a command: its own help)\n"
           "  --version                      show the version\n"
           "  --seed S                       seed the random numbers with S instead of the time\n"
           "  --break-at a,b                 the case of exactly the conditions a and b is a\n"
           "                                 breakpoint (repeatable)\n"
           "  --engine E                     how a command computes the case graph: explicit\n"
           "                                 (every step stored), cases (the cases, their\n"
           "                                 steps produced on demand), symbolic (decision\n"
           "                                 diagrams: counts, searches and paths of nets of\n"
           "                                 any size) or auto (the first that fits)\n"
           "  --max-cases N, --max-memory SIZE\n"
           "                                 stop a case graph past N cases or SIZE bytes of\n"
           "                                 memory (512M, 2G) with exit status 2\n"
           "\n"
           "Exit status: 0 success, 1 the net is not a C/E system (check, simulate) or\n"
           "no case was found (find),\n"
           "2 bad usage, an unreadable file or an output that cannot be written.\n";
}

int CCliApp::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CCommandLine options;
    if (!options.Parse(args)) {
        err << "zerin-cli: " << options.m_strError << '\n'
            << "Try 'zerin-cli --help' for more information.\n";
        return EXIT_CLI_FAILURE;
    }
    if (options.m_bHelp) {
        out << Usage();
        return EXIT_CLI_OK;
    }
    if (options.m_pOptions && options.m_pOptions->HelpAsked()) {
        out << options.m_pOptions->Help();
        return EXIT_CLI_OK;
    }
    if (options.m_bVersion) {
        out << "zerin-cli 1.65\n";
        return EXIT_CLI_OK;
    }
    CStreamOutputSink sink(out);
    SinkScope scope(&sink);
    CCliSession session(out, err);
    const int status = Commands().at(options.m_pOptions->Name())(*options.m_pOptions, session);
    // Lines that never arrived (a full disk, a closed pipe) are a failed output too.
    if (!out.flush()) {
        err << "zerin-cli: Cannot write the standard output\n";
        return EXIT_CLI_FAILURE;
    }
    return status;
}
