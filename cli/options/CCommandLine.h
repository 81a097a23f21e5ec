#pragma once

#include "cli/options/CCommandOptions.h"

#include <memory>
#include <string>
#include <vector>

class CSubcommandTable;

// zerin-cli's command line: --help, --version, or a subcommand of the table with the
// options it owns.
class CCommandLine {
public:
    explicit CCommandLine(const CSubcommandTable& subcommands) : m_rSubcommands(subcommands) {}

    // False with the reason in m_strError when the words are not a valid command line.
    bool Parse(const std::vector<std::string>& args);

    // The overall help was asked for (--help alone).
    bool m_bHelp = false;
    bool m_bVersion = false;
    // The command given, parsed (its HelpAsked() for "COMMAND --help").
    std::unique_ptr<CCommandOptions> m_pOptions;
    std::string m_strError;

private:
    const CSubcommandTable& m_rSubcommands;
};
