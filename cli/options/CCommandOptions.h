#pragma once

#include "engines/CEngineOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The options of one zerin-cli command: the arguments it takes (a file, an output, or
// both), the options it knows, each with its help, and the command's own help. A
// command's options class declares them in its constructor; Parse reads the words after
// the command's name and refuses anything else with the reason.
class CCommandOptions {
public:
    enum class Arguments { File, FileAndOutput, Output };

    virtual ~CCommandOptions() = default;
    CCommandOptions(const CCommandOptions&) = delete;
    CCommandOptions& operator=(const CCommandOptions&) = delete;

    const std::string& Name() const { return m_strName; }
    // The command's entry in the overview of all commands.
    std::string Summary() const;
    // "zerin-cli COMMAND --help": the synopsis, the description and every option.
    std::string Help() const;

    // False with the reason in Error(); true with HelpAsked() for --help or -h.
    bool Parse(const std::vector<std::string>& args);
    const std::string& Error() const { return m_strError; }
    bool HelpAsked() const { return m_bHelp; }

    // The file the command reads, and the output (-o OUT or the positional OUT).
    std::string m_strFile;
    std::string m_strOutput;

protected:
    // synopsis: what follows "zerin-cli", continuation lines indented as they are shown;
    // description: its lines, shown beside or under the synopsis.
    CCommandOptions(std::string name, Arguments arguments, std::string synopsis,
                    std::string description);

    // An option without a value.
    void Flag(const std::string& name, const std::string& help, bool& target);
    void Flag(const std::string& name, const std::string& help, std::function<void()> set);
    // An option with a value; take gives the reason a value is refused, or nothing.
    void Value(const std::string& name, const std::string& valueName, const std::string& help,
               std::function<std::optional<std::string>(const std::string&)> take);
    void Text(const std::string& name, const std::string& valueName, const std::string& help,
              std::string& target);
    // -o OUT.
    void Output(const std::string& help);
    // --seed S.
    void Seed(std::optional<unsigned>& target);
    // --engine, --max-cases N, --max-memory SIZE.
    void Engine(CEngineOptions& target);
    // What a complete command line still lacks, or nothing.
    virtual std::optional<std::string> Missing() const { return std::nullopt; }

private:
    struct Option {
        std::string name;
        std::string valueName; // empty: a flag
        std::string help;
        std::function<std::optional<std::string>(const std::string&)> take;
    };
    bool Fail(const std::string& reason);

    std::string m_strName;
    Arguments m_arguments;
    std::string m_strSynopsis;
    std::string m_strDescription;
    std::vector<Option> m_options;
    std::string m_strError;
    bool m_bHelp = false;
};
