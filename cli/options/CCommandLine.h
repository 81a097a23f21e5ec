#pragma once

#include "cli/options/CCommandOptions.h"

#include <memory>
#include <string>
#include <vector>

// zerin-cli's command line: --help, --version, or a command with the options it owns.
class CCommandLine {
public:
    // False with the reason in m_strError when the words are not a valid command line.
    bool Parse(const std::vector<std::string>& args);

    // The options of the named command, fresh; null for a name that is no command.
    static std::unique_ptr<CCommandOptions> MakeOptions(const std::string& command);
    // Every command's entry of the overview, in the order of the help.
    static std::string Overview();

    // The overall help was asked for (--help alone).
    bool m_bHelp = false;
    bool m_bVersion = false;
    // The command given, parsed (its HelpAsked() for "COMMAND --help").
    std::unique_ptr<CCommandOptions> m_pOptions;
    std::string m_strError;
};
