#include "cli/CCliApp.h"

#include "base/OutputWriter.h"
#include "cli/CCaseGraphCommand.h"
#include "cli/CCheckCommand.h"
#include "cli/CCliOptions.h"
#include "cli/CCliSession.h"
#include "cli/CComplementCommand.h"
#include "cli/CExportCommand.h"
#include "cli/CFileCommands.h"
#include "cli/CImportCommand.h"
#include "cli/CFindCommand.h"
#include "cli/CLayoutCommand.h"
#include "cli/CRenderCommand.h"
#include "cli/CSimulateCommand.h"
#include "cli/CStreamOutputSink.h"
#include "cli/CliExitCodes.h"

#include <map>

namespace {

using Command = int (*)(const CCliOptions&, CCliSession&);

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"check", &CCheckCommand::Run},
        {"casegraph", &CCaseGraphCommand::Run},
        {"export", &CExportCommand::Run},
        {"import", &CImportCommand::Run},
        {"simulate", &CSimulateCommand::Run},
        {"complement", &CComplementCommand::Run},
        {"layout", &CLayoutCommand::Run},
        {"render", &CRenderCommand::Run},
        {"find", &CFindCommand::Run},
        {"resave", &CFileCommands::Resave},
        {"new", &CFileCommands::New},
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

const char* CCliApp::Usage() {
    return "Usage: zerin-cli COMMAND [ARGUMENTS]\n"
           "Checks, simulates, analyses and exports condition/event nets (.zrn).\n"
           "\n"
           "Commands:\n"
           "  check FILE                     test the net for the C/E system requirements\n"
           "  casegraph FILE [--names] [--classes] [--case-class] [--xml OUT]\n"
           "                 [--class-xml OUT] [--max-cases N] [--max-memory SIZE]\n"
           "                                 compute the case graph and write its analyses\n"
           "  export FILE [--netdesign OUT] [--pnml OUT]\n"
           "                                 write the net design XML or PNML\n"
           "  import FILE.pnml [--net ID] -o OUT\n"
           "                                 a PNML net (ISO/IEC 15909-2) as a new document\n"
           "  simulate FILE [--steps N] [--seed S] [--largest] [--break-at NAMES]...\n"
           "                [--occurrence-xml OUT] [--save OUT]\n"
           "                                 run the automatic simulation\n"
           "  complement FILE -o OUT         add the complement conditions and save\n"
           "  layout FILE [--seed S] [--generations G] [--population P] [-o OUT]\n"
           "                                 lay the case graph out and smooth it\n"
           "  render FILE [--view net|casegraph|occurrence] [--seed S] -o OUT\n"
           "                                 draw a diagram as .svg, .png, .pdf or .emf\n"
           "  find FILE [--wanted a,b] [--unwanted c] [--all-cases] [--path]\n"
           "                                 the cases holding the wanted conditions and\n"
           "                                 none of the unwanted ones; with --path the\n"
           "                                 shortest way to the first one\n"
           "  resave FILE OUT                load and save unchanged\n"
           "  new OUT                        save a new, empty document\n"
           "\n"
           "Options:\n"
           "  --help                         show this help\n"
           "  --version                      show the version\n"
           "  --seed S                       seed the random numbers with S instead of the time\n"
           "  --break-at a,b                 the case of exactly the conditions a and b is a\n"
           "                                 breakpoint (repeatable)\n"
           "  --max-cases N, --max-memory SIZE\n"
           "                                 stop a case graph past N cases or SIZE bytes of\n"
           "                                 memory (512M, 2G) with exit status 2\n"
           "\n"
           "Exit status: 0 success, 1 the net is not a C/E system (check, simulate) or\n"
           "no case was found (find),\n"
           "2 bad usage, an unreadable file or an output that cannot be written.\n";
}

int CCliApp::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CCliOptions options;
    if (!options.Parse(args)) {
        err << "zerin-cli: " << options.m_strError << '\n'
            << "Try 'zerin-cli --help' for more information.\n";
        return EXIT_CLI_FAILURE;
    }
    if (options.m_bHelp) {
        out << Usage();
        return EXIT_CLI_OK;
    }
    if (options.m_bVersion) {
        out << "zerin-cli 1.65\n";
        return EXIT_CLI_OK;
    }
    CStreamOutputSink sink(out);
    SinkScope scope(&sink);
    CCliSession session(out, err);
    const int status = Commands().at(options.m_strCommand)(options, session);
    // Lines that never arrived (a full disk, a closed pipe) are a failed output too.
    if (!out.flush()) {
        err << "zerin-cli: Cannot write the standard output\n";
        return EXIT_CLI_FAILURE;
    }
    return status;
}
