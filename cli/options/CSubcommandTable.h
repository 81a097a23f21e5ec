#pragma once

#include "cli/options/CCommandOptions.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCliSession;

// zerin-cli's subcommands in the order of the help: each one's options (made fresh for
// every command line; they name the subcommand, parse its words and give its help) and
// the function that runs it. The parser, the overview of --help and the dispatch are made
// from the table; subcommands may be added to it at run time.
class CSubcommandTable {
public:
    using MakeOptions = std::function<std::unique_ptr<CCommandOptions>()>;
    using Run = std::function<int(const CCommandOptions&, CCliSession&)>;
    struct CSubcommand {
        std::string name;
        MakeOptions makeOptions;
        Run run;
    };

    // Adds the subcommand after the others; false when one of its name is there already.
    bool Add(MakeOptions makeOptions, Run run);
    // The same for a run function over its own options class, made from the arguments.
    template <class Options, class... Args>
    bool Add(int (*run)(const Options&, CCliSession&), Args... args) {
        return Add([args...] { return std::make_unique<Options>(args...); },
                   [run](const CCommandOptions& options, CCliSession& session) {
                       return run(static_cast<const Options&>(options), session);
                   });
    }

    const std::vector<CSubcommand>& GetSubcommands() const { return m_arrSubcommands; }
    // The subcommand of the name; null for none.
    const CSubcommand* Find(const std::string& name) const;
    // Every subcommand's entry of the help's overview, in order.
    std::string Overview() const;

private:
    std::vector<CSubcommand> m_arrSubcommands;
};
