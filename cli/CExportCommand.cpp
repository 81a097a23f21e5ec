#include "cli/CExportCommand.h"

#include "cli/CCliSession.h"
#include "cli/CliExitCodes.h"
#include "cli/options/CExportOptions.h"
#include "exchange/CPnmlExport.h"
#include "occurrence/CNetDesignExport.h"

int CExportCommand::Run(const CExportOptions& options, CCliSession& session) {
    if (!session.Load(options.m_strFile, std::nullopt))
        return EXIT_CLI_FAILURE;
    CZerinDoc& doc = session.Doc();
    if (!options.m_strPnml.empty() &&
        !session.Check(CPnmlExport(doc.NetDesign()).ExportXML(options.m_strPnml),
                       options.m_strPnml))
        return EXIT_CLI_FAILURE;
    if (!options.m_strNetDesignXml.empty() &&
        !session.Check(CNetDesignExport(doc.NetDesign()).ExportXML(options.m_strNetDesignXml),
                       options.m_strNetDesignXml))
        return EXIT_CLI_FAILURE;
    return EXIT_CLI_OK;
}
