#include "cli/CCliApp.h"

#include "base/OutputWriter.h"
#include "cli/CCliSession.h"
#include "cli/CStreamOutputSink.h"
#include "cli/CliExitCodes.h"
#include "cli/CliSubcommands.h"
#include "cli/options/CCommandLine.h"

namespace {

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
           CliSubcommands().Overview() +
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
           "no case was found (find) or none can be reached (reachable),\n"
           "2 bad usage, an unreadable file or an output that cannot be written.\n";
}

int CCliApp::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const CSubcommandTable& subcommands = CliSubcommands();
    CCommandLine options(subcommands);
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
    const int status =
        subcommands.Find(options.m_pOptions->Name())->run(*options.m_pOptions, session);
    // Lines that never arrived (a full disk, a closed pipe) are a failed output too.
    if (!out.flush()) {
        err << "zerin-cli: Cannot write the standard output\n";
        return EXIT_CLI_FAILURE;
    }
    return status;
}
