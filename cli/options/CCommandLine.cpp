#include "cli/options/CCommandLine.h"

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

#include <functional>
#include <utility>

namespace {

using Make = std::function<std::unique_ptr<CCommandOptions>()>;

template <class Options, class... Args> Make Maker(Args... args) {
    return [args...] { return std::make_unique<Options>(args...); };
}

// The commands in the order of the help.
const std::vector<std::pair<std::string, Make>>& Commands() {
    static const std::vector<std::pair<std::string, Make>> commands = {
        {"check", Maker<CCheckOptions>()},
        {"casegraph", Maker<CCaseGraphOptions>()},
        {"export", Maker<CExportOptions>()},
        {"import", Maker<CImportOptions>()},
        {"simulate", Maker<CSimulateOptions>()},
        {"complement", Maker<CComplementOptions>()},
        {"layout", Maker<CLayoutOptions>()},
        {"render", Maker<CRenderOptions>()},
        {"find", Maker<CFindOptions>()},
        {"resave", Maker<CFileOptions>(CFileOptions::Command::Resave)},
        {"new", Maker<CFileOptions>(CFileOptions::Command::New)},
    };
    return commands;
}

} // namespace

std::unique_ptr<CCommandOptions> CCommandLine::MakeOptions(const std::string& command) {
    for (const auto& [name, make] : Commands())
        if (name == command)
            return make();
    return nullptr;
}

std::string CCommandLine::Overview() {
    std::string text;
    for (const auto& entry : Commands())
        text += entry.second()->Summary();
    return text;
}

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
    m_pOptions = MakeOptions(first);
    if (!m_pOptions) {
        m_strError = "unknown command '" + first + "'";
        return false;
    }
    if (!m_pOptions->Parse(std::vector<std::string>(args.begin() + 1, args.end()))) {
        m_strError = m_pOptions->Error();
        return false;
    }
    return true;
}
