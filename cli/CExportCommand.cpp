#include "cli/CExportCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CExportOptions.h"

int CExportCommand::Run(const CExportOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    constexpr int kNet = CZerinDoc::DIAGRAM_NET_DESIGN;
    if (!options.m_strPnml.empty() && !session.Export("pnml", kNet, options.m_strPnml))
        return EXIT_CLI_FAILURE;
    if (!options.m_strNetDesignXml.empty() &&
        !session.Export("netdesign", kNet, options.m_strNetDesignXml))
        return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
