#include "cli/options/CCommandLine.h"

#include "cli/options/CSubcommandTable.h"

bool CCommandLine::Parse(const std::vector<std::string>& args) {
    if (args.empty()) {
        m_strError = "no command given";
        return false;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        m_bHelp = true;
        return true;
    }
    if (first == "--version") {
        m_bVersion = true;
        return true;
    }
    const CSubcommandTable::CSubcommand* subcommand = m_rSubcommands.Find(first);
    if (!subcommand) {
        m_strError = "unknown command '" + first + "'";
        return false;
    }
    m_pOptions = subcommand->makeOptions();
    if (!m_pOptions->Parse(std::vector<std::string>(args.begin() + 1, args.end()))) {
        m_strError = m_pOptions->Error();
        return false;
    }
    return true;
}
